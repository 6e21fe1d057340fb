// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "CliPhoneTest.h"
#include "pdu/PduCodec.h"

// Long and Greek messages in PDU format, sent, saved, loaded and listed back through the
// command line.

namespace {

class SmsPduCliTest : public CliPhoneTest {
  protected:
    void SetUp() override {
        PhoneSimState state = PhoneSimState::demo();
        state.smMessages.capacity = 6;
        state.smMessages.messages.clear();
        startPhone(state);
    }
    ProgramRun pduCli(const QStringList& arguments) {
        return cli(QStringList{"--sms-format", "pdu"} + arguments);
    }
};

QString greekText() {
    QString text;
    while (text.size() < 100) {
        text += QStringLiteral("αβγδε ");
    }
    return text.left(100);
}

}  // namespace

TEST_F(SmsPduCliTest, LongGsmTextGoesAsTwoPartsAndListsBackWhole) {
    const QString text = QString(300, 'a').replace(150, 1, QChar(0xE9));  // é is in the alphabet
    const ProgramRun send = pduCli({"sms", "send", "--number", "+447700900456", "--text", text});
    ASSERT_EQ(send.exitCode, 0) << send.err.toStdString();
    const std::vector<PhoneSimMessage> outbox = phone->state().outbox;
    ASSERT_EQ(outbox.size(), 2u);
    EXPECT_EQ(outbox[0].text + outbox[1].text, text);
    EXPECT_EQ(decodePdu(outbox[0].pdu).dataCoding, 0);

    ASSERT_EQ(pduCli({"sms", "save", "--number", "+447700900456", "--text", text}).exitCode, 0);
    const ProgramRun load = pduCli({"sms", "load"});
    ASSERT_EQ(load.exitCode, 0) << load.err.toStdString();
    EXPECT_EQ(load.out, "sms: 1 messages\n");
    const ProgramRun list = pduCli({"sms", "list"});
    EXPECT_EQ(list.out, "1,2\t\t+447700900456\t" + text + "\t1 hour\tNot Sent\nTOTAL : 1 / 6 \n")
        << list.err.toStdString();
    const ProgramRun show = pduCli({"sms", "show", "--index", "2"});
    EXPECT_TRUE(show.out.contains("\nParts: 1,2\n")) << show.out.toStdString();
}

TEST_F(SmsPduCliTest, GreekTextGoesAsTwoUcs2Parts) {
    const ProgramRun send =
        pduCli({"sms", "send", "--number", "+302101234567", "--text", greekText()});
    ASSERT_EQ(send.exitCode, 0) << send.err.toStdString();
    const std::vector<PhoneSimMessage> outbox = phone->state().outbox;
    ASSERT_EQ(outbox.size(), 2u);
    EXPECT_EQ(outbox[0].text.size(), 67);
    EXPECT_EQ(outbox[0].text + outbox[1].text, greekText());
    EXPECT_EQ(decodePdu(outbox[1].pdu).dataCoding, 8);
}

TEST_F(SmsPduCliTest, PastTenPartsIsRefusedBeforeAnythingIsSent) {
    const ProgramRun send =
        pduCli({"sms", "send", "--number", "+447700900456", "--text", QString(1531, 'a')});
    EXPECT_EQ(send.exitCode, 2);
    EXPECT_TRUE(send.err.contains("The message is longer than 10 messages"))
        << send.err.toStdString();
    EXPECT_TRUE(phone->state().outbox.empty());
}

// In text format under the UCS2 set a text the GSM alphabet cannot carry fits 70 characters.
TEST_F(SmsPduCliTest, TextFormatUnderUcs2HoldsUnicodeTextTo70) {
    const ProgramRun send = cli({"--charset", "ucs2", "sms", "send", "--number", "+302101234567",
                                 "--text", greekText().left(71)});
    EXPECT_EQ(send.exitCode, 2);
    EXPECT_TRUE(send.err.contains("The message is longer than 70 characters"))
        << send.err.toStdString();
}
