// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include "phonebook/ui/print_pdf_text.h"
#include "print/ListPrinter.h"
#include "print/PrintDocument.h"
#include "print/PrintPhonebookTexts.h"

namespace {

QList<QStringList> numberedRows(int count) {
    QList<QStringList> rows;
    for (int i = 1; i <= count; ++i) {
        rows.append({QString::number(i), QStringLiteral("Name%1").arg(i, 3, 10, QLatin1Char('0')),
                     QStringLiteral("+4412345%1").arg(i)});
    }
    return rows;
}

class ListPrinterPdf : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        printer_.setOutputFormat(QPrinter::PdfFormat);
        printer_.setOutputFileName(file());
        printer_.setPageSize(QPageSize(QPageSize::A4));
    }
    QString file() const { return dir_.filePath(QStringLiteral("out.pdf")); }
    PrintResult print(const QList<PrintTable>& tables) {
        return printDocument(printer_, tables, [] { return true; });
    }

    QTemporaryDir dir_;
    QPrinter printer_{QPrinter::HighResolution};
};

TEST_F(ListPrinterPdf, EmptyListPrintsOneSheetWithTitleHeadersAndFooter) {
    const PrintResult result = print({phonebookPrintTable(1, {})});
    EXPECT_EQ(result.outcome, PrintOutcome::Printed);
    EXPECT_EQ(result.sheets, 1);
    const QStringList pages = pdfPages(file());
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QStringLiteral("This is the Ms Data of PhoneBook")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("Page 1 of 1")));
    EXPECT_TRUE(pages[0].contains(QStringLiteral("QUILLON DEXMORO")));
    const QList<PdfWord> words = pdfWords(file());
    for (const char* header : {"No", "Name", "Phone", "Number"}) {
        EXPECT_EQ(wordsNamed(words, QString::fromLatin1(header)).size(), 1) << header;
    }
    // The title block is above the headers, the footer below everything.
    const double titleBottom = wordsNamed(words, QStringLiteral("Ms")).first().yMax;
    const double headerTop = wordsNamed(words, QStringLiteral("Name")).first().yMin;
    const double footerTop = wordsNamed(words, QStringLiteral("QUILLON")).first().yMin;
    EXPECT_LT(titleBottom, headerTop);
    EXPECT_GT(footerTop, headerTop + 500);  // the rows fill the sheet between them
}

TEST_F(ListPrinterPdf, RightAlignedColumnPrintsRightAligned) {
    PrintTable table = phonebookPrintTable(0, {{"1", "Ann", "7"}, {"2", "Bob", "123456789012"}});
    table.columns[2].alignment = Qt::AlignRight;
    print({table});
    const QList<PdfWord> words = pdfWords(file());
    const QList<PdfWord> shortNumber = wordsNamed(words, QStringLiteral("7"));
    const QList<PdfWord> longNumber = wordsNamed(words, QStringLiteral("123456789012"));
    const QList<PdfWord> header = wordsNamed(words, QStringLiteral("Number"));
    ASSERT_EQ(longNumber.size(), 1);
    ASSERT_EQ(header.size(), 1);
    ASSERT_EQ(shortNumber.size(), 1);
    const PdfWord dial = shortNumber[0];
    EXPECT_NEAR(dial.xMax, longNumber[0].xMax, 1.0);
    EXPECT_NEAR(header[0].xMax, longNumber[0].xMax, 1.0);
    EXPECT_GT(dial.xMin, longNumber[0].xMin + 20);

    // The left-aligned names start at the same place.
    const PdfWord ann = wordsNamed(words, QStringLiteral("Ann")).first();
    const PdfWord bob = wordsNamed(words, QStringLiteral("Bob")).first();
    EXPECT_NEAR(ann.xMin, bob.xMin, 0.5);
}

TEST_F(ListPrinterPdf, LongListPrintsEveryRowOnTheSheetsItNeeds) {
    print({phonebookPrintTable(0, numberedRows(120))});
    const int perSheet = ListPrinter(printer_).rowsPerSheet();
    const QStringList pages = pdfPages(file());
    const int sheets = static_cast<int>(pages.size());
    ASSERT_GE(sheets, 2);
    int next = 1;
    for (int page = 1; page <= sheets; ++page) {
        const QString& text = pages[page - 1];
        EXPECT_TRUE(text.contains(QStringLiteral("Page %1 of %2").arg(page).arg(sheets)))
            << "sheet " << page;
        EXPECT_TRUE(text.contains(QStringLiteral("This is the Sim Data of PhoneBook")));
        const int onSheet = static_cast<int>(text.count(QStringLiteral("Name")) - 1);  // header
        if (page < sheets) {
            EXPECT_EQ(onSheet, perSheet) << "sheet " << page;
        } else {
            EXPECT_GT(onSheet, 0) << "no sheet without rows after the last row";
        }
        for (int i = 0; i < onSheet; ++i, ++next) {
            EXPECT_TRUE(text.contains(QStringLiteral("Name%1").arg(next, 3, 10, QLatin1Char('0'))))
                << "row " << next << " on sheet " << page;
        }
    }
    EXPECT_EQ(next, 121);
}

