// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTableWidget>

#include "controls/SortHeader.h"

TEST(SortHeader, FirstClickSortsAscendingTheNextDescendingAndTheArrowFollows) {
    QTableWidget list(0, 3);
    const SortHeader header(list.horizontalHeader(),
                            {{"Number ASC", "Number DESC"}, {"Name ASC", "Name DESC"}, {}});
    struct Case {
        QString current;
        int column;
        QString next;
    };
    const Case cases[] = {
        {"", 1, "Name ASC"},
        {"Number ASC", 1, "Name ASC"},
        {"Name ASC", 1, "Name DESC"},
        {"Name DESC", 1, "Name ASC"},
        {"Name DESC", 0, "Number ASC"},
        {"Name ASC", 2, ""},  // a column that does not sort
        {"Name ASC", 7, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current.toStdString() + " / " + std::to_string(c.column));
        EXPECT_EQ(header.clicked(c.column, c.current), c.next);
    }

    header.show("Name DESC");
    EXPECT_TRUE(list.horizontalHeader()->isSortIndicatorShown());
    EXPECT_EQ(list.horizontalHeader()->sortIndicatorSection(), 1);
    EXPECT_EQ(list.horizontalHeader()->sortIndicatorOrder(), Qt::DescendingOrder);
    header.show("Date ASC");
    EXPECT_FALSE(list.horizontalHeader()->isSortIndicatorShown());
}
