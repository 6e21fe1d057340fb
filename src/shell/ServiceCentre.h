// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "platform/Notice.h"

class PhoneLink;

// The "Service Center" dialog as the command sees it: shown with the phone's address, it
// gives the text confirmed with OK, or nothing for Cancel.
using ServiceCentreEditor = std::function<std::optional<QString>(const QString& initial)>;

// The longest address the dialog takes.
constexpr int kServiceCentreMaxLength = 21;

// The address the phone reports, or an empty text when it reports none.
QString ReadServiceCentreAddress(PhoneLink& link);

// Whether an address can go into the phone's command: digits with an optional leading "+",
// and the dial characters "*" and "#". A quote or comma would change the command itself.
bool IsServiceCentreAddress(const QString& address);

// The "SCA" command: reads the address from the phone, lets the user edit it and writes a
// non-empty result back. Gives what the user must be told (off line, a refused address).
Notices RunServiceCentre(PhoneLink& link, const ServiceCentreEditor& edit);
