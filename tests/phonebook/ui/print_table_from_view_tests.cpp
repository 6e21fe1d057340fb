// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTableWidget>
#include <QTreeWidget>

#include "phonebook/ui/PrintTableFromView.h"

namespace {

void addRow(QTreeWidget& list, const QStringList& cells) {
    auto* item = new QTreeWidgetItem(cells);
    item->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    list.addTopLevelItem(item);
}

TEST(PrintTableFromView, TreeListIsReadAsShown) {
    QTreeWidget list;
    list.setColumnCount(3);
    list.setHeaderLabels({"No", "Name", "Phone Number"});
    list.setColumnWidth(0, 50);
    list.setColumnWidth(1, 90);
    list.setColumnWidth(2, 116);
    addRow(list, {"1", "Carol", "333"});
    addRow(list, {"2", "Alice", "111"});
    addRow(list, {"3", "Bob", "222"});
    list.sortItems(1, Qt::AscendingOrder);
    list.setRowHidden(2, QModelIndex(), true);  // "Carol" after sorting: filtered out

    const PrintTable table = phonebookPrintTableFromList(1, list);
    EXPECT_EQ(table.title, QStringLiteral("This is the Ms Data of PhoneBook\r\n"));
    EXPECT_EQ(table.footer, QStringLiteral("QUILLON DEXMORO\r\n"));
    ASSERT_EQ(table.columns.size(), 3);
    EXPECT_EQ(table.columns[0].header, QStringLiteral("No"));
    EXPECT_EQ(table.columns[1].header, QStringLiteral("Name"));
    EXPECT_EQ(table.columns[2].header, QStringLiteral("Phone Number"));
    EXPECT_EQ(table.columns[0].width, 50);
    EXPECT_EQ(table.columns[1].width, 90);
    EXPECT_EQ(table.columns[2].width, 116);
    EXPECT_EQ(table.columns[0].alignment, Qt::AlignLeft);
    EXPECT_EQ(table.columns[2].alignment, Qt::AlignRight);
    const QList<QStringList> expected{{"2", "Alice", "111"}, {"3", "Bob", "222"}};
    EXPECT_EQ(table.rows, expected);
}

TEST(PrintTableFromView, EmptyListTakesTheHeaderAlignment) {
    QTreeWidget list;
    list.setHeaderLabels({"No", "Name", "Phone Number"});
    list.headerItem()->setTextAlignment(0, Qt::AlignHCenter);
    const PrintTable table = printTableFromList(list, "T", "F");
    ASSERT_EQ(table.columns.size(), 3);
    EXPECT_EQ(table.columns[0].alignment, Qt::AlignHCenter);
    EXPECT_EQ(table.columns[1].alignment, Qt::AlignLeft);
    EXPECT_TRUE(table.rows.isEmpty());
}

TEST(PrintTableFromView, TableListFollowsMovedAndHiddenColumns) {
    QTableWidget list(2, 3);
    list.setHorizontalHeaderLabels({"No", "Name", "Phone Number"});
    list.setColumnWidth(0, 50);
    list.setColumnWidth(1, 90);
    list.setColumnWidth(2, 116);
    const QList<QStringList> cells{{"1", "Ann", "555"}, {"2", "Ben", "666"}};
    for (int r = 0; r < 2; ++r) {
        for (int c = 0; c < 3; ++c) {
            list.setItem(r, c, new QTableWidgetItem(cells[r][c]));
        }
    }
    list.horizontalHeader()->moveSection(2, 0);  // shown: Phone Number, No, Name
    list.setColumnHidden(0, true);               // shown: Phone Number, Name
    list.sortItems(1, Qt::DescendingOrder);

    const PrintTable table = phonebookPrintTableFromList(0, list);
    ASSERT_EQ(table.columns.size(), 2);
    EXPECT_EQ(table.columns[0].header, QStringLiteral("Phone Number"));
    EXPECT_EQ(table.columns[0].width, 116);
    EXPECT_EQ(table.columns[1].header, QStringLiteral("Name"));
    const QList<QStringList> expected{{"666", "Ben"}, {"555", "Ann"}};
    EXPECT_EQ(table.rows, expected);
}

}  // namespace
