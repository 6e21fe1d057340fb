// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include "db/Recordset.h"
#include "phone/PhoneResult.h"
#include "phone/ScheduleEntry.h"
#include "platform/Notice.h"

class PhoneLink;
class Progress;
struct MirrorOutcome;

// How the PC finds an entry in either table, which have no key of their own: its date, its
// hour and its contents text (without type mark), compared exactly. An hour of -1 matches any
// hour (a month cell gives none).
struct ScheduleSelection {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = -1;
    QString contents;
};

// One row of the PC's own copy: the entry (index -1, it has no slot) and the done mark.
struct ReminderRow {
    ScheduleEntry entry;
    bool done = false;  // column enable: the entry never alerts again

    bool operator==(const ReminderRow&) const = default;
};

// How a store of one entry on the phone ended.
enum class ScheduleStoreResult {
    Stored,   // the phone and phone_schedule hold the entry
    Full,     // no free slot: nothing was sent
    Refused,  // the phone refused; phone_schedule still tells what the phone holds
    Unsafe,   // the contents cannot go into a command: nothing was sent
};

struct ScheduleStoreOutcome {
    ScheduleStoreResult result = ScheduleStoreResult::Refused;
    int index = -1;   // the slot, when stored
    Notices notices;  // what the user must be told: why nothing was stored
};

// Told when every slot of the phone is taken.
inline Notice scheduleFullNotice() {
    return Notice{QStringLiteral("You can't insert Schedule due to maximum capacity excess."),
                  QStringLiteral("Insert failure"), PromptIcon::Warning};
}

// Table phone_schedule of SchedulerDB.mdb: the mirror of the phone's scheduler, one row per
// occupied slot. Rows keep the order in which they were added.
class CPhoneScheduleDB : public Recordset {
  public:
    CPhoneScheduleDB();

    // True with the cursor on the first row holding the slot.
    bool FindScheduleIndex(int index);
    // The lowest slot no row holds; -1 when every slot is taken.
    int FindFreeScheduleIndex();
    bool AddScheduleRow(const ScheduleEntry& entry);
    // Changes the row holding the entry's slot in place; nothing when no row holds it.
    bool UpdateScheduleRow(const ScheduleEntry& entry);
    bool DeleteAllSchedules();

    // The entry of the current row.
    ScheduleEntry currentEntry() const;
    // Every row, in table order.
    QList<ScheduleEntry> entries();
    // A walk from the first row: true with the cursor on the first row that matches.
    bool FindSelected(const ScheduleSelection& selection);

    // Reads all 50 slots and replaces the table with what the phone holds, in one transaction
    // and only after a complete pass. Not loaded (table unchanged) off line or when the phone
    // stopped answering during the pass; the latter carries its notice.
    MirrorOutcome LoadScheduleFromPhone(PhoneLink& link, Progress& progress);
    // Writes one entry to the phone: an entry whose slot has a row is deleted and rewritten in
    // that slot, any other goes to the first free slot. The row changes only when the phone
    // accepted; a refusal carries one notice. firstCommand is the poll rate of the first
    // command sent (the delete of a rewrite, or the write of a new entry).
    ScheduleStoreOutcome StoreScheduleEntry(PhoneLink& link, const ScheduleEntry& entry,
                                            PollRate firstCommand = PollRate::Normal);

  private:
    bool replaceAll(const QList<ScheduleEntry>& entries);
};

// Table reminder of SchedulerDB.mdb: the PC's own copy of the schedule, read while the phone
// is off line and by the alarm timer.
class CReminderDB : public Recordset {
  public:
    CReminderDB();

    // Sets the nine entry columns; alarm_state and enable keep the new row's defaults.
    bool AddReminderRow(int type, int startYear, int startMonth, int startDay, int startHour,
                        int startMinute, int alarmHour, int alarmMinute, const QString& title);
    bool DeleteAllReminders();

    // Writes every column of the entry and the done mark into a new row, or into the current
    // row when `editCurrent` is set.
    bool StoreReminder(const ScheduleEntry& entry, bool done, bool editCurrent);

    ReminderRow currentRow() const;
    QList<ReminderRow> rows();
    bool FindSelected(const ScheduleSelection& selection);
};
