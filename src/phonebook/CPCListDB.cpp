// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/CPCListDB.h"

#include "db/Recordset.h"
#include "phonebook/EntryColumns.h"
#include "phonebook/PhonebookDialString.h"
#include "phonebook/PhonebookEntryText.h"

namespace {
bool answeredOk(const Asker& ask, const QString& text, const QString& caption) {
    return ask(Prompt{text, caption, PromptIcon::Question, PromptButtons::OkCancel}) ==
           PromptAnswer::Ok;
}

StoreResult storedIf(bool stored) {
    return {stored ? StoreOutcome::Stored : StoreOutcome::Refused, {}};
}
}  // namespace

CPCListDB::CPCListDB() : PhonebookTable(MemoryPc, QStringLiteral("pc")) {}

CPCListDB::~CPCListDB() = default;

StoreResult CPCListDB::StoreNewEntry(PcPhonebookEntry entry, const Asker& ask) {
    if (auto unsafe = unsafeEntryTextNotice(entry.name, entry.mainNumber)) {
        return {StoreOutcome::UnsafeText, {*unsafe}};
    }
    if (IndexExists(entry.number)) {
        if (!answeredOk(
                ask,
                QStringLiteral("Number(%1) is exist.\n Do you want edit old phone book data?")
                    .arg(entry.number),
                QStringLiteral("New PB"))) {
            return {StoreOutcome::Declined, {}};
        }
        return storedIf(UpdateRow(entry));
    }
    if (entry.number <= 0) {
        entry.number = FirstFreeIndex();
    }
    AddRow(entry);
    return storedIf(true);
}

StoreResult CPCListDB::StoreEditedEntry(PcPhonebookEntry entry, const Asker& ask) {
    if (auto unsafe = unsafeEntryTextNotice(entry.name, entry.mainNumber)) {
        return {StoreOutcome::UnsafeText, {*unsafe}};
    }
    if (IndexExists(entry.number)) {
        return storedIf(UpdateRow(entry));
    }
    if (!answeredOk(
            ask,
            QStringLiteral(" Number(%1) does not exist.\n Do you want to make a new phone book?")
                .arg(entry.number),
            QStringLiteral("Edit PB"))) {
        return {StoreOutcome::Declined, {}};
    }
    if (entry.number <= 0) {
        entry.number = FirstFreeIndex();
    }
    AddRow(entry);
    return storedIf(true);
}

void CPCListDB::AddRow(const PcPhonebookEntry& entry) {
    Recordset& rows = recordset();
    rows.AddNew();
    writePcEntry(rows, entry);
    rows.Update();
    rememberPositionOf(entry.number);
}

bool CPCListDB::UpdateRow(const PcPhonebookEntry& entry) {
    Recordset* row = rowWithIndex(entry.number);
    if (!row) {
        return false;
    }
    row->Edit();
    writePcEntry(*row, entry);
    row->Update();
    rememberPositionOf(entry.number);
    return true;
}

PcPhonebookEntry CPCListDB::entryAt(int position) {
    Recordset& rows = recordset();
    if (!rows.moveTo(position)) {
        return {};
    }
    return readPcEntry(rows);
}

PcPhonebookEntry CPCListDB::findRow(int number, const QString& name, const QString& mainNumber) {
    for (const PcPhonebookEntry& entry : rows()) {
        // The list shows a caller-ID number in display form; the row holds it in phone form.
        if (entry.number == number && entry.name == name &&
            (entry.mainNumber == mainNumber || displayFormOf(entry.mainNumber) == mainNumber)) {
            return entry;
        }
    }
    return {};
}

QList<PcPhonebookEntry> CPCListDB::rows() {
    QList<PcPhonebookEntry> entries;
    Recordset& rows = recordset();
    rows.Requery();
    for (bool more = rows.MoveFirst(); more && !rows.IsEOF(); more = rows.MoveNext()) {
        entries.append(readPcEntry(rows));
    }
    return entries;
}

QString CPCListDB::ShowTotal() {
    return QStringLiteral("TOTAL : %1").arg(FullRecordCount());
}

bool CPCListDB::DeleteEntryAt(int position) {
    if (position < 0 || position >= FullRecordCount()) {
        return false;
    }
    deletionTable_.AddDeletedRow(entryAt(position));
    deleteRowAt(position);
    return true;
}

// The same pass as for the phone memories, without progress and without the deleted-items
// count, so the list selects nothing afterwards.
void CPCListDB::DeleteSelected(const QList<int>& selectedPositions) {
    lastDeletedItem_ = -1;
    int deleted = 0;
    for (int position : selectedPositions) {
        const int shifted = position - deleted;
        if (DeleteEntryAt(shifted)) {
            ++deleted;
            lastDeletedItem_ = shifted;
        }
    }
}

void CPCListDB::DeleteAll() {
    const int n = FullRecordCount();
    for (int i = 0; i < n; ++i) {
        if (!DeleteEntryAt(0)) {
            break;
        }
    }
}

void CPCListDB::RestoreDeleted() {
    while (!deletionTable_.isEmpty()) {
        AddRow(deletionTable_.firstRow());
        deletionTable_.deleteFirstRow();
    }
}
