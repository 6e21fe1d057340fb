// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// How the scheduler writes its entries for people.

// "(R)", "(C)", "(M)" or "(B)" by entry type; empty for an unknown type.
QString scheduleTypeMark(int type);
// The type mark followed directly by the contents, as a calendar cell shows it: "(M)Budget".
QString scheduleCellText(int type, const QString& contents);
// The contents of a cell text: every occurrence of the four marks removed.
QString contentsOfCellText(QString cellText);
// Day, month abbreviation between hyphens and four-digit year: "14-May-2001".
QString scheduleDateText(int year, int month, int day);
// "9:05".
QString scheduleTimeText(int hour, int minute);
