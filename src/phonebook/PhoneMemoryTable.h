#pragma once

#include <QList>
#include <QString>

#include "phonebook/DeletionTables.h"
#include "phonebook/PhonebookTable.h"

class PhoneLink;

// How a load from the phone ended.
enum class PhonebookLoadResult {
    Loaded,     // the table now mirrors the phone
    NotLoaded,  // off-line, or the phone refused the memory selection: table unchanged
    PhoneLost,  // the phone stopped answering: table unchanged, the program is to end
};

// How a store ended.
enum class StoreOutcome {
    Stored,      // the table (and the phone, when found) holds the entry
    Declined,    // the user answered Cancel to the question
    Refused,     // the phone refused the selection or the write; the table is unchanged
    UnsafeText,  // the name or dial string cannot go on a command line: nothing sent or stored
};

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
    // holds, in one go when the pass is complete.
    PhonebookLoadResult LoadFromPhone(PhoneLink& link);
    // An index of 0 or less stands for the first free index. Asks before overwriting.
    StoreOutcome StoreNewEntry(PhoneLink& link, int index, const QString& name,
                               const QString& dialString, int mode);
    StoreOutcome StoreEditedEntry(PhoneLink& link, int index, const QString& name,
                                  const QString& dialString);
    // Deletes the row at a list position; false when the phone refused (the row stays).
    bool DeleteEntryAt(PhoneLink& link, int position);
    // The list positions of the selected items, in list order.
    void DeleteSelected(PhoneLink& link, const QList<int>& selectedPositions);
    void DeleteAll(PhoneLink& link);
    // Puts every row of the deletion table back at its old index; rows the phone refuses stay
    // in the deletion table.
    void RestoreDeleted(PhoneLink& link);

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
    // Replaces every row in one transaction.
    void replaceAllRows(const QList<PhonebookEntry>& entries);
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
