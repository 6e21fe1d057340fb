// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class PhoneLink;
struct ComposeResult;
struct ComposeValues;

// Tells the user what a send or save said, then offers the correspondent for a phonebook when
// the message was saved (the offer comes after the send's failure, as the user expects it).
void tellComposeResult(PhoneLink& link, const ComposeValues& values, const ComposeResult& result);
