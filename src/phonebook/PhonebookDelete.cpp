// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/PhoneLink.h"
#include "phonebook/PhoneAnswerCodes.h"
#include "phonebook/PhoneMemoryTable.h"
#include "platform/Progress.h"

bool PhoneMemoryTable::DeleteEntryAt(PhoneLink& link, int position) {
    if (position < 0 || position >= FullRecordCount()) {
        return false;
    }
    const PhonebookEntry entry = entryAt(position);
    if (link.phoneFound) {
        if (link.SelectPhonebookMemory(traits_.selectCode) != phonebook_answer::kDone ||
            link.DeletePhonebookEntry(entry.index) != phonebook_answer::kDone) {
            return false;
        }
    }
    deletionTable_->AddDeletedRow(entry);
    deleteRowAt(position);
    return true;
}

// Each deletion moves the later rows up by one; the positions are shifted by the deletions
// that happened, not by the attempts, so a row the phone refused keeps the later ones on
// their own rows.
void PhoneMemoryTable::DeleteSelected(PhoneLink& link, const QList<int>& selectedPositions,
                                      Progress& progress) {
    deletedCount_ = 0;
    lastDeletedItem_ = -1;
    const int n = static_cast<int>(selectedPositions.size());
    progress.show(traits_.deleteTitle, QStringLiteral("Delete..."));
    for (int i = 0; i < n; ++i) {
        progress.setCaption(traits_.deleteTitle);
        progress.setText(QStringLiteral("Delete..."));
        progress.setValue(0);
        progress.setValue(i * 100 / n);
        const int position = selectedPositions[i] - deletedCount_;
        if (DeleteEntryAt(link, position)) {
            ++deletedCount_;
            lastDeletedItem_ = position;
        }
    }
    progress.destroy();
}

// Stops at the first row the phone refuses: deleting position 0 again would only repeat the
// refusal.
void PhoneMemoryTable::DeleteAll(PhoneLink& link, Progress& progress) {
    const QString savedFilter = appliedFilter();
    if (traits_.deleteAllClearsFilter) {
        applyFilter(QString());
    }
    const int n = FullRecordCount();
    progress.show(traits_.deleteTitle, QStringLiteral("Delete..."));
    for (int i = 0; i < n; ++i) {
        progress.setCaption(traits_.deleteTitle);
        progress.setText(QStringLiteral("Delete..."));
        progress.setValue(0);
        progress.setValue(i * 100 / n);
        if (!DeleteEntryAt(link, 0)) {
            break;
        }
    }
    progress.destroy();
    if (traits_.deleteAllClearsFilter) {
        applyFilter(savedFilter);
    }
}

Notices PhoneMemoryTable::RestoreDeleted(PhoneLink& link, const Asker& ask) {
    PhoneDeletionTable& deleted = *deletionTable_;
    QList<PhonebookEntry> refused;
    Notices notices;
    while (!deleted.isEmpty()) {
        const PhonebookEntry entry = deleted.firstRow();
        const StoreResult result = StoreNewEntry(link, entry.index, entry.name, entry.dialString,
                                                 traits_.restoreMode, ask);
        notices += result.notices;
        deleted.deleteFirstRow();
        if (result.outcome == StoreOutcome::Refused || result.outcome == StoreOutcome::UnsafeText) {
            refused.append(entry);
        }
    }
    for (const PhonebookEntry& entry : refused) {
        deleted.AddDeletedRow(entry);
    }
    return notices;
}
