// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// What the calendar writer and reader share: the program's own properties, the entry types as
// categories, and the texts of skip reasons.

// The done mark of an event, and the done date the phone stamped on a to-do item.
inline constexpr const char* kCompletedProperty = "X-DEXMORO-COMPLETED";
inline constexpr const char* kDoneDateProperty = "X-DEXMORO-DONE-DATE";
// The ring time an entry keeps while its alarm is off (the entry dialogs store the lead time
// chosen either way), as "HH:mm".
inline constexpr const char* kQuietAlarmProperty = "X-DEXMORO-ALARM-TIME";

// The category an entry type is written as ("Reminder", "Call", "Meeting", "Birthday").
const char* scheduleCategory(int type);
// The entry type a category names; other programs' categories (vCalendar's "PHONE CALL") are
// understood where they mean one of the four; 0 for anything else.
int typeOfCategory(const QString& category);

// "day-month-year hour:minute" as the to-do table keeps a done date, in a UTC-marked
// QDateTime (a wall-clock time); invalid when the text is no such date.
QDateTime parseDoneDate(const QString& doneDate);

QString quoted(const QString& text);
// "line N: why".
QString lineReason(int line, const QString& why);
