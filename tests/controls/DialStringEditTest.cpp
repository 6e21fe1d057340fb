// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTest>

#include "controls/DialStringEdit.h"

namespace {
QString typed(const QList<QPair<Qt::Key, Qt::KeyboardModifiers>>& keys) {
    DialStringEdit edit;
    edit.show();
    for (const auto& [key, modifiers] : keys) {
        QTest::keyClick(&edit, key, modifiers);
    }
    return edit.text();
}
}  // namespace

TEST(DialStringEdit, DiallingKeysPassAndLettersAreSwallowed) {
    DialStringEdit edit;
    edit.show();
    QTest::keyClicks(&edit, "12ab3P/x9");
    EXPECT_EQ(edit.text(), "123P/9");
}

TEST(DialStringEdit, PlusStarAndHashComeThroughShift) {
    EXPECT_EQ(typed({{Qt::Key_Plus, Qt::ShiftModifier},
                     {Qt::Key_Asterisk, Qt::ShiftModifier},
                     {Qt::Key_NumberSign, Qt::ShiftModifier},
                     {Qt::Key_3, Qt::KeypadModifier},
                     {Qt::Key_Plus, Qt::KeypadModifier}}),
              "+*#3+");
}

TEST(DialStringEdit, AltSwallowsEveryKey) {
    EXPECT_EQ(typed({{Qt::Key_1, Qt::AltModifier},
                     {Qt::Key_P, Qt::AltModifier},
                     {Qt::Key_2, Qt::NoModifier}}),
              "2");
    EXPECT_FALSE(DialStringEdit::keyPasses(Qt::Key_Backspace, Qt::AltModifier));
}

TEST(DialStringEdit, EditingKeysWorkButOtherControlKeysDoNot) {
    // Backspace and Left/Delete edit; Ctrl+A (select all) is swallowed, so the following digit
    // is inserted rather than replacing everything.
    EXPECT_EQ(typed({{Qt::Key_1, Qt::NoModifier},
                     {Qt::Key_2, Qt::NoModifier},
                     {Qt::Key_Backspace, Qt::NoModifier},
                     {Qt::Key_3, Qt::NoModifier},
                     {Qt::Key_Left, Qt::NoModifier},
                     {Qt::Key_Delete, Qt::NoModifier},
                     {Qt::Key_A, Qt::ControlModifier},
                     {Qt::Key_4, Qt::NoModifier}}),
              "14");
    EXPECT_TRUE(DialStringEdit::keyPasses(Qt::Key_C, Qt::ControlModifier));
    EXPECT_TRUE(DialStringEdit::keyPasses(Qt::Key_V, Qt::ControlModifier));
    EXPECT_FALSE(DialStringEdit::keyPasses(Qt::Key_X, Qt::ControlModifier));
    EXPECT_FALSE(DialStringEdit::keyPasses(Qt::Key_Space, Qt::NoModifier));
    EXPECT_FALSE(DialStringEdit::keyPasses(Qt::Key_Minus, Qt::NoModifier));
}
