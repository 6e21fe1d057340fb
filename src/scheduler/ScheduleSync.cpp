// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ScheduleSync.h"

#include <QSet>
#include <QVariant>

#include "db/DatabaseConnection.h"
#include "db/DatabaseSchema.h"
#include "db/TableColumns.h"
#include "phone/PhoneLink.h"
#include "phone/PhoneSafeText.h"
#include "phone/ScheduleAnswers.h"
#include "phone/SlotMirror.h"

namespace {

constexpr int kRewritePauseMs = 100;

const char* const kLostDuringLoad =
    "Detected off-line during the Schedule Loading!\nTry again after confirming the PC "
    "connection";

Notice refusalNotice() {
    return Notice{kScheduleRefusedText, kScheduleRefusedCaption, PromptIcon::Warning};
}

Notice unsafeNotice(const QString& problem) {
    return Notice{problem, kScheduleRefusedCaption, PromptIcon::Warning};
}

bool online(const PhoneLink* link) {
    return link && link->phoneFound;
}

}  // namespace

// A read that fails outright is followed by the presence probe: a phone that answers goes on
// (the slot counts as empty), one that fell silent ends the load before anything is replaced.
MirrorOutcome CPhoneScheduleDB::LoadScheduleFromPhone(PhoneLink& link, Progress& progress) {
    SlotStaging<ScheduleEntry> staging;
    SlotMirrorPlan plan;
    plan.caption = QStringLiteral("Schedule Load");
    plan.startValue = 0;
    plan.first = 0;
    plan.last = ScheduleCapacity - 1;
    plan.readSlot = [&](int slot) {
        QString answer;
        const int code = link.ReadScheduleEntry(slot, answer);
        ScheduleEntry entry;
        if (code == kPhoneDone && ParseScheduleAnswer(answer, entry)) {
            staging.add(entry.index, entry);
        }
        return code;
    };
    plan.progressValue = [](int slot) { return 2 * slot; };
    plan.stagedCount = [&] { return staging.size(); };
    plan.replaceTable = [&] { return replaceAll(staging.rows()); };
    plan.lostNotice = Notice{QString::fromLatin1(kLostDuringLoad), QStringLiteral("Schedule Load"),
                             PromptIcon::Error};
    return mirrorSlots(link, progress, plan);
}

ScheduleStoreOutcome CPhoneScheduleDB::StoreScheduleEntry(PhoneLink& link,
                                                          const ScheduleEntry& entry,
                                                          PollRate firstCommand) {
    const QString problem = phoneSafeTextProblem(entry.contents, PhoneTextKind::Contents);
    if (!problem.isEmpty()) {
        return {ScheduleStoreResult::Unsafe, -1, {unsafeNotice(problem)}};
    }

    if (entry.index >= 0 && FindScheduleIndex(entry.index)) {
        const ScheduleEntry old = currentEntry();
        const bool deleted = link.DeleteScheduleEntry(entry.index, firstCommand) == kPhoneDone;
        link.sleepMs(kRewritePauseMs);
        if (link.WriteScheduleEntry(entry) == kPhoneDone) {
            UpdateScheduleRow(entry);
            return {ScheduleStoreResult::Stored, entry.index, {}};
        }
        // The slot must not stay empty because of an edit: put the old entry back. Only when
        // that fails too after a delete the phone accepted does the mirror lose the row.
        const bool restored = link.WriteScheduleEntry(old) == kPhoneDone;
        if (deleted && !restored && FindScheduleIndex(entry.index)) {
            Delete();
            Requery();
        }
        return {ScheduleStoreResult::Refused, -1, {refusalNotice()}};
    }

    ScheduleEntry placed = entry;
    placed.index = FindFreeScheduleIndex();
    if (placed.index < 0) {
        return {ScheduleStoreResult::Full, -1, {scheduleFullNotice()}};
    }
    if (link.WriteScheduleEntry(placed, firstCommand) != kPhoneDone) {
        return {ScheduleStoreResult::Refused, -1, {refusalNotice()}};
    }
    AddScheduleRow(placed);
    return {ScheduleStoreResult::Stored, placed.index, {}};
}

