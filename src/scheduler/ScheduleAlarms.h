// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

#include "scheduler/ScheduleTables.h"

class PhoneLink;

// "%d:%d %s Schedule!": the entry's hour and minute unpadded and its date text.
QString alarmMessage(const ScheduleEntry& entry);

// Shows one alarm: the entry's text and the message. Returns when the user closed it.
using AlarmShower = std::function<void(const QString& title, const QString& message)>;

// The alarm check of each 30-second tick while the phone is off line: every reminder row of
// today whose ring time is the present minute and whose enable is clear alerts, in table
// order, each marked (enable set) before it is shown. Nothing happens on line. A check that
// starts while an earlier one still shows its alarm returns at once. Returns the number of
// alarms shown.
int RunAlarmCheck(const PhoneLink* link, CReminderDB& reminders, const QDateTime& now,
                  const AlarmShower& show);

// Entries whose time (second 0) lies before the present time, in table order.
QList<ScheduleEntry> previousSchedules(const QList<ScheduleEntry>& entries, const QDateTime& now);
// "%s%s(%s)": type mark, contents and date text.
QString previousScheduleLine(const ScheduleEntry& entry);
