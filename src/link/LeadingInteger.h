// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The leading decimal integer of a text as the phone's answers carry it: blanks skipped, an
// optional sign, then digits up to the first other character; 0 when there are none. Values
// beyond the int range are clamped, so a runaway field cannot overflow.
int leadingInteger(const QString& text);
