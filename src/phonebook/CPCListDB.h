// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include "phonebook/DeletionTables.h"
#include "phonebook/PhonebookTable.h"

// The PC phonebook (table pc): lives only on the PC, no phone traffic.
class CPCListDB : public PhonebookTable {
  public:
    CPCListDB();
    ~CPCListDB() override;

    // The New command's store: at an index already taken, asks whether to rewrite that entry;
    // otherwise adds the row (at the first free index when the number is 0 or less).
    StoreResult StoreNewEntry(PcPhonebookEntry entry, const Asker& ask);
    // The Edit command's store: rewrites the entry at its number; when there is none, asks
    // whether to make a new one there.
    StoreResult StoreEditedEntry(PcPhonebookEntry entry, const Asker& ask);

    // Adds the row and remembers its position for the selection.
    void AddRow(const PcPhonebookEntry& entry);
    // Rewrites all values of the row holding entry.number and remembers its position; false
    // when no row holds that number.
    bool UpdateRow(const PcPhonebookEntry& entry);
    PcPhonebookEntry entryAt(int position);
    // The first row whose Number, Name and MainNumber (as stored or as the list shows it) equal
    // the texts; number 0 when none.
    PcPhonebookEntry findRow(int number, const QString& name, const QString& mainNumber);
    QList<PcPhonebookEntry> rows();

    // "TOTAL : rows" for the rows under the current filter.
    QString ShowTotal();

    bool DeleteEntryAt(int position);
    void DeleteSelected(const QList<int>& selectedPositions);
    void DeleteAll();
    void RestoreDeleted();

    CPTemp& deletionTable() { return deletionTable_; }

  private:
    CPTemp deletionTable_;
};
