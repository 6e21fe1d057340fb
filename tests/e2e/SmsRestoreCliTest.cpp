// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli import of messages while the simulated phone answers: they go to its SIM.

#include <gtest/gtest.h>

#include "CliPhoneTest.h"
#include "exchange/ExchangeTestData.h"

namespace {

const QByteArray kBackup =
    "<?xml version='1.0' encoding='UTF-8' standalone='yes' ?>\n<smses count=\"4\">\n"
    "<sms address=\"+4915\" date=\"1000000000000\" type=\"1\" body=\"new\" read=\"0\" />\n"
    "<sms address=\"+4916\" date=\"1000000000000\" type=\"1\" body=\"seen\" read=\"1\" />\n"
    "<sms address=\"0123\" date=\"1\" type=\"3\" body=\"draft\" />\n"
    "<sms address=\"0456\" date=\"1\" type=\"2\" body=\"gone out\" />\n</smses>\n";

class SmsRestoreCliTest : public CliPhoneTest {};

}  // namespace

TEST_F(SmsRestoreCliTest, RestoresEachStatusOnceAndSkipsEveryMessageTheSecondTime) {
    PhoneSimState state = PhoneSimState::demo();
    state.smMessages.capacity = 6;
    state.smMessages.messages.clear();
    state.smMessages.messages[1] = {"REC READ", "+4914", 145, "26/12/01,09:14:22+00", "kept"};
    startPhone(state);
    const QString file = dir.filePath("backup.xml");
    writeBytes(file, kBackup);

    const ProgramRun first = cli({"import", "--what", "sms", "--file", file});
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    EXPECT_EQ(first.out, "imported: 4\nskipped: 0\n");
    QStringList onSim;
    for (const auto& [index, message] : phone->state().smMessages.messages) {
        onSim << QStringLiteral("%1 %2 %3 %4")
                     .arg(index)
                     .arg(message.status, message.address, message.text);
    }
    EXPECT_EQ(onSim, (QStringList{"1 REC READ +4914 kept", "2 REC UNREAD +4915 new",
                                  "3 REC READ +4916 seen", "4 STO UNSENT 0123 draft",
                                  "5 STO SENT 0456 gone out"}));
    const ProgramRun list = cli({"sms", "list", "--sort", "status"});
    EXPECT_TRUE(list.out.contains("2\t\t+4915\tnew\t\tUnRead\n")) << list.out.toStdString();
    EXPECT_TRUE(list.out.contains("5\t\t0456\tgone out\t1 hour\tSent\n"));
    EXPECT_TRUE(list.out.endsWith("TOTAL : 5 / 6 \n"));

    const ProgramRun again = cli({"import", "--what", "sms", "--file", file});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.out, "imported: 0\nskipped: 4\n");
    EXPECT_EQ(again.err.count("already on the SIM"), 4) << again.err.toStdString();
    EXPECT_EQ(phone->state().smMessages.messages.size(), 5u);
}
