// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QStringList>

// The alarm lead times of the entry dialogs: "The Exact Time" (item 0) to "Before 1 Hour"
// (item 4).
inline constexpr int kLeadTimeItemCount = 5;

QStringList leadTimeItemTexts();
// Seconds before the entry time; 0 for item 0 and for anything outside the list.
int leadTimeSeconds(int item);

// The clock time of the ring for an entry time and a lead-time item. Only hour and minute
// are kept: an alarm before midnight lies on the previous day but is stored under the
// entry's date.
QTime alarmTimeFor(const QDateTime& entryTime, int item);

// The item a stored entry's ring time stands for, or -1 when no item gives that ring time (the
// list is then left without choice and the stored ring time stays). A ring hour later than
// the entry hour belongs to the previous day.
int recoverLeadTimeItem(int hour, int minute, int alarmHour, int alarmMinute);
