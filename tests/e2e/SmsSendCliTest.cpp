// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "CliPhoneTest.h"

namespace {

PhoneSimMessage received(const QString& text) {
    PhoneSimMessage m;
    m.status = "REC READ";
    m.address = "+447700900123";
    m.addressType = 145;
    m.timestamp = "26/12/01,09:14:22+00";
    m.text = text;
    return m;
}

// Six locations, 1, 2, 4 and 5 taken.
PhoneSimState smsPhone() {
    PhoneSimState state = PhoneSimState::demo();
    state.smMessages.capacity = 6;
    state.smMessages.messages.clear();
    for (int index : {1, 2, 4, 5}) {
        state.smMessages.messages[index] = received(QString("old %1").arg(index));
    }
    return state;
}

PhoneSimState fullPhone() {
    PhoneSimState state = smsPhone();
    for (int index : {3, 6}) {
        state.smMessages.messages[index] = received("more");
    }
    return state;
}

class SmsSendCliTest : public CliPhoneTest {};

}  // namespace

TEST_F(SmsSendCliTest, SendOnlyAndSendAndSave) {
    startPhone(smsPhone());
    const ProgramRun send =
        cli({"sms", "send", "--number", "+447700900456", "--text", "On my way", "--validity", "3"});
    ASSERT_EQ(send.exitCode, 0) << send.err.toStdString();
    EXPECT_EQ(send.out, "sent\n");
    std::vector<PhoneSimMessage> outbox = phone->state().outbox;
    ASSERT_EQ(outbox.size(), 1u);
    EXPECT_EQ(outbox[0].address, "+447700900456");
    EXPECT_EQ(outbox[0].text, "On my way");
    EXPECT_EQ(outbox[0].validity, 167);
    EXPECT_EQ(outbox[0].firstOctet, 17);
    EXPECT_EQ(phone->state().smMessages.messages.size(), 4u);

    const ProgramRun saved = cli({"sms", "send", "--number", "0123", "--text", "Line one\nline two",
                                  "--name", "Bob", "--reply-path", "on", "--save"});
    ASSERT_EQ(saved.exitCode, 0) << saved.err.toStdString();
    EXPECT_EQ(saved.out, "sent\nsaved: 3\n");
    outbox = phone->state().outbox;
    ASSERT_EQ(outbox.size(), 2u);
    EXPECT_EQ(outbox[1].firstOctet, 145);
    const PhoneSimMessage stored = phone->state().smMessages.messages.at(3);
    EXPECT_EQ(stored.status, "STO SENT");
    EXPECT_EQ(stored.text, "Line one\nline two");

    const ProgramRun list = cli({"sms", "list", "--status", "sent"});
    EXPECT_EQ(list.out, "3\tBob\t0123\tLine one line two\t1 hour\tSent\nTOTAL : 1 / 6 \n")
        << list.err.toStdString();
}

TEST_F(SmsSendCliTest, SaveOnlyWithEitherStatus) {
    startPhone(smsPhone());
    const ProgramRun unsent = cli({"sms", "save", "--number", "0123", "--text", "Draft"});
    ASSERT_EQ(unsent.exitCode, 0) << unsent.err.toStdString();
    EXPECT_EQ(unsent.out, "saved: 3\n");
    const ProgramRun sent = cli({"sms", "save", "--number", "0456", "--text", "Done", "--validity",
                                 "5", "--status", "sent"});
    ASSERT_EQ(sent.exitCode, 0) << sent.err.toStdString();
    EXPECT_EQ(sent.out, "saved: 6\n");
    EXPECT_EQ(phone->state().smMessages.messages.at(3).status, "STO UNSENT");
    EXPECT_EQ(phone->state().smMessages.messages.at(6).status, "STO SENT");
    EXPECT_EQ(phone->state().smMessages.messages.at(6).validity, 255);
    EXPECT_TRUE(phone->state().outbox.empty());
    const ProgramRun list = cli({"sms", "list"});
    EXPECT_EQ(list.out,
              "3\t\t0123\tDraft\t1 hour\tNot Sent\n6\t\t0456\tDone\t63 week\tSent\n"
              "TOTAL : 2 / 6 \n");
}

