// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "phone/ScheduleEntry.h"

// Cuts the text ReadScheduleEntry returned (everything after "+SCHR: ") into an entry: seven
// fields (index, type, alarm flag, "year/month/day", "hour:minute", then with alarm
// "hour:minute" and the contents, without alarm the contents alone). Every number is read as
// a leading decimal, so zeros in front and a trailing carriage return do no harm. False for an
// empty text, which stands for an empty slot.
bool ParseScheduleAnswer(const QString& answer, ScheduleEntry& entry);
