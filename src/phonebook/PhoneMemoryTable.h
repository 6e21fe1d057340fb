// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include "phone/SlotMirror.h"
#include "phonebook/DeletionTables.h"
#include "phonebook/PhonebookTable.h"

class PhoneLink;
class Progress;

// The SIM (sim) and phone-memory (ms) tables: caches of the phone. Every change goes to the
// phone first when the link found a phone, and to the table alone otherwise.
class PhoneMemoryTable : public PhonebookTable {
  public:
    ~PhoneMemoryTable() override;

    void AddRow(int index, const QString& dialString, const QString& name);
    // The row at a list position (as stored: phone form).
    PhonebookEntry entryAt(int position);
    // All rows under the current filter and sort.
    QList<PhonebookEntry> rows();

    int capacity(const PhoneLink& link) const;
    // "TOTAL : rows / capacity" for the rows under the current filter.
    QString ShowTotal(const PhoneLink& link);

    // Reads every index from 1 to the capacity and replaces the table with what the phone
    // holds, in one go when the pass is complete. Skipped when off-line or when the phone
    // refused the memory selection; PhoneLost (the program is to end) carries its notice.
    MirrorOutcome LoadFromPhone(PhoneLink& link, Progress& progress);
    // An index of 0 or less stands for the first free index. Asks before overwriting.
    StoreResult StoreNewEntry(PhoneLink& link, int index, const QString& name,
                              const QString& dialString, int mode, const Asker& ask);
    // Asks before making a new entry where none is.
    StoreResult StoreEditedEntry(PhoneLink& link, int index, const QString& name,
                                 const QString& dialString, const Asker& ask);
    // Deletes the row at a list position; false when the phone refused (the row stays).
    bool DeleteEntryAt(PhoneLink& link, int position);
    // The list positions of the selected items, in list order.
    void DeleteSelected(PhoneLink& link, const QList<int>& selectedPositions, Progress& progress);
    void DeleteAll(PhoneLink& link, Progress& progress);
    // Puts every row of the deletion table back at its old index; rows the phone refuses stay
    // in the deletion table. Returns what the stores had to tell.
    Notices RestoreDeleted(PhoneLink& link, const Asker& ask);

    PhoneDeletionTable& deletionTable() { return *deletionTable_; }

  protected:
    struct Traits {
        int selectCode;  // SelectPhonebookMemory
        QString loadTitle;
        int progressBase;  // load bar runs from here over 50
        QString deleteTitle;
        int restoreMode;             // write mode of Cancel Deletion
        bool deleteAllClearsFilter;  // Delete All ignores the filter
    };
    PhoneMemoryTable(PhonebookMemory memory, const QString& tableName, Traits traits,
                     std::unique_ptr<PhoneDeletionTable> deletionTable);

  private:
    void updateRow(int index, const QString& name, const QString& dialString);
    // Replaces every row in one transaction; false (table unchanged) when that failed.
    bool replaceAllRows(const QList<PhonebookEntry>& entries);
    // The row holding the index, whatever the filter; index 0 when none.
    PhonebookEntry entryWithIndex(int index);

    Traits traits_;
    std::unique_ptr<PhoneDeletionTable> deletionTable_;
};

class CSimViewDB : public PhoneMemoryTable {
  public:
    CSimViewDB();
};

class CMsListDB : public PhoneMemoryTable {
  public:
    CMsListDB();
};
