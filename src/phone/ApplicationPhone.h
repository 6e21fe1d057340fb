// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class PhoneLink;

// The phone of the running program as the views see it: the link made at start-up and whether
// it found the phone. The application fills it once start-up is done; views made without an
// application around find no link here.
struct ApplicationPhone {
    PhoneLink* link = nullptr;
    bool online = false;
};

ApplicationPhone applicationPhone();
void setApplicationPhone(PhoneLink* link, bool online);
