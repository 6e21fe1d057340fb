// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "phonebook/ui/PrintPhonebooks.h"
#include "phonebook/ui/PrintSelectDialog.h"
#include "phonebook/ui/print_pdf_text.h"
#include "print/PrintPhonebookTexts.h"

namespace {

// A check box reacts on its indicator and label, not on the rest of its row.
void clickBox(QCheckBox* box) {
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
}

TEST(PrintSelectDialog, OpensWithSimChosenAndCountsTheBoxes) {
    PrintSelectDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Print Phone Book"));
    const auto* group = dialog.findChild<QGroupBox*>();
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->title(), QStringLiteral("Print Select"));
    EXPECT_EQ(dialog.simBox()->text(), QStringLiteral("SIM"));
    EXPECT_EQ(dialog.msBox()->text(), QStringLiteral("MS"));
    EXPECT_EQ(dialog.pcBox()->text(), QStringLiteral("PC"));
    EXPECT_TRUE(dialog.simBox()->isChecked());
    EXPECT_TRUE(dialog.simChosen());
    EXPECT_FALSE(dialog.msChosen());
    EXPECT_FALSE(dialog.pcChosen());
    EXPECT_EQ(dialog.chosenCount(), 1);

    dialog.show();
    clickBox(dialog.pcBox());
    clickBox(dialog.msBox());
    EXPECT_EQ(dialog.chosenCount(), 3);
    clickBox(dialog.simBox());
    clickBox(dialog.pcBox());
    EXPECT_EQ(dialog.chosenCount(), 1);
    EXPECT_FALSE(dialog.simChosen());
    EXPECT_TRUE(dialog.msChosen());
    EXPECT_FALSE(dialog.pcChosen());
}

// Clicks the given boxes of the shown dialog, then the given button.
std::function<int(QDialog&)> clickThen(QList<QString> boxes,
                                       QDialogButtonBox::StandardButton button) {
    return [boxes, button](QDialog& dialog) {
        auto& choice = static_cast<PrintSelectDialog&>(dialog);
        choice.show();
        for (const QString& name : boxes) {
            QCheckBox* box = name == "SIM"  ? choice.simBox()
                             : name == "MS" ? choice.msBox()
                                            : choice.pcBox();
            clickBox(box);
        }
        QTest::mouseClick(choice.buttons()->button(button), Qt::LeftButton);
        return dialog.result();
    };
}

class PrintPhonebooksTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString file() const { return dir_.filePath(QStringLiteral("book.pdf")); }
    PrintPhonebooksSeams seams(const std::function<int(QDialog&)>& exec) {
        return PrintPhonebooksSeams{exec, [this](QPrinter& printer, QWidget*, int) {
                                        ++printerDialogs_;
                                        printer.setOutputFormat(QPrinter::PdfFormat);
                                        printer.setOutputFileName(file());
                                        return true;
                                    }};
    }
    PrintResult print(const std::function<int(QDialog&)>& exec) {
        return printPhonebooks(&mainWindow_, sim_, ms_, pc_, seams(exec));
    }

    QTemporaryDir dir_;
    QWidget mainWindow_;
    int printerDialogs_ = 0;
    PrintTable sim_ = phonebookPrintTable(0, {{"1", "SimAnn", "111"}});
    PrintTable ms_ = phonebookPrintTable(1, {{"1", "MsBob", "222"}});
    PrintTable pc_ = phonebookPrintTable(2, {{"1", "PcCid", "333"}});
};

TEST_F(PrintPhonebooksTest, OnlyMsPrintsOneMsSheet) {
    const PrintResult result = print(clickThen({"SIM", "MS"}, QDialogButtonBox::Ok));
    EXPECT_EQ(result.outcome, PrintOutcome::Printed);
    const QStringList pages = pdfPages(file());
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("This is the Ms Data of PhoneBook")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("MsBob")));
    EXPECT_FALSE(pages[0].contains(QStringLiteral("SimAnn")));
}

TEST_F(PrintPhonebooksTest, ChosenMemoriesPrintInTheOrderSimMsPc) {
    const PrintResult result = print(clickThen({"PC", "MS"}, QDialogButtonBox::Ok));
    EXPECT_EQ(result.sheets, 3);
    const QStringList pages = pdfPages(file());
    ASSERT_EQ(pages.size(), 3);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("SimAnn")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("MsBob")));
    EXPECT_TRUE(pages[2].contains(QStringLiteral("PcCid")));
}

TEST_F(PrintPhonebooksTest, OkWithNoBoxCheckedPrintsNothing) {
    const PrintResult result = print(clickThen({"SIM"}, QDialogButtonBox::Ok));
    EXPECT_EQ(result.outcome, PrintOutcome::NothingChosen);
    EXPECT_EQ(printerDialogs_, 0);
    EXPECT_FALSE(QFile::exists(file()));
}

TEST_F(PrintPhonebooksTest, CancelPrintsNothing) {
    const PrintResult result = print(clickThen({"MS"}, QDialogButtonBox::Cancel));
    EXPECT_EQ(result.outcome, PrintOutcome::Cancelled);
    EXPECT_EQ(printerDialogs_, 0);
    EXPECT_FALSE(QFile::exists(file()));
}

}  // namespace