TEST_F(SmsSendCliTest, FullSimRefusesTheSaveAndSendsOnlyWhenToldTo) {
    startPhone(fullPhone());
    const ProgramRun save = cli({"sms", "save", "--number", "0123", "--text", "x"});
    EXPECT_EQ(save.exitCode, 1);
    EXPECT_TRUE(save.err.contains("SIM card out of SMS memory!")) << save.err.toStdString();

    const ProgramRun asked = cli({"sms", "send", "--number", "0123", "--text", "x", "--save"});
    EXPECT_EQ(asked.exitCode, 1);
    EXPECT_TRUE(asked.err.contains("SIM card out of SMS memory!   Do you want send only?"))
        << asked.err.toStdString();
    EXPECT_TRUE(phone->state().outbox.empty());

    const ProgramRun sendOnly =
        cli({"--yes", "sms", "send", "--number", "0123", "--text", "x", "--save"});
    EXPECT_EQ(sendOnly.exitCode, 0) << sendOnly.err.toStdString();
    EXPECT_EQ(sendOnly.out, "sent\n");
    EXPECT_EQ(phone->state().outbox.size(), 1u);
}

TEST_F(SmsSendCliTest, RefusedSendIsSavedAsNotSent) {
    PhoneSimOptions options;
    options.errorPattern = "+cmgs";
    startPhone(smsPhone(), options);
    const ProgramRun run = cli({"sms", "send", "--number", "0123", "--text", "x", "--save"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Fail sending message")) << run.err.toStdString();
    EXPECT_EQ(run.out, "saved: 3\n");
    EXPECT_EQ(phone->state().smMessages.messages.at(3).status, "STO UNSENT");
}

TEST_F(SmsSendCliTest, RefusedSendNamesTheReason) {
    PhoneSimOptions options;
    options.errorPattern = "+cmgs";
    options.cmsError = 330;
    startPhone(smsPhone(), options);
    const ProgramRun run = cli({"sms", "send", "--number", "0123", "--text", "x"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Fail sending message: SMSC address unknown"))
        << run.err.toStdString();
}

TEST_F(SmsSendCliTest, OffLineSaveGoesToTheTableAndSendFails) {
    const ProgramRun save = cli({"sms", "save", "--number", "0123", "--text", "Later"});
    ASSERT_EQ(save.exitCode, 0) << save.err.toStdString();
    EXPECT_EQ(save.out, "saved: 1\n");
    EXPECT_EQ(cli({"sms", "save", "--number", "0123", "--text", "Again"}).out, "saved: 2\n");
    const ProgramRun send = cli({"sms", "send", "--number", "0123", "--text", "Now"});
    EXPECT_EQ(send.exitCode, 1);
    EXPECT_TRUE(send.out.isEmpty());
}

TEST_F(SmsSendCliTest, UnsafeTextAndBadArgumentsAreUsageErrors) {
    const ProgramRun ctrlZ = cli({"sms", "send", "--number", "0123", "--text",
                                  QString("a\x1a"
                                          "b")});
    EXPECT_EQ(ctrlZ.exitCode, 2);
    EXPECT_TRUE(ctrlZ.err.contains("Ctrl-Z")) << ctrlZ.err.toStdString();
    const ProgramRun quote = cli({"sms", "save", "--number", "01\"23", "--text", "x"});
    EXPECT_EQ(quote.exitCode, 2);
    EXPECT_TRUE(quote.err.contains("double quote")) << quote.err.toStdString();
    EXPECT_EQ(cli({"sms", "send", "--number", "0123"}).exitCode, 2);
    EXPECT_EQ(cli({"sms", "send", "--number", "0123", "--text", "x", "--validity", "6"}).exitCode,
              2);
    EXPECT_EQ(cli({"sms", "save", "--number", "0123", "--text", "x", "--save"}).exitCode, 2);
    // The dialog's rules, with its messages.
    const ProgramRun empty = cli({"sms", "send", "--number", "", "--text", "x"});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_TRUE(empty.err.contains("You must input Number field")) << empty.err.toStdString();
    const ProgramRun tooLong =
        cli({"sms", "save", "--number", "0123", "--text", QString(161, 'a')});
    EXPECT_EQ(tooLong.exitCode, 2);
    EXPECT_TRUE(tooLong.err.contains("The message is longer than 160 characters"))
        << tooLong.err.toStdString();
    // Nothing reached the table.
    EXPECT_EQ(cli({"sms", "list"}).out, "TOTAL : 0\n");
}
