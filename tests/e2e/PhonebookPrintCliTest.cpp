// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli phonebook print as a black box: the lists of phonebook.mdb into a PDF file.

#include <gtest/gtest.h>

#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>

#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/ui/print_pdf_text.h"
#include "print/ListPrinter.h"
#include "print/PrintDocument.h"
#include "print/PrintPhonebookTexts.h"
#include "support/ProgramRun.h"
#include "support/TempWorkDir.h"

namespace {

using PrintRun = ProgramRun;

PrintRun runCli(const QStringList& arguments) {
    QProcessEnvironment environment = privateHomeEnvironment();
    environment.remove("QT_QPA_PLATFORM");  // the print command chooses its own
    return runProgram(DEXMORO_CLI_PATH, arguments, environment);
}

class PhonebookPrintCli : public ::testing::Test {
  protected:
    void SetUp() override {
        CSimViewDB sim;
        sim.AddRow(2, "+4420123", "Sam");
        sim.AddRow(1, "0123", "Ann");
        CPCListDB pc;
        for (int i = 1; i <= pcRows_; ++i) {
            PcPhonebookEntry entry;
            entry.number = i;
            entry.name = QString("Pc%1").arg(i, 3, 10, QLatin1Char('0'));
            entry.mainNumber = QString("555%1").arg(i);
            pc.AddRow(entry);
        }
    }
    PrintRun print(const QStringList& arguments) {
        return runCli(QStringList{"--workdir", work_.path(), "phonebook", "print"} + arguments);
    }
    QString pdf() const { return work_.filePath("book.pdf"); }

    TempWorkDir work_;
    const int pcRows_ = 130;
};

TEST_F(PhonebookPrintCli, ChosenMemoriesPrintInOrderEachWithItsOwnPages) {
    const PrintRun run = print({"--memory", "pc,MS,sim", "--pdf", pdf()});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList pages = pdfPages(pdf());
    ASSERT_GE(pages.size(), 4);
    EXPECT_EQ(run.out, QString("%1 sheets printed to %2\n").arg(pages.size()).arg(pdf()));

    EXPECT_TRUE(pages[0].contains("This is the Sim Data of PhoneBook"));
    EXPECT_TRUE(pages[0].contains("Page 1 of 1"));
    EXPECT_LT(pages[0].indexOf("Ann"), pages[0].indexOf("Sam")) << "sorted by number";
    EXPECT_TRUE(pages[0].contains("+4420123"));
    EXPECT_TRUE(pages[1].contains("This is the Ms Data of PhoneBook"));
    EXPECT_TRUE(pages[1].contains("Page 1 of 1"));
    const int pcSheets = static_cast<int>(pages.size()) - 2;
    int printed = 0;
    for (int sheet = 1; sheet <= pcSheets; ++sheet) {
        const QString& text = pages[sheet + 1];
        EXPECT_TRUE(text.contains("This is the Pc Data of PhoneBook"));
        EXPECT_TRUE(text.contains(QString("Page %1 of %2").arg(sheet).arg(pcSheets)));
        printed += static_cast<int>(text.count("Pc"));  // every row name, plus the title's "Pc"
        --printed;
    }
    EXPECT_EQ(printed, pcRows_);
    EXPECT_TRUE(pages.last().contains("Pc130"));
}

TEST_F(PhonebookPrintCli, LayoutIsTheWindowsLayout) {
    ASSERT_EQ(print({"--memory", "sim", "--pdf", pdf()}).exitCode, 0);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString windowPdf = work_.filePath("window.pdf");
    printer.setOutputFileName(windowPdf);
    const PrintTable table =
        phonebookPrintTable(MemorySim, {{"1", "Ann", "0123"}, {"2", "Sam", "+4420123"}});
    ASSERT_EQ(printDocument(printer, {table}, [] { return true; }).outcome, PrintOutcome::Printed);

    const QList<PdfWord> cli = pdfWords(pdf());
    const QList<PdfWord> window = pdfWords(windowPdf);
    ASSERT_EQ(cli.size(), window.size());
    ASSERT_FALSE(cli.isEmpty());
    for (qsizetype i = 0; i < cli.size(); ++i) {
        EXPECT_EQ(cli[i].text, window[i].text);
        EXPECT_NEAR(cli[i].xMin, window[i].xMin, 0.01) << cli[i].text.toStdString();
        EXPECT_NEAR(cli[i].yMin, window[i].yMin, 0.01) << cli[i].text.toStdString();
    }
}

TEST_F(PhonebookPrintCli, WithoutMemoryPrintsTheSimList) {
    const PrintRun run = print({"--pdf", "relative.pdf"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList pages = pdfPages(work_.filePath("relative.pdf"));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains("This is the Sim Data of PhoneBook"));
}

TEST_F(PhonebookPrintCli, BadArgumentsAreUsageErrors) {
    EXPECT_EQ(print({"--memory", "sim,xs", "--pdf", pdf()}).exitCode, 2);
    EXPECT_EQ(print({"--memory", "sim"}).exitCode, 2);
    EXPECT_EQ(print({"--pdf"}).exitCode, 2);
    EXPECT_EQ(print({"--pdf", pdf(), "extra"}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(pdf()));
}

TEST_F(PhonebookPrintCli, UnwritableFileFailsToStart) {
    const PrintRun run = print({"--pdf", work_.filePath("missing/book.pdf")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Failed to start print job.")) << run.err.toStdString();
}

}  // namespace
