// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QHeaderView;

// The sort clauses ("Name ASC", ...) of one column of a list.
struct ColumnSort {
    QString ascending;
    QString descending;
};

// A list header whose columns sort the list through sort clauses: the first click on a column
// sorts it ascending, the next one descending, and the header shows Qt's sort indicator on the
// column the clause in force belongs to.
class SortHeader {
  public:
    SortHeader(QHeaderView* header, QList<ColumnSort> columns);

    // The clause a click on this column asks for, given the one in force; empty for a column
    // that does not sort.
    QString clicked(int column, const QString& current) const;
    // Shows the indicator for the clause in force (none when it is no column's).
    void show(const QString& current) const;

  private:
    QHeaderView* header_;
    QList<ColumnSort> columns_;
};
