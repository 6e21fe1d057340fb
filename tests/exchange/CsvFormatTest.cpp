// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "exchange/CsvFormat.h"
#include "exchange/ExchangeTestData.h"

TEST(Csv, QuotesOnlyWhatNeedsQuotesAndReadsItBack) {
    const QStringList fields = {"plain", "a,b", "say \"hi\"", "two\r\nlines", "", "ü"};
    const QByteArray line = csvLine(fields);
    EXPECT_EQ(line, "plain,\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",," + QString("ü").toUtf8() +
                        "\r\n");
    const CsvReadResult read = readCsv(csvLine({"h1", "h2", "h3", "h4", "h5", "h6"}) + line);
    ASSERT_TRUE(read.error.isEmpty());
    ASSERT_EQ(read.records.size(), 2);
    EXPECT_EQ(read.records[1].fields, fields);
    EXPECT_EQ(read.records[1].line, 2);
}

TEST(Csv, LineNumbersCountLineEndsInsideQuotesAndBlankLinesAreNoRecords) {
    const CsvReadResult read = readCsv("\xEF\xBB\xBFh\n\"a\nb\"\n\nlast\n");
    ASSERT_TRUE(read.error.isEmpty());
    ASSERT_EQ(read.records.size(), 3);
    EXPECT_EQ(read.records[0].fields, QStringList{"h"});
    EXPECT_EQ(read.records[1].fields, QStringList{"a\nb"});
    EXPECT_EQ(read.records[2].fields, QStringList{"last"});
    EXPECT_EQ(read.records[2].line, 5);
}

TEST(Csv, AnUnclosedQuoteIsAnErrorNamingItsLine) {
    const CsvReadResult read = readCsv("h1,h2\r\nx,y\r\n\"open,z\r\nmore\r\n");
    EXPECT_EQ(read.error, "line 3: a quoted field is never closed");
    EXPECT_TRUE(read.records.isEmpty());
}

TEST(Csv, EmptyFieldsAtTheEndAreKept) {
    const CsvReadResult read = readCsv("a,b,\r\n,,\r\n");
    ASSERT_EQ(read.records.size(), 2);
    EXPECT_EQ(read.records[0].fields, (QStringList{"a", "b", ""}));
    EXPECT_EQ(read.records[1].fields, (QStringList{"", "", ""}));
}