MirrorOutcome RebuildRemindersFromPhone(PhoneLink& link, Progress& progress,
                                        CPhoneScheduleDB& phoneSchedule, CReminderDB& reminders) {
    MirrorOutcome outcome = phoneSchedule.LoadScheduleFromPhone(link, progress);
    if (!outcome.loaded()) {
        return outcome;
    }
    QList<QVariantList> rows;
    for (const ScheduleEntry& e : phoneSchedule.entries()) {
        rows.append(QVariantList{e.type, e.year, e.month, e.date, e.hour, e.minute, e.alarmHour,
                                 e.alarmMinute, e.contents});
    }
    namespace Pc = ReminderColumns;
    // The PC's copy goes only together with the arrival of its replacement.
    DbTransaction transaction(kSchedulerDbFile);
    const bool ok =
        reminders.deleteAllRows() &&
        reminders.addRows({Pc::Type, Pc::StartYear, Pc::StartMonth, Pc::StartDay, Pc::StartHour,
                           Pc::StartMinute, Pc::AlarmHour, Pc::AlarmMinute, Pc::Title},
                          rows) &&
        transaction.commit();
    reminders.Requery();
    if (!ok) {
        outcome.kind = MirrorOutcome::Kind::TableFailed;
    }
    return outcome;
}

MirrorOutcome ReloadSchedule(PhoneLink& link, Progress& progress, CPhoneScheduleDB& phoneSchedule) {
    if (!link.Identify()) {
        MirrorOutcome outcome;
        outcome.kind = MirrorOutcome::Kind::PhoneLost;
        outcome.notice = offLineNotice();
        return outcome;
    }
    return phoneSchedule.LoadScheduleFromPhone(link, progress);
}

ScheduleRemoval RemoveScheduleEntry(PhoneLink* link, CPhoneScheduleDB& phoneSchedule,
                                    CReminderDB& reminders, const ScheduleSelection& selection) {
    ScheduleRemoval removal;
    if (online(link) && phoneSchedule.FindSelected(selection)) {
        const int index = phoneSchedule.currentEntry().index;
        removal.index = index;
        if (link->DeleteScheduleEntry(index) == kPhoneDone) {
            // The walk of the delete may have moved the cursor: find the row again.
            if (phoneSchedule.FindSelected(selection)) {
                phoneSchedule.Delete();
            }
            phoneSchedule.Requery();
            removal.phoneRowDeleted = true;
        } else {
            removal.phoneRefused = true;
            removal.notices.append(refusalNotice());
        }
    }
    if (reminders.FindSelected(selection)) {
        reminders.Delete();
        reminders.Requery();
        removal.reminderDeleted = true;
    }
    return removal;
}

ScheduleSave SaveScheduleEntry(PhoneLink* link, CPhoneScheduleDB& phoneSchedule,
                               CReminderDB& reminders, const ScheduleEntry& entry, bool done,
                               const ScheduleSelection* edited) {
    ScheduleSave save;
    const QString problem = phoneSafeTextProblem(entry.contents, PhoneTextKind::Contents);
    if (!problem.isEmpty()) {
        save.notices.append(unsafeNotice(problem));
        save.unsafe = true;
        return save;
    }
    if (online(link)) {
        ScheduleEntry toPhone = entry;
        toPhone.index = -1;
        bool store = true;
        if (edited) {
            store = phoneSchedule.FindSelected(*edited);
            if (store) {
                toPhone.index = phoneSchedule.currentEntry().index;
            }
        }
        if (store) {
            save.phoneTried = true;
            save.phone = phoneSchedule.StoreScheduleEntry(*link, toPhone, PollRate::Slow);
            save.notices += save.phone.notices;
        }
    }
    ScheduleEntry toPc = entry;
    toPc.index = -1;
    const bool editRow = edited && reminders.FindSelected(*edited);
    if (!editRow) {
        reminders.Requery();
    }
    save.reminderStored = reminders.StoreReminder(toPc, done, editRow);
    return save;
}
