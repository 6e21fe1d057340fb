// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "phonebook/ui/FilterSettingDialog.h"
#include "phonebook/ui/PhonebookEntryDialog.h"
#include "support/ScriptedPrompter.h"

namespace {
PhonebookEntryDialog::Context context() {
    PhonebookEntryDialog::Context context;
    context.simCapacity = 250;
    context.msCapacity = 500;
    context.firstFreeIndex = [](int memory) { return 10 + memory; };
    return context;
}

template <typename T>
T* child(QWidget& parent, const char* name) {
    T* widget = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

void pressOk(QWidget& dialog) {
    auto* box = dialog.findChild<QDialogButtonBox*>();
    QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
}
}  // namespace

TEST(PhonebookEntryDialog, NewProposesFirstFreeIndexOfPickedMemoryAndShowsPcFieldsForPcOnly) {
    PhonebookEntryDialog dialog(PhonebookEntryDialog::Kind::New, context());
    dialog.setMemory(MemoryMs);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "New Phone Book");
    EXPECT_EQ(child<QLineEdit>(dialog, "indexEdit")->text(), "11");
    auto* pcFields = child<QWidget>(dialog, "pcFields");
    EXPECT_FALSE(pcFields->isVisible());
    const int halfHeight = dialog.height();

    QTest::mouseClick(child<QRadioButton>(dialog, "pcRadio"), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(dialog, "indexEdit")->text(), "12");
    EXPECT_TRUE(pcFields->isVisible());
    EXPECT_TRUE(pcFields->isEnabled());
    EXPECT_GT(dialog.height(), halfHeight);
    EXPECT_EQ(dialog.values().memory, MemoryPc);

    QTest::mouseClick(child<QRadioButton>(dialog, "simRadio"), Qt::LeftButton);
    EXPECT_EQ(child<QLineEdit>(dialog, "indexEdit")->text(), "10");
    EXPECT_FALSE(pcFields->isVisible());
}

TEST(PhonebookEntryDialog, FieldLimitsDifferBetweenNewAndEdit) {
    PhonebookEntryDialog created(PhonebookEntryDialog::Kind::New, context());
    PhonebookEntryDialog edited(PhonebookEntryDialog::Kind::Edit, context());
    EXPECT_EQ(child<QLineEdit>(created, "nameEdit")->maxLength(), 14);
    EXPECT_EQ(child<QLineEdit>(created, "numberEdit")->maxLength(), 42);
    EXPECT_EQ(child<QLineEdit>(created, "officeEdit")->maxLength(), 50);
    EXPECT_EQ(child<QLineEdit>(created, "emailEdit")->maxLength(), 50);
    EXPECT_EQ(child<QLineEdit>(edited, "officeEdit")->maxLength(), 20);
    EXPECT_EQ(child<QLineEdit>(edited, "homeEdit")->maxLength(), 20);
    EXPECT_GT(child<QLineEdit>(edited, "addressEdit")->maxLength(), 1000);
    EXPECT_FALSE(child<QRadioButton>(edited, "simRadio")->isEnabled());

    created.setMemory(MemoryPc);
    created.show();
    auto* memo = child<QPlainTextEdit>(created, "memoEdit");
    memo->setFocus();
    QTest::keyClicks(memo, QString(60, 'm'));
    EXPECT_EQ(memo->toPlainText().size(), 50);
}

TEST(PhonebookEntryDialog, EditKeepsStoredValuesLongerThanItsLimits) {
    PhonebookEntryDialog dialog(PhonebookEntryDialog::Kind::Edit, context());
    PhonebookEntryValues values;
    values.index = 4;
    values.name = "Ann";
    values.dialString = "123";
    values.memory = MemoryPc;
    values.office = QString(35, '5');
    dialog.setValues(values);
    EXPECT_EQ(dialog.values().office, values.office);
}

TEST(PhonebookEntryDialog, IndexBeyondSimCapacityKeepsDialogOpen) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    PhonebookEntryDialog dialog(PhonebookEntryDialog::Kind::New, context());
    dialog.setMemory(MemorySim);
    dialog.show();
    auto* index = child<QLineEdit>(dialog, "indexEdit");
    index->clear();
    QTest::keyClicks(index, "251");
    QTest::keyClicks(child<QLineEdit>(dialog, "nameEdit"), "Ann");
    QTest::keyClicks(child<QLineEdit>(dialog, "numberEdit"), "0123");
    pressOk(dialog);
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "PhoneBook number is out of range.");
    EXPECT_EQ(prompter.prompts()[0].caption, "Warning");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    index->clear();
    QTest::keyClicks(index, "250");
    pressOk(dialog);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.values().index, 250);
    EXPECT_EQ(dialog.values().dialString, "0123");
}

TEST(PhonebookEntryDialog, ChangedOnlyAfterTypingOrDelete) {
    PhonebookEntryDialog dialog(PhonebookEntryDialog::Kind::Edit, context());
    PhonebookEntryValues values;
    values.index = 3;
    values.name = "Bob";
    values.dialString = "555";
    dialog.setValues(values);
    dialog.show();
    auto* number = child<QLineEdit>(dialog, "numberEdit");
    QTest::keyClick(number, Qt::Key_Left);
    QTest::keyClick(number, Qt::Key_X);  // swallowed by the dial-string filter
    EXPECT_FALSE(dialog.changed());
    QTest::keyClick(number, Qt::Key_Delete);
    EXPECT_TRUE(dialog.changed());

    dialog.setValues(values);
    EXPECT_FALSE(dialog.changed());
    QTest::keyClicks(child<QLineEdit>(dialog, "nameEdit"), "y");
    EXPECT_TRUE(dialog.changed());
}

TEST(FilterSettingDialog, SetTakesBothTexts) {
    FilterSettingDialog dialog("an", "");
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Filter Setting");
    QTest::keyClicks(dialog.findChild<QLineEdit*>("filterNumberEdit"), "555");
    QTest::mouseClick(dialog.findChild<QPushButton*>("setButton"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.nameText(), "an");
    EXPECT_EQ(dialog.numberText(), "555");
}
