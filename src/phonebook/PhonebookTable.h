// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

#include "phonebook/PhonebookEntry.h"
#include "platform/Notice.h"

class Recordset;

// How a store ended.
enum class StoreOutcome {
    Stored,      // the table (and the phone, when found) holds the entry
    Declined,    // the user answered Cancel to the question
    Refused,     // the phone refused the selection or the write; the table is unchanged
    UnsafeText,  // the name or dial string cannot go on a command line: nothing sent or stored
};

// A store's end and what the user is to be told about it, in order.
struct StoreResult {
    StoreOutcome outcome = StoreOutcome::Refused;
    Notices notices;

    bool stored() const { return outcome == StoreOutcome::Stored; }
};

// What the three phonebook tables (sim, ms, pc) of phonebook.mdb have in common: the sort and
// filter of the list, index searches, the list contents and the selection remembered between a
// change and the next refill. Positions are rows of the list as last refilled (filter and sort
// applied), which are also the list control's item positions.
class PhonebookTable {
  public:
    virtual ~PhonebookTable();
    PhonebookTable(const PhonebookTable&) = delete;
    PhonebookTable& operator=(const PhonebookTable&) = delete;

    PhonebookMemory memory() const { return memory_; }
    QString tableName() const { return tableName_; }

    // Index searches look at every row of the table, also those the filter hides, so that a
    // hidden entry's index is never handed out a second time.
    bool IndexExists(int index);
    // The smallest index from 1 up that no row holds.
    int FirstFreeIndex();

    // Column 0 Number, 1 Name, anything else MainNumber: descending first, ascending after a
    // descending sort of the same column. Applies at the next refill.
    void ToggleSort(int column);
    QString sort() const { return sort_; }
    // A sort clause such as "Name ASC"; applies at the next refill.
    void setSort(const QString& sort) { sort_ = sort; }

    // Applies at the next RefillList.
    void SetFilterStrings(const QString& nameFilter, const QString& numberFilter);
    QString nameFilter() const { return nameFilter_; }
    QString numberFilter() const { return numberFilter_; }
    // The filter condition for the two texts: the name contains the name text OR the dial
    // string contains the number text; empty when both are empty.
    static QString filterClause(const QString& nameFilter, const QString& numberFilter);

    // Requeries with the filter texts and the sort, and returns the list rows and the position
    // to select: select mode 1 or 2 selects the last stored entry, 3 the row at the last
    // deletion (when exactly one row was deleted), any other mode nothing.
    PhonebookListContents RefillList(int selectMode);
    // Rows under the current filter.
    int FullRecordCount();
    // The list position of the row holding the index, or -1.
    int positionOfIndex(int index);

    // Finds a row whose name and dial string equal the given ones exactly (an empty text
    // matches anything); on a match returns true and the row's texts through the arguments.
    bool FindByNameAndNumber(QString& name, QString& number);

    // Remembered for RefillList: the position of the last stored entry, the position of the
    // last deleted item and how many items the last delete removed.
    int selectPosition() const { return selectPosition_; }
    void setSelectPosition(int position) { selectPosition_ = position; }
    int lastDeletedItem() const { return lastDeletedItem_; }
    int deletedCount() const { return deletedCount_; }

  protected:
    PhonebookTable(PhonebookMemory memory, const QString& tableName);

    // The rows as the list shows them (filter and sort of the last refill).
    Recordset& recordset() { return *recordset_; }
    // Every row, whatever the filter, positioned on the row holding the index; null when no
    // row holds it.
    Recordset* rowWithIndex(int index);
    // The condition of the last refill, and a change of it that requeries at once.
    QString appliedFilter() const;
    void applyFilter(const QString& clause);
    // Requeries and remembers where the row holding the index now stands.
    void rememberPositionOf(int index);
    void deleteRowAt(int position);

    int lastDeletedItem_ = -1;
    int deletedCount_ = 0;

  private:
    PhonebookMemory memory_;
    QString tableName_;
    std::unique_ptr<Recordset> recordset_;
    std::unique_ptr<Recordset> allRows_;
    QString sort_ = QStringLiteral("Number ASC");
    QString nameFilter_;
    QString numberFilter_;
    int selectPosition_ = -1;
};
