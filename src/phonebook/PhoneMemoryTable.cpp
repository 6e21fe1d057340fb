// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/PhoneMemoryTable.h"

#include <QDir>
#include <QVariant>

#include "db/DatabaseConnection.h"
#include "db/DatabaseSchema.h"
#include "db/Recordset.h"
#include "db/TableColumns.h"
#include "phone/PhoneLink.h"
#include "phonebook/EntryColumns.h"
#include "platform/WorkDir.h"

PhoneMemoryTable::PhoneMemoryTable(PhonebookMemory memory, const QString& tableName, Traits traits,
                                   std::unique_ptr<PhoneDeletionTable> deletionTable)
    : PhonebookTable(memory, tableName),
      traits_(std::move(traits)),
      deletionTable_(std::move(deletionTable)) {}

PhoneMemoryTable::~PhoneMemoryTable() = default;

void PhoneMemoryTable::AddRow(int index, const QString& dialString, const QString& name) {
    addPhoneEntryRow(recordset(), PhonebookEntry{index, name, dialString});
}

PhonebookEntry PhoneMemoryTable::entryAt(int position) {
    Recordset& rows = recordset();
    if (!rows.moveTo(position)) {
        return {};
    }
    return readPhoneEntry(rows);
}

QList<PhonebookEntry> PhoneMemoryTable::rows() {
    QList<PhonebookEntry> entries;
    Recordset& rows = recordset();
    rows.Requery();
    for (bool more = rows.MoveFirst(); more && !rows.IsEOF(); more = rows.MoveNext()) {
        entries.append(readPhoneEntry(rows));
    }
    return entries;
}

PhonebookEntry PhoneMemoryTable::entryWithIndex(int index) {
    const Recordset* row = rowWithIndex(index);
    return row ? readPhoneEntry(*row) : PhonebookEntry{};
}

void PhoneMemoryTable::updateRow(int index, const QString& name, const QString& dialString) {
    if (Recordset* row = rowWithIndex(index)) {
        row->Edit();
        row->setValue(PhonebookColumns::Name, name);
        row->setValue(PhonebookColumns::MainNumber, dialString);
        row->Update();
    }
    recordset().Requery();
}

bool PhoneMemoryTable::replaceAllRows(const QList<PhonebookEntry>& entries) {
    QList<QVariantList> values;
    values.reserve(entries.size());
    for (const PhonebookEntry& entry : entries) {
        values.append(QVariantList{entry.index, entry.name, entry.dialString});
    }
    // One unit: the old rows go only when every new row is in.
    bool replaced = false;
    {
        DbTransaction transaction(kPhonebookDbFile);
        Recordset& rows = recordset();
        replaced = rows.deleteAllRows() &&
                   rows.addRows({PhonebookColumns::Number, PhonebookColumns::Name,
                                 PhonebookColumns::MainNumber},
                                values) &&
                   transaction.commit();
    }
    recordset().Requery();
    return replaced;
}

int PhoneMemoryTable::capacity(const PhoneLink& link) const {
    return memory() == MemorySim ? link.simPhonebookCapacity : link.mePhonebookCapacity;
}

QString PhoneMemoryTable::ShowTotal(const PhoneLink& link) {
    return QStringLiteral("TOTAL : %1 / %2").arg(FullRecordCount()).arg(capacity(link));
}

CSimViewDB::CSimViewDB()
    : PhoneMemoryTable(MemorySim, QStringLiteral("sim"),
                       Traits{0, QStringLiteral("Phone Book SIM Load"), 0,
                              QStringLiteral("Phone Book SIM Delete"), 0, false},
                       std::make_unique<CTempDB>()) {
    g_workDir = QDir::currentPath();
}

CMsListDB::CMsListDB()
    : PhoneMemoryTable(MemoryMs, QStringLiteral("ms"),
                       Traits{1, QStringLiteral("Phone Book MS Load"), 50,
                              QStringLiteral("Phone Book MS Delete"), 2, true},
                       std::make_unique<CMsTemp>()) {}
