// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli with the standard phone type against a simulated phone of another maker.

#include "CliPhoneTest.h"

namespace {

class StandardPhoneCliTest : public CliPhoneTest {
  protected:
    ProgramRun standard(const QStringList& arguments) {
        return cli(QStringList{"--profile", "standard", "--sms-format", "text"} + arguments);
    }
};

TEST_F(StandardPhoneCliTest, AnotherMakersPhoneIsIdentifiedLoadedAndWritten) {
    startPhone(PhoneSimState::standardPersona());
    const ProgramRun identify = standard({"identify"});
    EXPECT_EQ(identify.exitCode, 0) << identify.err.toStdString();
    EXPECT_TRUE(
        identify.out.contains("maker: Acme\nmodel: M-100\nrevision: R2.3\n"
                              "serial number: 350000000000001\nphonebooks: sim ms\n"))
        << identify.out.toStdString();
    EXPECT_TRUE(identify.out.contains("feature mask: 12\n"));

    EXPECT_EQ(standard({"phonebook", "load"}).out, "sim: 6 entries\nms: 4 entries\n");
    EXPECT_EQ(standard({"phonebook", "add", "--memory", "sim", "--name", "Zoe", "--number", "+123"})
                  .exitCode,
              0);
    EXPECT_EQ(standard({"phonebook", "delete", "--memory", "sim", "--index", "1"}).exitCode, 0);
    const PhoneSimState after = phone->state();
    EXPECT_EQ(after.sm.entries.count(1), 0u);
    EXPECT_EQ(after.sm.entries.at(4).name, "Zoe");

    const ProgramRun sms = standard({"sms", "load"});
    EXPECT_EQ(sms.exitCode, 0) << sms.err.toStdString();

    // The maker's phone type refuses the phone, and says which type would take it.
    const ProgramRun refused = cli({"identify"});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.contains("Acme") &&
                refused.err.contains("\"Any standard phone or modem\""))
        << refused.err.toStdString();
}

TEST_F(StandardPhoneCliTest, ASimOnlyPhoneNumberingFromZeroShowsItsEntriesFromOne) {
    PhoneSimState state = PhoneSimState::standardPersona();
    state.phoneMemory = false;
    state.firstPhonebookIndex = 0;
    state.sm.entries = {{0, {"+111", 145, "First"}}, {249, {"+999", 145, "Last"}}};
    startPhone(state);

    EXPECT_EQ(standard({"phonebook", "load"}).out, "sim: 2 entries\nms: none on this phone\n");
    EXPECT_EQ(standard({"phonebook", "list", "--memory", "sim"}).out,
              "1\tFirst\t+111\n250\tLast\t+999\nTOTAL : 2 / 250\n");
    EXPECT_EQ(standard({"phonebook", "delete", "--memory", "sim", "--index", "1"}).exitCode, 0);
    EXPECT_EQ(phone->state().sm.entries.count(0), 0u);
    EXPECT_NE(
        standard({"phonebook", "add", "--memory", "ms", "--name", "A", "--number", "1"}).exitCode,
        0);
}

// With the phone memory chosen, messages are saved to and loaded from it, and the SIM's stay.
TEST_F(StandardPhoneCliTest, MessagesGoToThePhoneMemoryWhenChosen) {
    startPhone(PhoneSimState::standardPersona());
    const QStringList inPhone{"--profile", "standard", "--sms-storage", "phone"};
    const auto onSim = phone->state().smMessages.messages.size();
    const ProgramRun save = cli(
        inPhone + QStringList{"sms", "save", "--number", "0123", "--text", "Kept in the phone"});
    ASSERT_EQ(save.exitCode, 0) << save.err.toStdString();
    const PhoneSimState after = phone->state();
    ASSERT_EQ(after.meMessages.messages.size(), 1u);
    EXPECT_EQ(after.smMessages.messages.size(), onSim);
    EXPECT_EQ(cli(inPhone + QStringList{"sms", "load"}).out, "sms: 1 messages\n");
    EXPECT_TRUE(cli(inPhone + QStringList{"sms", "list"}).out.contains("Kept in the phone"));
}

}  // namespace
