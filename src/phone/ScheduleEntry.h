// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Entry types of the phone's scheduler.
enum ScheduleType {
    ScheduleReminder = 1,
    ScheduleCall = 2,
    ScheduleMeeting = 3,
    ScheduleBirthday = 4
};

// The phone holds its schedule in slots 0 to 49.
inline constexpr int ScheduleCapacity = 50;

// One scheduler entry: the eleven values in the order the commands and the phone_schedule
// table carry them. The alarm time is the clock time of the ring itself (0:0 without alarm).
// An index of -1 marks an entry that has no slot yet.
struct ScheduleEntry {
    int index = -1;
    int type = ScheduleReminder;
    int alarm = 0;  // 1 with alarm
    int year = 0;
    int month = 0;
    int date = 0;  // day of the month
    int hour = 0;
    int minute = 0;
    int alarmHour = 0;
    int alarmMinute = 0;
    QString contents;

    bool operator==(const ScheduleEntry&) const = default;
};
