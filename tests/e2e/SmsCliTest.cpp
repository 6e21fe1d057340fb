// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "CliPhoneTest.h"

namespace {

PhoneSimMessage message(const QString& status, const QString& address, const QString& text) {
    PhoneSimMessage m;
    m.status = status;
    m.address = address;
    m.addressType = address.startsWith('+') ? 145 : 129;
    m.timestamp = status.startsWith("REC") ? "26/12/01,09:14:22+00" : "";
    m.text = text;
    m.firstOctet = 17;
    m.validity = 167;
    return m;
}

PhoneSimState smsPhone() {
    PhoneSimState state = PhoneSimState::demo();
    state.smMessages.capacity = 6;
    state.smMessages.messages.clear();
    state.smMessages.messages[1] = message("REC UNREAD", "+447700900123", "Is that OK\r\nsee you");
    state.smMessages.messages[2] = message("REC READ", "+49555", "ERROR\r\n+CMS ERROR: 500\r\n>");
    state.smMessages.messages[4] = message("STO UNSENT", "0123", "Draft, \"quoted\"\nline two");
    state.smMessages.messages[5] = message("STO SENT", "+*31#0456", "Sent one");
    return state;
}

// Answers go out a line at a time, each later than a poll period after the one before.
PhoneSimOptions slowLines() {
    PhoneSimOptions options;
    options.lineByLine = true;
    options.chunkGapMs = 150;
    return options;
}

class SmsCliTest : public CliPhoneTest {};

}  // namespace

TEST_F(SmsCliTest, LoadOverSlowLinesKeepsEveryTextWholeAndInItsLocation) {
    startPhone(smsPhone(), slowLines());
    const ProgramRun load = cli({"sms", "load"});
    ASSERT_EQ(load.exitCode, 0) << load.err.toStdString();
    EXPECT_EQ(load.out, "sms: 4 messages\n");
    EXPECT_TRUE(load.err.contains("SMS Load")) << load.err.toStdString();

    const ProgramRun list = cli({"sms", "list"});
    ASSERT_EQ(list.exitCode, 0) << list.err.toStdString();
    EXPECT_EQ(list.out,
              "1\t\t+447700900123\tIs that OK see you\t26/12/01,09:14:22+00\tUnRead\n"
              "2\t\t+49555\tERROR +CMS ERROR: 500 >\t26/12/01,09:14:22+00\tRead\n"
              "4\t\t0123\tDraft, \"quoted\" line two\t24 hour\tNot Sent\n"
              "5\t\t*31#+0456\tSent one\t24 hour\tSent\n"
              "TOTAL : 4 / 6 \n");

    const ProgramRun show = cli({"sms", "show", "--index", "4"});
    ASSERT_EQ(show.exitCode, 0) << show.err.toStdString();
    EXPECT_EQ(show.out,
              "Number: 4\nName: \nPhoneNumber: 0123\nDate: 24 hour\nStatus: Not Sent\n"
              "Reply: no\nPid: 0\nType: SIM\n\nDraft, \"quoted\"\r\nline two\n");
    // Reading marked the received message read on the phone.
    EXPECT_EQ(phone->state().smMessages.messages.at(1).status, "REC READ");
}

TEST_F(SmsCliTest, ListFiltersAndSorts) {
    startPhone(smsPhone());
    ASSERT_EQ(cli({"sms", "load"}).exitCode, 0);
    const ProgramRun unsent = cli({"sms", "list", "--status", "unread,unsent"});
    EXPECT_EQ(unsent.out.count('\n'), 3) << unsent.out.toStdString();
    EXPECT_TRUE(unsent.out.endsWith("TOTAL : 2 / 6 \n"));
    const ProgramRun byNumber = cli({"sms", "list", "--sort", "status", "--desc"});
    EXPECT_TRUE(byNumber.out.startsWith("5\t")) << byNumber.out.toStdString();
    const ProgramRun ascending = cli({"sms", "list", "--sort", "message"});
    EXPECT_TRUE(ascending.out.startsWith("4\t\t0123\tDraft")) << ascending.out.toStdString();
    const ProgramRun none = cli({"sms", "list", "--status", "sent,read", "--sort", "number"});
    EXPECT_TRUE(none.out.startsWith("5\t\t*31#+0456")) << none.out.toStdString();
    EXPECT_EQ(cli({"sms", "list", "--status", "lost"}).exitCode, 2);
    const ProgramRun unknown = cli({"sms", "forget"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains("load, list, show, delete, send, save"))
        << unknown.err.toStdString();
}

TEST_F(SmsCliTest, DeleteReachesThePhoneThenTheTable) {
    startPhone(smsPhone());
    ASSERT_EQ(cli({"sms", "load"}).exitCode, 0);
    const ProgramRun one = cli({"sms", "delete", "--index", "2"});
    ASSERT_EQ(one.exitCode, 0) << one.err.toStdString();
    EXPECT_EQ(phone->state().smMessages.messages.count(2), 0u);
    EXPECT_EQ(cli({"sms", "show", "--index", "2"}).exitCode, 1);

    const ProgramRun asked = cli({"sms", "delete", "--all"});
    EXPECT_EQ(asked.exitCode, 1);
    EXPECT_TRUE(asked.err.contains("Do you want to delete all SMS data ?"))
        << asked.err.toStdString();
    EXPECT_EQ(phone->state().smMessages.messages.size(), 3u);

    const ProgramRun all = cli({"--yes", "sms", "delete", "--all"});
    ASSERT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_TRUE(phone->state().smMessages.messages.empty());
    EXPECT_EQ(cli({"sms", "list"}).out, "TOTAL : 0\n");
}

TEST_F(SmsCliTest, NoPhoneMeansExitOneAndTheTableStays) {
    startPhone(smsPhone());
    ASSERT_EQ(cli({"sms", "load"}).exitCode, 0);
    phone.reset();
    const ProgramRun load = cli({"sms", "load"});
    EXPECT_EQ(load.exitCode, 1);
    EXPECT_FALSE(load.err.isEmpty());
    const ProgramRun list = cli({"sms", "list"});
    EXPECT_TRUE(list.out.endsWith("TOTAL : 4 / 10 \n")) << list.out.toStdString();
}
