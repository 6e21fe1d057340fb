// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>

#include "scheduler/ScheduleTables.h"

class PhoneLink;

// Work of the calendar pages and their dialogs on the two tables, without windows. On line
// means a link whose phone was found: phone_schedule is then the table shown and every change
// goes to the phone first.

bool scheduleOnline(const PhoneLink* link);

// The entries of the table the pages show, in table order (reminder rows carry index -1).
QList<ScheduleEntry> shownScheduleEntries(const PhoneLink* link, CPhoneScheduleDB& phoneSchedule,
                                          CReminderDB& reminders);

// An entry found by the selection: on line in phone_schedule first, else (or when the phone's
// table has no such row) in reminder.
struct SelectedEntry {
    bool found = false;
    bool fromPhone = false;
    ScheduleEntry entry;
    bool done = false;  // reminder's enable; false for a phone_schedule row
};
SelectedEntry loadSelectedEntry(const PhoneLink* link, CPhoneScheduleDB& phoneSchedule,
                                CReminderDB& reminders, const ScheduleSelection& selection);

// Which entries belong to a day for Delete Day: the hour rows of the Daily and Weekly pages
// (6 : 00 of the day to 5 : 00 of the next), or the whole calendar day on the Monthly page.
enum class DayRule { HourRows, CalendarDay };
bool entryBelongsToDay(const ScheduleEntry& entry, const QDate& day, DayRule rule);

struct DayRemoval {
    int phoneRowsDeleted = 0;
    int phoneRefusals = 0;  // the phone kept these; so does phone_schedule
    int remindersDeleted = 0;
    Notices notices;  // the phone's refusal, said once
};
// Removes every entry of the day: on line from the phone and phone_schedule, then from
// reminder. A refusal of the phone gives one notice.
DayRemoval removeDaySchedules(PhoneLink* link, CPhoneScheduleDB& phoneSchedule,
                              CReminderDB& reminders, const QDate& day, DayRule rule);

// Copy or Move of one entry to a target date and time. `source` selects the entry being
// copied or moved; `target` carries type, contents, alarm flag, the target date and time and
// the ring time. The target's reminder row alerts only when it lies after `now`.
struct CopyMoveResult {
    bool unsafe = false;  // the contents cannot go to the phone: nothing changed
    bool phoneTried = false;
    ScheduleStoreOutcome phone;
    bool reminderStored = false;
    Notices notices;  // why the contents were refused, or what the phone's store said
};
CopyMoveResult copyOrMoveEntry(PhoneLink* link, CPhoneScheduleDB& phoneSchedule,
                               CReminderDB& reminders, const ScheduleSelection& source, bool move,
                               const ScheduleEntry& target, const QDateTime& now);
