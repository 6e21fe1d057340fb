#include "phone/PhoneLink.h"
#include "phonebook/PhoneMemoryTable.h"
#include "platform/Progress.h"

bool PhoneMemoryTable::DeleteEntryAt(PhoneLink& link, int position) {
    if (position < 0 || position >= FullRecordCount()) {
        return false;
    }
    const PhonebookEntry entry = entryAt(position);
    if (link.phoneFound) {
        if (link.SelectPhonebookMemory(traits_.selectCode) != 0 ||
            link.DeletePhonebookEntry(entry.index) != 0) {
            return false;
        }
    }
    deletionTable_->AddDeletedRow(entry.index, entry.name, entry.dialString);
    deleteRowAt(position);
    return true;
}

// Each deletion moves the later rows up by one; the positions are shifted by the deletions
// that happened, not by the attempts, so a row the phone refused keeps the later ones on
// their own rows.
void PhoneMemoryTable::DeleteSelected(PhoneLink& link, const QList<int>& selectedPositions) {
    deletedCount_ = 0;
    lastDeletedItem_ = -1;
    Progress& progress = currentProgress();
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
void PhoneMemoryTable::DeleteAll(PhoneLink& link) {
    const QString savedFilter = appliedFilter();
    if (traits_.deleteAllClearsFilter) {
        applyFilter(QString());
    }
    const int n = FullRecordCount();
    Progress& progress = currentProgress();
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

void PhoneMemoryTable::RestoreDeleted(PhoneLink& link) {
    PhoneDeletionTable& deleted = *deletionTable_;
    QList<PhonebookEntry> refused;
    while (!deleted.isEmpty()) {
        const PhonebookEntry entry = deleted.firstRow();
        const StoreOutcome outcome =
            StoreNewEntry(link, entry.index, entry.name, entry.dialString, traits_.restoreMode);
        deleted.deleteFirstRow();
        if (outcome == StoreOutcome::Refused || outcome == StoreOutcome::UnsafeText) {
            refused.append(entry);
        }
    }
    for (const PhonebookEntry& entry : refused) {
        deleted.AddDeletedRow(entry.index, entry.name, entry.dialString);
    }
}
