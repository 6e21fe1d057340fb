// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/ui/PrintTableFromView.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTreeWidget>

#include "print/PrintPhonebookTexts.h"

namespace {
Qt::Alignment alignmentOf(const QVariant& value, bool* set) {
    *set = value.isValid();
    if (!value.isValid()) {
        return Qt::AlignLeft;
    }
    if (value.metaType() == QMetaType::fromType<Qt::Alignment>()) {
        return value.value<Qt::Alignment>() & Qt::AlignHorizontal_Mask;
    }
    bool ok = false;
    const int flags = value.toInt(&ok);
    *set = ok;
    return ok ? Qt::Alignment(flags) & Qt::AlignHorizontal_Mask : Qt::Alignment(Qt::AlignLeft);
}

// `visibleRows` are model rows in the order they are shown.
PrintTable readList(const QAbstractItemModel& model, const QHeaderView& header,
                    const QList<int>& visibleRows, const QString& title, const QString& footer) {
    PrintTable table{title, footer, {}, {}};
    QList<int> columns;
    for (int visual = 0; visual < header.count(); ++visual) {
        const int logical = header.logicalIndex(visual);
        if (logical < 0 || header.isSectionHidden(logical)) {
            continue;
        }
        columns.append(logical);
        PrintColumn column;
        column.width = header.sectionSize(logical);
        column.header = model.headerData(logical, Qt::Horizontal, Qt::DisplayRole).toString();
        bool set = false;
        if (!visibleRows.isEmpty()) {
            column.alignment = alignmentOf(
                model.index(visibleRows.first(), logical).data(Qt::TextAlignmentRole), &set);
        }
        if (!set) {
            column.alignment =
                alignmentOf(model.headerData(logical, Qt::Horizontal, Qt::TextAlignmentRole), &set);
        }
        if (column.alignment == Qt::Alignment()) {
            column.alignment = Qt::AlignLeft;
        }
        table.columns.append(column);
    }
    for (int row : visibleRows) {
        QStringList cells;
        for (int logical : columns) {
            cells.append(model.index(row, logical).data(Qt::DisplayRole).toString());
        }
        table.rows.append(cells);
    }
    return table;
}
}  // namespace

PrintTable printTableFromList(const QTreeWidget& list, const QString& title,
                              const QString& footer) {
    QList<int> rows;
    for (int row = 0; row < list.topLevelItemCount(); ++row) {
        if (!list.isRowHidden(row, QModelIndex())) {
            rows.append(row);
        }
    }
    return readList(*list.model(), *list.header(), rows, title, footer);
}

PrintTable printTableFromList(const QTableWidget& list, const QString& title,
                              const QString& footer) {
    const QHeaderView& rowHeader = *list.verticalHeader();
    QList<int> rows;
    for (int visual = 0; visual < list.rowCount(); ++visual) {
        const int row = rowHeader.logicalIndex(visual);
        if (row >= 0 && !list.isRowHidden(row)) {
            rows.append(row);
        }
    }
    return readList(*list.model(), *list.horizontalHeader(), rows, title, footer);
}

PrintTable phonebookPrintTableFromList(int memory, const QTreeWidget& list) {
    return printTableFromList(list, phonebookPrintTitle(memory), phonebookPrintFooter());
}

PrintTable phonebookPrintTableFromList(int memory, const QTableWidget& list) {
    return printTableFromList(list, phonebookPrintTitle(memory), phonebookPrintFooter());
}
