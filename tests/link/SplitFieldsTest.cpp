// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "link/SplitFields.h"

namespace {

QStringList split(const QString& text, int n, QStringList fields = {}) {
    SplitFields(text, fields, n);
    return fields;
}

}  // namespace

TEST(SplitFields, QuotesAreDroppedAndProtectCommas) {
    EXPECT_EQ(split("1,\"a,b\",3", 3), QStringList({"1", "a,b", "3"}));
}

TEST(SplitFields, StopsWhenASeparatorWouldOpenFieldN) {
    EXPECT_EQ(split("1,2,3,4", 2), QStringList({"1", "2"}));
}

TEST(SplitFields, CrLfIsOneSeparator) {
    EXPECT_EQ(split("1\r\n2", 2), QStringList({"1", "2"}));
    EXPECT_EQ(split("1\r\r2", 3), QStringList({"1", "", "2"}));
}

TEST(SplitFields, LineFeedIsTextButFlipsTheQuoteFlag) {
    EXPECT_EQ(split("\"a\nb,c\"", 2), QStringList({"a\nb", "c"}));
}

TEST(SplitFields, CarriageReturnInsideQuotesIsText) {
    EXPECT_EQ(split("\"a\rb\",c", 2), QStringList({"a\rb", "c"}));
}

TEST(SplitFields, Byte255IsDropped) {
    EXPECT_EQ(split(QString("a") + QChar(255) + "b,c", 2), QStringList({"ab", "c"}));
}

TEST(SplitFields, FieldsTheTextNeverReachesKeepTheirValues) {
    const QStringList before{"old0", "old1", "old2"};
    EXPECT_EQ(split("", 3, before), QStringList({"", "old1", "old2"}));
    EXPECT_EQ(split("x,y", 3, before), QStringList({"x", "y", "old2"}));
    // A field the walk moves into is emptied even when nothing follows.
    EXPECT_EQ(split("x,", 3, before), QStringList({"x", "", "old2"}));
}

TEST(SplitFields, ShortArrayIsGrownToN) {
    EXPECT_EQ(split("a,b", 3).size(), 3);
}

TEST(SplitFields, EntryAnswerStopsBeforeTheFinalOk) {
    const QStringList fields = split("12,\"+123\",145,\"Anna\"\r\n\r\nOK\r\n", 4);
    EXPECT_EQ(fields, QStringList({"12", "+123", "145", "Anna"}));
}

TEST(SplitFields, FreeTextFieldTakesExactlyTheGivenLength) {
    // Fields 0..9, then the length 5, then free text with commas and quotes.
    const QString text = "0,1,2,3,4,5,6,7,8,9,5,a,\"b\"cdef,g";
    const QStringList fields = split(text, 12);
    ASSERT_EQ(fields.size(), 12);
    EXPECT_EQ(fields[10], "5");
    EXPECT_EQ(fields[11], "a,\"b\"");
}

TEST(SplitFields, FreeTextWithoutLengthStaysEmpty) {
    const QStringList fields = split("0,1,2,3,4,5,6,7,8,9,x,hello", 12);
    EXPECT_EQ(fields[10], "x");
    EXPECT_EQ(fields[11], "");
}

TEST(SplitFields, FreeTextOnlyAppliesToTwelveFields) {
    const QStringList fields = split("0,1,2,3,4,5,6,7,8,9,2,a,b,c", 13);
    EXPECT_EQ(fields[11], "a");
    EXPECT_EQ(fields[12], "b");
}
