// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QRadioButton>
#include <QTest>
#include <QTreeWidget>

#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/ui/PhonebookPickerDialog.h"
#include "support/TempWorkDir.h"

namespace {
// On the indicator: a radio button takes clicks on its indicator and label only.
void clickRadio(QWidget& dialog, const char* name) {
    auto* radio = dialog.findChild<QRadioButton*>(name);
    ASSERT_NE(radio, nullptr);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}
}  // namespace

TEST(PhonebookPickerDialog, FillsFromTheChosenMemoryAndTakesTheDoubleClickedRow) {
    TempWorkDir work;
    {
        CSimViewDB sim;
        sim.AddRow(1, "111", "Ann");
        sim.AddRow(2, "222", "Bob");
        CPCListDB pc;
        PcPhonebookEntry entry;
        entry.number = 7;
        entry.name = "Pat";
        entry.mainNumber = "301P9";
        pc.AddRow(entry);
    }
    PhonebookPickerDialog picker;
    picker.show();
    EXPECT_EQ(picker.windowTitle(), "Display Phonebook Data");
    QTreeWidget* list = picker.list();
    EXPECT_EQ(list->topLevelItemCount(), 2);
    EXPECT_EQ(list->headerItem()->text(2), "Phone Number");

    clickRadio(picker, "msRadio");
    EXPECT_EQ(list->topLevelItemCount(), 0);
    clickRadio(picker, "pcRadio");
    ASSERT_EQ(list->topLevelItemCount(), 1);

    QTreeWidgetItem* row = list->topLevelItem(0);
    const QPoint at = list->visualItemRect(row).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(picker.result(), QDialog::Accepted);
    EXPECT_EQ(picker.pickedName(), "Pat");
    EXPECT_EQ(picker.pickedNumber(), "301P9");
}

TEST(PhonebookPickerDialog, OkWithoutSelectionPicksNothing) {
    TempWorkDir work;
    PhonebookPickerDialog picker;
    picker.show();
    picker.accept();
    EXPECT_EQ(picker.result(), QDialog::Rejected);
    EXPECT_TRUE(picker.pickedNumber().isEmpty());
}
