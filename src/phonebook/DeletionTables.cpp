#include "phonebook/DeletionTables.h"

#include "db/DatabaseSchema.h"
#include "db/Recordset.h"
#include "phonebook/PcEntryColumns.h"

namespace {
const QString kNumber = QStringLiteral("Number");
const QString kName = QStringLiteral("Name");
const QString kMainNumber = QStringLiteral("MainNumber");
}  // namespace

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

void PhoneDeletionTable::AddDeletedRow(int number, const QString& name, const QString& mainNumber) {
    Recordset& rows = recordset();
    rows.AddNew();
    rows.setValue(kNumber, number);
    rows.setValue(kName, name);
    rows.setValue(kMainNumber, mainNumber);
    rows.Update();
    rows.Requery();
}

PhonebookEntry PhoneDeletionTable::firstRow() {
    if (!moveToFirstRow()) {
        return {};
    }
    const Recordset& rows = recordset();
    return PhonebookEntry{rows.intValue(kNumber), rows.textValue(kName),
                          rows.textValue(kMainNumber)};
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
