// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/ApplicationPhone.h"

namespace {
ApplicationPhone current;
}

ApplicationPhone applicationPhone() {
    return current;
}

void setApplicationPhone(PhoneLink* link, bool online) {
    current = {link, link != nullptr && online};
}
