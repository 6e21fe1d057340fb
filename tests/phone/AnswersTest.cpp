// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QList>

#include "phone/IdentityAnswers.h"
#include "phone/PhonebookAnswers.h"
#include "phone/ServiceCentreAnswers.h"

// The answer parsers on the awkward answers a phone can give.

TEST(IdentityAnswers, MakerMustFollowSomething) {
    EXPECT_TRUE(AnswerNamesMaker("at+cgmi\r\r\nQuillon\r\n\r\nOK\r\n"));
    EXPECT_FALSE(AnswerNamesMaker("Quillon\r\n\r\nOK\r\n"));  // no echo: position 0
    EXPECT_FALSE(AnswerNamesMaker("at+cgmi\r\r\nQUILLON\r\n\r\nOK\r\n"));
    EXPECT_FALSE(AnswerNamesMaker(""));
}

TEST(IdentityAnswers, PhonebookCapacityIsTheNumberAfterTheLastComma) {
    EXPECT_EQ(ParsePhonebookCapacity("at+cpbs?\r\r\n+CPBS: \"SM\",12,20,180\r\n\r\nOK\r\n"), 180);
    EXPECT_EQ(ParsePhonebookCapacity("+CPBS: \"ME\",3,550"), 550);
    EXPECT_EQ(ParsePhonebookCapacity("+CPBS: \"SM\",12, \t250x"), 250);
    EXPECT_EQ(ParsePhonebookCapacity("+CPBS: \"SM\""), std::nullopt);
    EXPECT_EQ(ParsePhonebookCapacity("+CPBS: \"SM\",12,"), std::nullopt);
    // A trailing comma behind the number hides it: the rule is the last comma, not the last
    // number.
    EXPECT_EQ(ParsePhonebookCapacity("+CPBS: \"SM\",12,180,\r\nOK\r\n"), std::nullopt);
}

TEST(IdentityAnswers, MessageCapacityIsTheNumberAfterTheFirstComma) {
    EXPECT_EQ(ParseMessageCapacity("at+cpms=\"sm\"\r\r\n+CPMS: 3,15,3,15,3,15\r\n\r\nOK\r\n"), 15);
    EXPECT_EQ(ParseMessageCapacity("+CPMS: 3, x,9"), std::nullopt);
    EXPECT_EQ(ParseMessageCapacity("+CPMS: 3"), std::nullopt);
}

TEST(IdentityAnswers, FeatureMaskFollowsTheFirstColon) {
    EXPECT_EQ(ParseFeatureMask("at+crfo\r\r\n+CRFO: 13\r\n\r\nOK\r\n"), 13);
    EXPECT_EQ(ParseFeatureMask("+CRFO:7"), 7);
    EXPECT_EQ(ParseFeatureMask("+CRFO: none"), std::nullopt);
    EXPECT_EQ(ParseFeatureMask("+CRFO: -1"), std::nullopt);
    EXPECT_EQ(ParseFeatureMask("13\r\nOK\r\n"), std::nullopt);
}

TEST(IdentityAnswers, LeadingDecimalStopsBeforeOverflow) {
    EXPECT_EQ(LeadingDecimal(" \t042;"), 42);
    EXPECT_EQ(LeadingDecimal("\r\n5"), std::nullopt);  // only blanks and tabs are skipped
    const std::optional<int> huge = LeadingDecimal("99999999999999999999");
    ASSERT_TRUE(huge);
    EXPECT_GT(*huge, 0);
}

TEST(PhonebookAnswers, EntryTextIsEverythingBehindTheFirstMarker) {
    const QString answer = "at+cpbr=3\r\r\n+CPBR: 3,\"+44\",145,\"+CPBR: \"\r\n\r\nOK\r\n";
    EXPECT_EQ(PhonebookEntryText(answer), "3,\"+44\",145,\"+CPBR: \"\r\n\r\nOK\r\n");
    EXPECT_EQ(PhonebookEntryText("at+cpbr=4\r\r\nOK\r\n"), "");
    EXPECT_EQ(PhonebookEntryText("+CPBR:3,\"1\",129,\"x\""), "");  // the blank belongs to it
}

