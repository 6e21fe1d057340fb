// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ostream>

#include "phone/ScheduleEntry.h"
#include "phonesim/PhoneSimState.h"

// Entries and phone states the scheduler tests share.

inline void PrintTo(const ScheduleEntry& e, std::ostream* out) {
    *out << "{slot " << e.index << ", type " << e.type << ", alarm " << e.alarm << ", " << e.year
         << '/' << e.month << '/' << e.date << ' ' << e.hour << ':' << e.minute << ", ring "
         << e.alarmHour << ':' << e.alarmMinute << ", \"" << e.contents.toStdString() << "\"}";
}

inline ScheduleEntry scheduleEntry(int index, int type, int year, int month, int day, int hour,
                                   int minute, const QString& contents, int alarmHour = -1,
                                   int alarmMinute = 0) {
    ScheduleEntry entry;
    entry.index = index;
    entry.type = type;
    entry.alarm = alarmHour >= 0 ? 1 : 0;
    entry.year = year;
    entry.month = month;
    entry.date = day;
    entry.hour = hour;
    entry.minute = minute;
    entry.alarmHour = alarmHour >= 0 ? alarmHour : 0;
    entry.alarmMinute = alarmHour >= 0 ? alarmMinute : 0;
    entry.contents = contents;
    return entry;
}

inline PhoneSimScheduleEntry simScheduleEntry(const ScheduleEntry& entry) {
    return PhoneSimScheduleEntry{entry.type,        entry.alarm,   entry.year,   entry.month,
                                 entry.date,        entry.hour,    entry.minute, entry.alarmHour,
                                 entry.alarmMinute, entry.contents};
}

// A phone whose scheduler holds exactly these entries (other lists as in the demo).
inline PhoneSimState phoneWithSchedule(const QList<ScheduleEntry>& entries) {
    PhoneSimState state = PhoneSimState::demo();
    state.schedule.clear();
    for (const ScheduleEntry& entry : entries) {
        state.schedule[entry.index] = simScheduleEntry(entry);
    }
    return state;
}
