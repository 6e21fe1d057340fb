// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "phone/SlotMirror.h"
#include "scheduler/ScheduleTables.h"

class PhoneLink;
class Progress;

// What the user sees when the phone refused a write or a delete of a schedule entry.
inline const QString kScheduleRefusedText =
    QStringLiteral("The phone did not accept the schedule change.");
inline const QString kScheduleRefusedCaption = QStringLiteral("Schedule");

// The first showing of the scheduler while the phone was found: loads phone_schedule and, when
// the load was complete, replaces reminder with one row per loaded entry (in one
// transaction). Not loaded, with both tables unchanged, when the load did not finish;
// TableFailed when reminder could not be replaced.
MirrorOutcome RebuildRemindersFromPhone(PhoneLink& link, Progress& progress,
                                        CPhoneScheduleDB& phoneSchedule, CReminderDB& reminders);

// "Reload Schedule": the presence probe (PhoneLost, "Now is OFF line" when it fails), then the
// load. reminder is not touched.
MirrorOutcome ReloadSchedule(PhoneLink& link, Progress& progress, CPhoneScheduleDB& phoneSchedule);

// What removing one entry did, so that the caller knows whether to redraw.
struct ScheduleRemoval {
    bool phoneRowDeleted = false;  // the phone accepted the delete; its row is gone
    bool phoneRefused = false;     // the phone refused; phone_schedule keeps the row
    int index = -1;                // the slot of the phone_schedule row found
    bool reminderDeleted = false;
    Notices notices;  // the phone's refusal, when it refused
};

// Removes the first entry matching the selection: on line (link given and its phone found)
// from the phone and phone_schedule, then from reminder. The caller has asked the user.
ScheduleRemoval RemoveScheduleEntry(PhoneLink* link, CPhoneScheduleDB& phoneSchedule,
                                    CReminderDB& reminders, const ScheduleSelection& selection);

// What saving an entry (the OK of an entry dialog) did.
struct ScheduleSave {
    bool unsafe = false;      // nothing stored: the contents cannot go to the phone
    bool phoneTried = false;  // on line, and the entry went to StoreScheduleEntry
    ScheduleStoreOutcome phone;
    bool reminderStored = false;
    Notices notices;  // why the contents were refused, or what the phone's store said
};

// Stores an entry as the entry dialogs' OK does: on line to the phone and phone_schedule
// through StoreScheduleEntry, then always into reminder. `edited` names the entry being
// changed (null for a new one): its phone_schedule row gives the slot (no row: the phone is
// left alone) and its reminder row is rewritten (no row: a new one is added). The entry's
// alarm time is the clock time of the ring (0:0 without alarm).
ScheduleSave SaveScheduleEntry(PhoneLink* link, CPhoneScheduleDB& phoneSchedule,
                               CReminderDB& reminders, const ScheduleEntry& entry, bool done,
                               const ScheduleSelection* edited = nullptr);