TEST(PhonebookAnswers, EntryFieldsAndTheCutBehindTheName) {
    PhonebookEntryAnswer entry;
    ASSERT_TRUE(
        ParsePhonebookEntry("12,\"+447700900123\",145,\"Hartley, Alice\"\r\n\r\nOK\r\n", entry));
    EXPECT_EQ(entry.index, 12);
    EXPECT_EQ(entry.dialString, "+447700900123");
    EXPECT_EQ(entry.numberType, 145);
    EXPECT_EQ(entry.name, "Hartley, Alice");  // the comma inside quotes is text

    ASSERT_TRUE(ParsePhonebookEntry("7,\"+*31#1234P55\",145,\"Ext\"\r\nOK\r\n", entry));
    EXPECT_EQ(entry.dialString, "+*31#1234P55");
    EXPECT_EQ(entry.name, "Ext");
}

TEST(PhonebookAnswers, EightBitNamesKeepTheirBytesButTheFillerByteIsDropped) {
    PhonebookEntryAnswer entry;
    ASSERT_TRUE(
        ParsePhonebookEntry(QString::fromLatin1("2,\"1\",129,\"J\xf8rgen\xff\"\r\n"), entry));
    EXPECT_EQ(entry.name, QString::fromLatin1("J\xf8rgen"));
}

TEST(PhonebookAnswers, NoEntryWithoutAPositiveIndex) {
    PhonebookEntryAnswer entry;
    entry.name = "stale";
    EXPECT_FALSE(ParsePhonebookEntry("", entry));
    EXPECT_EQ(entry.name, "");  // nothing of an earlier entry survives
    EXPECT_FALSE(ParsePhonebookEntry("0,\"1\",129,\"Zero\"\r\n", entry));
    EXPECT_FALSE(ParsePhonebookEntry("-3,\"1\",129,\"Neg\"\r\n", entry));
    EXPECT_FALSE(ParsePhonebookEntry(",\"1\",129,\"NoIndex\"\r\n", entry));
    // A short answer fills what it reaches; the rest stays empty.
    ASSERT_TRUE(ParsePhonebookEntry("5,\"123\"\r\nOK\r\n", entry));
    EXPECT_EQ(entry.dialString, "123");
    EXPECT_EQ(entry.numberType, 0);
    EXPECT_EQ(entry.name, "");
}

TEST(ServiceCentreAnswers, AddressIsTheFirstFieldWithoutQuotes) {
    const QString text =
        ServiceCentreText("at+csca?\r\r\n+CSCA: \"+447785016005\",145\r\n\r\nOK\r\n");
    EXPECT_EQ(text, "\"+447785016005\",145\r\n\r\nOK\r\n");
    EXPECT_EQ(ServiceCentreAddressOf(text), "+447785016005");
    EXPECT_EQ(ServiceCentreAddressOf("\"+44\"\r\n\r\nOK\r\n"), "+44");  // no type given
    EXPECT_EQ(ServiceCentreAddressOf(ServiceCentreText("at+csca?\r\r\nOK\r\n")), "");
    EXPECT_EQ(ServiceCentreText("+CSCA:\"+1\",145"), "");
}

// Answers as handsets give them under UCS2: names always in hex, numbers in hex on some phones
// and plain on others; a field that is not valid hex is kept as sent.
TEST(PhonebookAnswers, Ucs2EntriesAsHandsetsSendThem) {
    struct Case {
        QString entryText;
        QString dialString;
        QString name;
    };
    const QList<Case> cases = {
        {"1,\"002B0034003400370037\",145,\"039503BB03AD03BD03B7\"\r\n", "+4477",
         QStringLiteral("Ελένη")},
        {"2,\"+4477\",145,\"738B5C0F660E\"\r\n", "+4477", QStringLiteral("王小明")},
        {"4,\"1234\",129,\"00410\"\r\n", "1234", "00410"},     // odd digits; "1234" is no dial hex
        {"5,\"0031\",129,\"D83D0041\"\r\n", "1", "D83D0041"},  // lone surrogate
    };
    for (const Case& c : cases) {
        PhonebookEntryAnswer entry;
        ASSERT_TRUE(ParsePhonebookEntry(c.entryText, entry, PhoneCharset::Ucs2));
        EXPECT_EQ(entry.dialString, c.dialString) << c.entryText.toStdString();
        EXPECT_EQ(entry.name, c.name) << c.entryText.toStdString();
    }
    const QString centre = ServiceCentreText("+CSCA: \"002B0034003400370037\",145\r\n\r\nOK\r\n");
    EXPECT_EQ(ServiceCentreAddressOf(centre, PhoneCharset::Ucs2), "+4477");
}
