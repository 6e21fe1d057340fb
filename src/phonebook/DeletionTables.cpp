// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/DeletionTables.h"

#include "db/DatabaseSchema.h"
#include "db/Recordset.h"
#include "phonebook/EntryColumns.h"

DeletionTable::DeletionTable(const QString& tableName)
    : tableName_(tableName), recordset_(std::make_unique<Recordset>(kPhonebookDbFile, tableName)) {}

DeletionTable::~DeletionTable() = default;

int DeletionTable::rowCount() {
    recordset_->Requery();
    return recordset_->GetRecordCount();
}

bool DeletionTable::moveToFirstRow() {
    recordset_->Requery();
    return recordset_->GetRecordCount() > 0 && recordset_->MoveFirst();
}

void DeletionTable::deleteFirstRow() {
    if (moveToFirstRow()) {
        recordset_->Delete();
    }
    recordset_->Requery();
}

void DeletionTable::clear() {
    while (moveToFirstRow()) {
        if (!recordset_->Delete()) {
            break;
        }
    }
    recordset_->Requery();
}

void PhoneDeletionTable::AddDeletedRow(const PhonebookEntry& entry) {
    addPhoneEntryRow(recordset(), entry);
}

PhonebookEntry PhoneDeletionTable::firstRow() {
    if (!moveToFirstRow()) {
        return {};
    }
    return readPhoneEntry(recordset());
}

CTempDB::CTempDB() : PhoneDeletionTable(QStringLiteral("sTemp")) {}

CMsTemp::CMsTemp() : PhoneDeletionTable(QStringLiteral("mTemp")) {}

CPTemp::CPTemp() : DeletionTable(QStringLiteral("pTemp")) {}

void CPTemp::AddDeletedRow(const PcPhonebookEntry& entry) {
    Recordset& rows = recordset();
    rows.AddNew();
    writePcEntry(rows, entry);
    rows.Update();
    rows.Requery();
}

PcPhonebookEntry CPTemp::firstRow() {
    if (!moveToFirstRow()) {
        return {};
    }
    return readPcEntry(recordset());
}

void EmptyPhonebookDeletionTables() {
    CTempDB().clear();
    CMsTemp().clear();
    CPTemp().clear();
}
