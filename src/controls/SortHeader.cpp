// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/SortHeader.h"

#include <QHeaderView>

SortHeader::SortHeader(QHeaderView* header, QList<ColumnSort> columns)
    : header_(header), columns_(std::move(columns)) {}

QString SortHeader::clicked(int column, const QString& current) const {
    if (column < 0 || column >= columns_.size() || columns_[column].ascending.isEmpty()) {
        return {};
    }
    const ColumnSort& sort = columns_[column];
    return current == sort.ascending ? sort.descending : sort.ascending;
}

void SortHeader::show(const QString& current) const {
    for (int column = 0; column < columns_.size(); ++column) {
        const ColumnSort& sort = columns_[column];
        if (current.isEmpty() || (current != sort.ascending && current != sort.descending)) {
            continue;
        }
        header_->setSortIndicatorShown(true);
        header_->setSortIndicator(
            column, current == sort.ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
        return;
    }
    header_->setSortIndicatorShown(false);
}
