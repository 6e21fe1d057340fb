// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "phone/PhoneLink.h"
#include "platform/Profile.h"
#include "support/EnginePhoneLink.h"
#include "support/TempWorkDir.h"

namespace {

class PhonebookCommandsTest : public ::testing::Test {
  protected:
    PhonebookCommandsTest() { Profile::useFolder(dir.path()); }
    ~PhonebookCommandsTest() override { Profile::useFolder({}); }

    QByteArray lastCommand() { return phone.line().writes().last(); }

    TempWorkDir dir;
    EnginePhoneLink phone;
};

}  // namespace

TEST_F(PhonebookCommandsTest, WriteCommandTextsByteForByte) {
    PhoneLink& link = phone.link();
    link.WritePhonebookEntry(7, 2, "+123", 145, "Anna");
    EXPECT_EQ(lastCommand(), "at+cpbw=7,2,\"+123\",145,\"Anna\"\r");
    link.WritePhonebookEntry(30, 0, "0123", 129, "Bob");
    EXPECT_EQ(lastCommand(), "at+cpbw=30,0,\"0123\",129,\"Bob\"\r");
    for (int mode : {1, 3}) {
        link.WritePhonebookEntry(2, mode, "5", 129, "C");
        EXPECT_EQ(lastCommand(),
                  QByteArray("at+cpbw=2,") + QByteArray::number(mode) + ",\"5\",129,\"C\"\r");
    }
}

TEST_F(PhonebookCommandsTest, CallerIdPrefixRuleOverridesTheType) {
    PhoneLink& link = phone.link();
    link.WritePhonebookEntry(1, 0, "*31#+123", 129, "A");
    EXPECT_EQ(lastCommand(), "at+cpbw=1,0,\"+*31#123\",145,\"A\"\r");
    link.WritePhonebookEntry(1, 0, "#31#+123", 129, "A");
    EXPECT_EQ(lastCommand(), "at+cpbw=1,0,\"+#31#123\",145,\"A\"\r");
    // Without the "+" behind the prefix the dial string and the caller's type stay.
    link.WritePhonebookEntry(1, 0, "#31#123", 129, "A");
    EXPECT_EQ(lastCommand(), "at+cpbw=1,0,\"#31#123\",129,\"A\"\r");
}

TEST_F(PhonebookCommandsTest, EightBitTextGoesOutAsLatin1) {
    phone.link().WritePhonebookEntry(4, 0, "1", 129, QString::fromLatin1("J\xf8rgen \xe9"));
    EXPECT_EQ(lastCommand(), "at+cpbw=4,0,\"1\",129,\"J\xf8rgen \xe9\"\r");
}

TEST_F(PhonebookCommandsTest, DeleteAndSelect) {
    PhoneLink& link = phone.link();
    EXPECT_EQ(link.SelectPhonebookMemory(0), 0);
    EXPECT_EQ(lastCommand(), "at+cpbs=\"sm\"\r");
    EXPECT_EQ(link.DeletePhonebookEntry(5), 0);
    EXPECT_EQ(lastCommand(), "at+cpbw=5\r");
    EXPECT_EQ(phone.engine().state().sm.entries.count(5), 0u);
    EXPECT_EQ(link.SelectPhonebookMemory(1), 0);
    EXPECT_EQ(lastCommand(), "at+cpbs=\"me\"\r");
}

TEST_F(PhonebookCommandsTest, ReadReturnsTheTextBehindTheMarker) {
    PhoneLink& link = phone.link();
    link.SelectPhonebookMemory(0);
    QString entry = "stale";
    EXPECT_EQ(link.ReadPhonebookEntry(1, entry), 0);
    EXPECT_EQ(lastCommand(), "at+cpbr=1\r");
    EXPECT_TRUE(entry.startsWith("1,\"+447700900123\",145,\"Alice Hartley\""))
        << entry.toStdString();
    EXPECT_TRUE(entry.endsWith("OK\r\n"));
    // An empty index answers only OK.
    EXPECT_EQ(link.ReadPhonebookEntry(4, entry), 0);
    EXPECT_TRUE(entry.isEmpty());
}

TEST_F(PhonebookCommandsTest, WrittenEntryReadsBack) {
    PhoneLink& link = phone.link();
    link.SelectPhonebookMemory(1);
    ASSERT_EQ(link.WritePhonebookEntry(9, 2, "*31#+4412", 129, "Zed"), 0);
    QString entry;
    ASSERT_EQ(link.ReadPhonebookEntry(9, entry), 0);
    EXPECT_TRUE(entry.startsWith("9,\"+*31#4412\",145,\"Zed\"")) << entry.toStdString();
}

TEST(PhonebookNumberForms, TypeAndConversions) {
    QString dial;
    int type = 0;
    PhoneLink::NumberTypeOf("+123", dial, type);
    EXPECT_EQ(dial, "+123");
    EXPECT_EQ(type, 145);
    PhoneLink::NumberTypeOf("*31#+123", dial, type);
    EXPECT_EQ(type, 129);
    PhoneLink::NumberTypeOf("", dial, type);
    EXPECT_EQ(type, 129);

    EXPECT_EQ(PhoneLink::ToPhoneForm("*31#+123"), "+*31#123");
    EXPECT_EQ(PhoneLink::ToDisplayForm("+#31#123"), "#31#+123");
    EXPECT_EQ(PhoneLink::ToPhoneForm(PhoneLink::ToDisplayForm("+#31#123")), "+#31#123");
    // Short strings are not padded.
    EXPECT_EQ(PhoneLink::ToDisplayForm("+12"), "12+");
}

TEST_F(PhonebookCommandsTest, TextThatWouldBreakTheCommandIsRefusedUnsent) {
    PhoneLink& link = phone.link();
    const qsizetype before = phone.line().writes().size();
    EXPECT_EQ(link.WritePhonebookEntry(3, 0, "123", 129, "Ann\"a"), 1);
    EXPECT_EQ(link.WritePhonebookEntry(3, 0, "123", 129, "Ann\rat+cpbw=1"), 1);
    EXPECT_EQ(link.WritePhonebookEntry(3, 0, "12\"3", 129, "Anna"), 1);
    EXPECT_EQ(link.WritePhonebookEntry(3, 0, "123", 129, QString::fromUtf8("Zo\u00eb \u20ac")), 1);
    EXPECT_EQ(link.WriteServiceCentre("+44\r"), 1);
    EXPECT_EQ(phone.line().writes().size(), before);
    EXPECT_EQ(phone.engine().state().serviceCentre, "+447785016005");
    // Dialling characters, the extension marker included, still go out.
    EXPECT_EQ(link.WritePhonebookEntry(3, 0, "+44#12*3P45", 145, "Anna"), 0);
    EXPECT_EQ(lastCommand(), "at+cpbw=3,0,\"+44#12*3P45\",145,\"Anna\"\r");
}
