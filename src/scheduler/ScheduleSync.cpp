#include "scheduler/ScheduleSync.h"

#include <QSet>
#include <QVariant>

#include "db/DatabaseConnection.h"
#include "db/DatabaseSchema.h"
#include "link/LinkClock.h"
#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "phone/PhoneSafeText.h"
#include "phone/ScheduleAnswers.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"

namespace {

constexpr int kRewritePauseMs = 100;

const char* const kLostDuringLoad =
    "Detected off-line during the Schedule Loading!\nTry again after confirming the PC "
    "connection";

void reportRefusal() {
    showMessage(kScheduleRefusedText, kScheduleRefusedCaption, PromptIcon::Warning);
}

bool online(const PhoneLink* link) {
    return link && link->phoneFound;
}

}  // namespace

// A read that fails outright is followed by the presence probe: a phone that answers goes on
// (the slot counts as empty), one that fell silent ends the load before anything is replaced.
bool CPhoneScheduleDB::LoadScheduleFromPhone(PhoneLink& link) {
    if (!link.phoneFound) {
        return false;
    }
    Progress& progress = currentProgress();
    progress.show(QStringLiteral("Schedule Load"), QStringLiteral("Loading...."));
    progress.setValue(0);

    QList<ScheduleEntry> staged;
    QSet<int> takenSlots;
    for (int index = 0; index < ScheduleCapacity; ++index) {
        QString answer;
        const int code = link.ReadScheduleEntry(index, answer);
        if (code != kTransactComplete && !link.Identify()) {
            progress.destroy();
            showMessage(QString::fromLatin1(kLostDuringLoad), QStringLiteral("Schedule Load"),
                        PromptIcon::Error);
            return false;
        }
        ScheduleEntry entry;
        if (code == kTransactComplete && ParseScheduleAnswer(answer, entry) &&
            !takenSlots.contains(entry.index)) {
            takenSlots.insert(entry.index);
            staged.append(entry);
        }
        progress.setValue(2 * index);
    }
    const bool replaced = replaceAll(staged);
    progress.destroy();
    return replaced;
}

ScheduleStoreOutcome CPhoneScheduleDB::StoreScheduleEntry(PhoneLink& link,
                                                          const ScheduleEntry& entry) {
    const QString problem = phoneSafeTextProblem(entry.contents, PhoneTextKind::Contents);
    if (!problem.isEmpty()) {
        showMessage(problem, kScheduleRefusedCaption, PromptIcon::Warning);
        return {ScheduleStoreResult::Unsafe, -1};
    }

    if (entry.index >= 0 && FindScheduleIndex(entry.index)) {
        const ScheduleEntry old = currentEntry();
        const bool deleted = link.DeleteScheduleEntry(entry.index) == kTransactComplete;
        link.clock().sleepMs(kRewritePauseMs);
        if (link.WriteScheduleEntry(entry) == kTransactComplete) {
            UpdateScheduleRow(entry);
            return {ScheduleStoreResult::Stored, entry.index};
        }
        // The slot must not stay empty because of an edit: put the old entry back. Only when
        // that fails too after a delete the phone accepted does the mirror lose the row.
        const bool restored = link.WriteScheduleEntry(old) == kTransactComplete;
        if (deleted && !restored && FindScheduleIndex(entry.index)) {
            Delete();
            Requery();
        }
        reportRefusal();
        return {ScheduleStoreResult::Refused, -1};
    }

    ScheduleEntry placed = entry;
    placed.index = FindFreeScheduleIndex();
    if (placed.index < 0) {
        return {ScheduleStoreResult::Full, -1};
    }
    if (link.WriteScheduleEntry(placed) != kTransactComplete) {
        reportRefusal();
        return {ScheduleStoreResult::Refused, -1};
    }
    AddScheduleRow(placed);
    return {ScheduleStoreResult::Stored, placed.index};
}

bool RebuildRemindersFromPhone(PhoneLink& link, CPhoneScheduleDB& phoneSchedule,
                               CReminderDB& reminders) {
    if (!phoneSchedule.LoadScheduleFromPhone(link)) {
        return false;
    }
    QList<QVariantList> rows;
    for (const ScheduleEntry& e : phoneSchedule.entries()) {
        rows.append(QVariantList{e.type, e.year, e.month, e.date, e.hour, e.minute, e.alarmHour,
                                 e.alarmMinute, e.contents});
    }
    // The PC's copy goes only together with the arrival of its replacement.
    DbTransaction transaction(kSchedulerDbFile);
    const bool ok =
        reminders.deleteAllRows() &&
        reminders.addRows({"type", "start_year", "start_month", "start_day", "start_hour",
                           "start_minute", "alarm_hour", "alarm_minute", "title"},
                          rows) &&
        transaction.commit();
    reminders.Requery();
    return ok;
}

bool ReloadSchedule(PhoneLink& link, CPhoneScheduleDB& phoneSchedule) {
    if (!link.Identify()) {
        showMessage(QStringLiteral("Now is OFF line"), QStringLiteral("Load"), PromptIcon::Error);
        return false;
    }
    return phoneSchedule.LoadScheduleFromPhone(link);
}

ScheduleRemoval RemoveScheduleEntry(PhoneLink* link, CPhoneScheduleDB& phoneSchedule,
                                    CReminderDB& reminders, const ScheduleSelection& selection) {
    ScheduleRemoval removal;
    if (online(link) && phoneSchedule.FindSelected(selection)) {
        const int index = phoneSchedule.currentEntry().index;
        removal.index = index;
        if (link->DeleteScheduleEntry(index) == kTransactComplete) {
            // The walk of the delete may have moved the cursor: find the row again.
            if (phoneSchedule.FindSelected(selection)) {
                phoneSchedule.Delete();
            }
            phoneSchedule.Requery();
            removal.phoneRowDeleted = true;
        } else {
            removal.phoneRefused = true;
            reportRefusal();
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
        showMessage(problem, kScheduleRefusedCaption, PromptIcon::Warning);
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
            g_slowPoll = true;
            save.phoneTried = true;
            save.phone = phoneSchedule.StoreScheduleEntry(*link, toPhone);
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
