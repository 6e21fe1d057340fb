// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

#include "phonebook/PhonebookEntry.h"

class Recordset;

// The tables sTemp, mTemp and pTemp keep the rows deleted during this run, so that Cancel
// Deletion can put them back. They are emptied when the main window closes.
class DeletionTable {
  public:
    virtual ~DeletionTable();
    DeletionTable(const DeletionTable&) = delete;
    DeletionTable& operator=(const DeletionTable&) = delete;

    QString tableName() const { return tableName_; }
    int rowCount();
    bool isEmpty() { return rowCount() == 0; }
    void deleteFirstRow();
    void clear();

  protected:
    explicit DeletionTable(const QString& tableName);
    Recordset& recordset() { return *recordset_; }
    // Rows come back in the order they were deleted.
    bool moveToFirstRow();

  private:
    QString tableName_;
    std::unique_ptr<Recordset> recordset_;
};

// sTemp and mTemp: the columns of sim and ms.
class PhoneDeletionTable : public DeletionTable {
  public:
    void AddDeletedRow(const PhonebookEntry& entry);
    // The oldest deleted row; index 0 when the table is empty.
    PhonebookEntry firstRow();

  protected:
    using DeletionTable::DeletionTable;
};

class CTempDB : public PhoneDeletionTable {
  public:
    CTempDB();
};

class CMsTemp : public PhoneDeletionTable {
  public:
    CMsTemp();
};

// pTemp: the columns of pc.
class CPTemp : public DeletionTable {
  public:
    CPTemp();
    void AddDeletedRow(const PcPhonebookEntry& entry);
    PcPhonebookEntry firstRow();
};

// Empties sTemp, mTemp and pTemp (the main window does it when it closes).
void EmptyPhonebookDeletionTables();
