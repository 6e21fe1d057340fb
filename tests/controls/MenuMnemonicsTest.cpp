// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "controls/MenuMnemonics.h"

TEST(MenuMnemonics, EachTextGetsAFreeLetterWordStartsFirst) {
    struct Case {
        QStringList texts;
        QStringList expected;
    };
    const Case cases[] = {
        {{"New", "View", "Reply", "Forward", "Resend", "Delete", "Delete All", "Reload"},
         {"&New", "&View", "&Reply", "&Forward", "R&esend", "&Delete", "Delete &All", "Re&load"}},
        // A letter marked already is kept and taken from the others.
        {{"Copy", "&Cancel", "Call"}, {"C&opy", "&Cancel", "C&all"}},
        // A plain ampersand stays one; a text with no free letter stays as it was.
        {{"A&&B", "AB", "A", "B", "BA"}, {"&A&&B", "A&B", "A", "B", "BA"}},
        {{"", "Edit"}, {"", "&Edit"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texts.join('|').toStdString());
        EXPECT_EQ(withMnemonics(c.texts), c.expected);
    }
}