TEST_F(ListPrinterPdf, ListThatFillsItsSheetExactlyNeedsNoSecondSheet) {
    const int perSheet = ListPrinter(printer_).rowsPerSheet();
    EXPECT_EQ(ListPrinter(printer_).pageCount(phonebookPrintTable(0, numberedRows(perSheet))), 1);
    EXPECT_EQ(ListPrinter(printer_).pageCount(phonebookPrintTable(0, numberedRows(perSheet + 1))),
              2);
    print({phonebookPrintTable(0, numberedRows(perSheet))});
    EXPECT_EQ(pdfPages(file()).size(), 1);
}

TEST_F(ListPrinterPdf, EachMemoryCountsItsOwnPages) {
    const int perSheet = ListPrinter(printer_).rowsPerSheet();
    const PrintResult result =
        print({phonebookPrintTable(0, numberedRows(1)),
               phonebookPrintTable(1, numberedRows(perSheet * 2 + 1)), phonebookPrintTable(2, {})});
    EXPECT_EQ(result.sheets, 5);
    const QStringList pages = pdfPages(file());
    ASSERT_EQ(pages.size(), 5);
    const QList<std::pair<QString, QString>> expected{
        {"Sim", "Page 1 of 1"}, {"Ms", "Page 1 of 3"}, {"Ms", "Page 2 of 3"},
        {"Ms", "Page 3 of 3"},  {"Pc", "Page 1 of 1"},
    };
    for (int i = 0; i < 5; ++i) {
        EXPECT_TRUE(pages[i].contains(QStringLiteral("This is the %1 Data").arg(expected[i].first)))
            << "sheet " << i + 1;
        EXPECT_TRUE(pages[i].contains(expected[i].second)) << "sheet " << i + 1;
    }
}

// Counts dark runs down one pixel column: the ruled lines crossed there.
int linesCrossed(const QImage& image, int x, int fromY, int toY) {
    int lines = 0;
    bool inLine = false;
    for (int y = fromY; y < toY; ++y) {
        const bool dark = qGray(image.pixel(x, y)) < 128;
        if (dark && !inLine) {
            ++lines;
        }
        inLine = dark;
    }
    return lines;
}

TEST(ListPrinterSheet, EmptyRowsAreRuledDownToTheClosingLine) {
    QImage sheet(1240, 1754, QImage::Format_RGB32);  // A4 at 150 dpi
    sheet.setDotsPerMeterX(5906);
    sheet.setDotsPerMeterY(5906);
    sheet.fill(Qt::white);
    const ListPrinter printer(sheet);
    const PrintTable table = phonebookPrintTable(2, {});
    {
        QPainter painter(&sheet);
        printer.printSheet(painter, table, 1);
    }
    const QList<int> edges = printer.columnEdges(table);
    ASSERT_EQ(edges.size(), 4);
    EXPECT_EQ(edges.first(), printer.tableArea().left());
    EXPECT_EQ(edges.last(), printer.tableArea().right() + 1);
    // Widths 50, 90, 116 keep their shares.
    EXPECT_NEAR(double(edges[1] - edges[0]) / (edges[3] - edges[0]), 50.0 / 256, 0.01);
    EXPECT_NEAR(double(edges[2] - edges[1]) / (edges[3] - edges[0]), 90.0 / 256, 0.01);

    // Header top, one top edge per row (the first is the header's bottom), the closing line.
    const int x = (edges[0] + edges[1]) / 2 + 3;
    EXPECT_EQ(linesCrossed(sheet, x, printer.headerTop() - 1, printer.footerTop()),
              printer.rowsPerSheet() + 2);
    // Every cell boundary is ruled from the header to the closing line.
    const int middleOfRows = printer.tableArea().center().y();
    for (int edge : edges) {
        const int column = std::min(edge, sheet.width() - 1);
        int dark = 0;
        for (int dx = -1; dx <= 1; ++dx) {
            dark += qGray(sheet.pixel(std::max(0, column + dx), middleOfRows)) < 128;
        }
        EXPECT_GT(dark, 0) << "edge at " << edge;
    }
}

}  // namespace
