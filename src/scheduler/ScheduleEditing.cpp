// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ScheduleEditing.h"

#include "phone/PhoneLink.h"
#include "phone/PhoneSafeText.h"
#include "scheduler/ScheduleCalendar.h"
#include "scheduler/ScheduleSync.h"

bool scheduleOnline(const PhoneLink* link) {
    return link && link->phoneFound;
}

QList<ScheduleEntry> shownScheduleEntries(const PhoneLink* link, CPhoneScheduleDB& phoneSchedule,
                                          CReminderDB& reminders) {
    if (scheduleOnline(link)) {
        return phoneSchedule.entries();
    }
    QList<ScheduleEntry> out;
    for (const ReminderRow& row : reminders.rows()) {
        out.append(row.entry);
    }
    return out;
}

SelectedEntry loadSelectedEntry(const PhoneLink* link, CPhoneScheduleDB& phoneSchedule,
                                CReminderDB& reminders, const ScheduleSelection& selection) {
    SelectedEntry out;
    if (scheduleOnline(link) && phoneSchedule.FindSelected(selection)) {
        out.found = true;
        out.fromPhone = true;
        out.entry = phoneSchedule.currentEntry();
        return out;
    }
    if (reminders.FindSelected(selection)) {
        const ReminderRow row = reminders.currentRow();
        out.found = true;
        out.entry = row.entry;
        out.done = row.done;
    }
    return out;
}

bool entryBelongsToDay(const ScheduleEntry& entry, const QDate& day, DayRule rule) {
    if (rule == DayRule::CalendarDay) {
        return entryDate(entry) == day;
    }
    return hourRowOf(entry, day) > 0;
}

DayRemoval removeDaySchedules(PhoneLink* link, CPhoneScheduleDB& phoneSchedule,
                              CReminderDB& reminders, const QDate& day, DayRule rule) {
    DayRemoval removal;
    if (scheduleOnline(link)) {
        QList<int> phoneSlots;
        for (const ScheduleEntry& entry : phoneSchedule.entries()) {
            if (entryBelongsToDay(entry, day, rule)) {
                phoneSlots.append(entry.index);
            }
        }
        for (int slot : phoneSlots) {
            if (link->DeleteScheduleEntry(slot) != kPhoneDone) {
                ++removal.phoneRefusals;
                continue;
            }
            if (phoneSchedule.FindScheduleIndex(slot)) {
                phoneSchedule.Delete();
                phoneSchedule.Requery();
            }
            ++removal.phoneRowsDeleted;
        }
        if (removal.phoneRefusals > 0) {
            removal.notices.append(
                Notice{kScheduleRefusedText, kScheduleRefusedCaption, PromptIcon::Warning});
        }
    }
    // Walked from the first row again after every delete, so no row is skipped.
    for (bool again = true; again;) {
        again = false;
        reminders.Requery();
        for (bool more = reminders.MoveFirst(); more && !reminders.IsEOF();
             more = reminders.MoveNext()) {
            if (entryBelongsToDay(reminders.currentRow().entry, day, rule)) {
                again = reminders.Delete();
                if (again) {
                    ++removal.remindersDeleted;
                }
                break;
            }
        }
    }
    reminders.Requery();
    return removal;
}

CopyMoveResult copyOrMoveEntry(PhoneLink* link, CPhoneScheduleDB& phoneSchedule,
                               CReminderDB& reminders, const ScheduleSelection& source, bool move,
                               const ScheduleEntry& target, const QDateTime& now) {
    CopyMoveResult result;
    const QString problem = phoneSafeTextProblem(target.contents, PhoneTextKind::Contents);
    if (!problem.isEmpty()) {
        result.notices.append(Notice{problem, kScheduleRefusedCaption, PromptIcon::Warning});
        result.unsafe = true;
        return result;
    }
    if (scheduleOnline(link)) {
        ScheduleEntry toPhone = target;
        toPhone.index = -1;
        if (move && phoneSchedule.FindSelected(source)) {
            toPhone.index = phoneSchedule.currentEntry().index;
        }
        result.phoneTried = true;
        result.phone = phoneSchedule.StoreScheduleEntry(*link, toPhone, PollRate::Slow);
        result.notices += result.phone.notices;
    }
    ScheduleEntry toPc = target;
    toPc.index = -1;
    const QDateTime when(entryDate(target), QTime(target.hour, target.minute));
    const bool done = !(when > now);
    // A moved entry whose PC row is missing gets a new one rather than none.
    const bool editRow = move && reminders.FindSelected(source);
    if (!editRow) {
        reminders.Requery();
    }
    result.reminderStored = reminders.StoreReminder(toPc, done, editRow);
    return result;
}
