// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "phone/PhoneCharset.h"

// The text of a service centre read answer behind "+CSCA: ": address, type and the rest of
// the answer; empty when the marker is missing.
QString ServiceCentreText(const QString& answer);

// The address of that text: its first field, without quotes ("+4477",145 gives +4477).
// Read in the set the link uses.
QString ServiceCentreAddressOf(const QString& text, PhoneCharset set = PhoneCharset::Latin1);
