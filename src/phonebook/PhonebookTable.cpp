// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/PhonebookTable.h"

#include "db/DatabaseSchema.h"
#include "db/JetQuote.h"
#include "db/Recordset.h"
#include "db/TableColumns.h"
#include "phonebook/PhonebookDialString.h"

namespace {
const QString& kNumber = PhonebookColumns::Number;
const QString& kName = PhonebookColumns::Name;
const QString& kMainNumber = PhonebookColumns::MainNumber;
}  // namespace

PhonebookTable::PhonebookTable(PhonebookMemory memory, const QString& tableName)
    : memory_(memory),
      tableName_(tableName),
      recordset_(std::make_unique<Recordset>(kPhonebookDbFile, tableName)),
      allRows_(std::make_unique<Recordset>(kPhonebookDbFile, tableName)) {
    recordset_->setSort(sort_);
    allRows_->setSort(QStringLiteral("Number ASC"));
}

PhonebookTable::~PhonebookTable() = default;

Recordset* PhonebookTable::rowWithIndex(int index) {
    Recordset& rows = *allRows_;
    rows.Requery();
    for (bool more = rows.MoveFirst(); more && !rows.IsEOF(); more = rows.MoveNext()) {
        if (rows.intValue(kNumber) == index) {
            return &rows;
        }
    }
    return nullptr;
}

bool PhonebookTable::IndexExists(int index) {
    return rowWithIndex(index) != nullptr;
}

int PhonebookTable::FirstFreeIndex() {
    // Rows come sorted by index, so the first gap is the first free one.
    Recordset& rows = *allRows_;
    rows.Requery();
    int candidate = 1;
    for (bool more = rows.MoveFirst(); more && !rows.IsEOF(); more = rows.MoveNext()) {
        const int index = rows.intValue(kNumber);
        if (index == candidate) {
            ++candidate;
        } else if (index > candidate) {
            break;
        }
    }
    return candidate;
}

void PhonebookTable::ToggleSort(int column) {
    const QString name = column == 0 ? kNumber : column == 1 ? kName : kMainNumber;
    const QString descending = name + QStringLiteral(" DESC");
    sort_ = sort_ == descending ? name + QStringLiteral(" ASC") : descending;
}

void PhonebookTable::SetFilterStrings(const QString& nameFilter, const QString& numberFilter) {
    nameFilter_ = nameFilter;
    numberFilter_ = numberFilter;
}

QString PhonebookTable::filterClause(const QString& nameFilter, const QString& numberFilter) {
    QString clause;
    if (!nameFilter.isEmpty()) {
        clause = QStringLiteral("Name like ") + jetLikeContains(nameFilter);
    }
    if (!numberFilter.isEmpty()) {
        if (!clause.isEmpty()) {
            clause += QStringLiteral(" OR ");
        }
        clause += QStringLiteral("MainNumber like ") + jetLikeContains(numberFilter);
    }
    return clause;
}

QString PhonebookTable::appliedFilter() const {
    return recordset_->filter();
}

void PhonebookTable::applyFilter(const QString& clause) {
    recordset_->setFilter(clause);
    recordset_->Requery();
}

PhonebookListContents PhonebookTable::RefillList(int selectMode) {
    recordset_->setSort(sort_);
    applyFilter(filterClause(nameFilter_, numberFilter_));
    PhonebookListContents list;
    Recordset& rows = *recordset_;
    for (bool more = rows.MoveFirst(); more && !rows.IsEOF(); more = rows.MoveNext()) {
        list.rows.append(PhonebookListRow{QString::number(rows.intValue(kNumber)),
                                          rows.textValue(kName),
                                          displayFormOf(rows.textValue(kMainNumber))});
    }
    const int count = static_cast<int>(list.rows.size());
    int selected = -1;
    if (selectMode == 1 || selectMode == 2) {
        selected = selectPosition_;
    } else if (selectMode == 3 && deletedCount_ == 1 && lastDeletedItem_ >= 0) {
        selected = std::min(lastDeletedItem_, count - 1);
    }
    list.selectedPosition = selected >= 0 && selected < count ? selected : -1;
    return list;
}

int PhonebookTable::FullRecordCount() {
    recordset_->Requery();
    return recordset_->GetRecordCount();
}

int PhonebookTable::positionOfIndex(int index) {
    Recordset& rows = *recordset_;
    rows.Requery();
    for (bool more = rows.MoveFirst(); more && !rows.IsEOF(); more = rows.MoveNext()) {
        if (rows.intValue(kNumber) == index) {
            return rows.position();
        }
    }
    return -1;
}

void PhonebookTable::rememberPositionOf(int index) {
    selectPosition_ = positionOfIndex(index);
}

void PhonebookTable::deleteRowAt(int position) {
    if (recordset_->moveTo(position)) {
        recordset_->Delete();
    }
    recordset_->Requery();
}

bool PhonebookTable::FindByNameAndNumber(QString& name, QString& number) {
    QString clause;
    if (!name.isEmpty()) {
        clause = QStringLiteral("Name=") + jetQuote(name);
    }
    if (!number.isEmpty()) {
        if (!clause.isEmpty()) {
            clause += QStringLiteral(" AND ");
        }
        clause += QStringLiteral("MainNumber=") + jetQuote(number);
    }
    Recordset matches(kPhonebookDbFile, tableName_);
    matches.setSort(QStringLiteral("Name ASC"));
    matches.setFilter(clause);
    if (!matches.Requery() || matches.GetRecordCount() == 0) {
        return false;
    }
    matches.MoveLast();
    name = matches.textValue(kName);
    number = matches.textValue(kMainNumber);
    return true;
}
