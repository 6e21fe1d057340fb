// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include "phonebook/ui/PrintAbortWindow.h"
#include "phonebook/ui/PrintJob.h"
#include "phonebook/ui/print_pdf_text.h"
#include "print/ListPrinter.h"
#include "print/PrintPhonebookTexts.h"
#include "support/ScriptedPrompter.h"

namespace {

PrintJob::PrinterDialog pdfTo(const QString& file, int* dialogs = nullptr) {
    return [file, dialogs](QPrinter& printer, QWidget*, int) {
        if (dialogs) {
            ++*dialogs;
        }
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        return true;
    };
}

class PrintJobTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(dir_.isValid()); }
    QString file() const { return dir_.filePath(QStringLiteral("job.pdf")); }

    QTemporaryDir dir_;
    QWidget mainWindow_;
};

TEST_F(PrintJobTest, PrintsTheChosenListsAsOneDocumentAndGivesTheWindowBack) {
    PrintJob job(&mainWindow_);
    job.setPrinterDialog(pdfTo(file()));
    const PrintResult result =
        job.run({phonebookPrintTable(0, {{"1", "Ann", "123"}}), phonebookPrintTable(2, {})});
    EXPECT_EQ(result.outcome, PrintOutcome::Printed);
    EXPECT_EQ(result.sheets, 2);
    EXPECT_EQ(job.printer().docName(), QStringLiteral("Dexmoro"));
    EXPECT_TRUE(mainWindow_.isEnabled());
    EXPECT_EQ(job.abortWindow(), nullptr);
    const QStringList pages = pdfPages(file());
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Ann")));
    EXPECT_TRUE(pages[1].contains(QStringLiteral("This is the Pc Data of PhoneBook")));
}

TEST_F(PrintJobTest, CancelInThePrinterDialogPrintsNothing) {
    PrintJob job(&mainWindow_);
    int sheetsOffered = 0;
    job.setPrinterDialog([&](QPrinter&, QWidget* parent, int sheets) {
        EXPECT_EQ(parent, &mainWindow_);
        sheetsOffered = sheets;
        return false;
    });
    const PrintResult result = job.run(
        {phonebookPrintTable(0, {}), phonebookPrintTable(1, {}), phonebookPrintTable(2, {})});
    EXPECT_EQ(result.outcome, PrintOutcome::Cancelled);
    EXPECT_EQ(sheetsOffered, 3);
    EXPECT_FALSE(QFile::exists(file()));
    EXPECT_TRUE(mainWindow_.isEnabled());
}

TEST_F(PrintJobTest, PrinterThatCannotStartShowsTheMessageWithTheWindowEnabled) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    PrintJob job(&mainWindow_);
    job.setPrinterDialog(pdfTo(dir_.filePath(QStringLiteral("missing/folder/job.pdf"))));
    const PrintResult result = job.run({phonebookPrintTable(0, {})});
    EXPECT_EQ(result.outcome, PrintOutcome::FailedToStart);
    EXPECT_EQ(result.sheets, 0);
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, QStringLiteral("Failed to start print job."));
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Warning);
    EXPECT_TRUE(mainWindow_.isEnabled());
}

TEST_F(PrintJobTest, CancelInTheAbortWindowStopsAfterTheCurrentSheet) {
    PrintJob job(&mainWindow_);
    job.setPrinterDialog(pdfTo(file()));
    bool windowDisabledDuringJob = false;
    bool abortWindowShown = false;
    // Runs at the first chance the job gives the event loop: after the first sheet.
    QTimer::singleShot(0, [&] {
        windowDisabledDuringJob = !mainWindow_.isEnabled();
        PrintAbortWindow* window = job.abortWindow();
        ASSERT_NE(window, nullptr);
        abortWindowShown = window->isVisible();
        QTest::mouseClick(window->cancelButton(), Qt::LeftButton);
    });
    const PrintResult result = job.run(
        {phonebookPrintTable(0, {}), phonebookPrintTable(1, {}), phonebookPrintTable(2, {})});
    EXPECT_TRUE(windowDisabledDuringJob);
    EXPECT_TRUE(abortWindowShown);
    EXPECT_TRUE(job.aborted());
    EXPECT_EQ(result.outcome, PrintOutcome::Aborted);
    EXPECT_EQ(result.sheets, 1);
    EXPECT_FALSE(QFile::exists(file())) << "an aborted document leaves no file";
    EXPECT_TRUE(mainWindow_.isEnabled());
    EXPECT_EQ(job.abortWindow(), nullptr);
}

TEST_F(PrintJobTest, EscInTheAbortWindowRaisesTheFlag) {
    PrintJob job(&mainWindow_);
    bool flag = false;
    PrintAbortWindow window(flag);
    EXPECT_TRUE(job.abortProc());
    window.show();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(flag) << "Esc cancels like the button";
    EXPECT_FALSE(window.cancelButton()->isEnabled());
}

}  // namespace
