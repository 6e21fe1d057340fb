// SPDX-License-Identifier: GPL-3.0-or-later
// The phone link against the simulated phone over a real pseudo-terminal.

#include <gtest/gtest.h>

#include "phone/PhoneLink.h"
#include "platform/Profile.h"
#include "support/PhoneSimRunner.h"
#include "support/TempWorkDir.h"

namespace {

class LinkOverPty : public ::testing::Test {
  protected:
    LinkOverPty() { Profile::useFolder(dir.path()); }
    ~LinkOverPty() override { Profile::useFolder({}); }

    std::unique_ptr<PhoneLink> connect(const PhoneSimRunner& phone) {
        PhoneLinkOptions options;
        options.devicePath = phone.slavePath();
        return std::make_unique<PhoneLink>(std::move(options));
    }

    TempWorkDir dir;
};

}  // namespace

TEST_F(LinkOverPty, FindsTheDemoPhoneAndItsCapacities) {
    PhoneSimState state = PhoneSimState::demo();
    state.sm.capacity = 180;
    state.me.capacity = 420;
    state.featureMask = 11;
    PhoneSimRunner phone(state);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    auto link = connect(phone);
    EXPECT_EQ(link->connected, 1);
    EXPECT_TRUE(link->phoneFound);
    EXPECT_EQ(link->simPhonebookCapacity, 180);
    EXPECT_EQ(link->mePhonebookCapacity, 420);
    EXPECT_EQ(link->simMessageCapacity, state.smMessages.capacity);
    EXPECT_EQ(link->broadcastMessageCapacity, state.bmMessages.capacity);
    EXPECT_EQ(link->QueryFeatureMask(), 11);
}

TEST_F(LinkOverPty, ChunkedAnswersAreAssembled) {
    PhoneSimOptions options;
    options.chunkBytes = 3;
    options.chunkGapMs = 5;
    PhoneSimRunner phone(PhoneSimState::demo(), options);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    auto link = connect(phone);
    ASSERT_TRUE(link->phoneFound);
    link->SelectPhonebookMemory(0);
    QString entry;
    EXPECT_EQ(link->ReadPhonebookEntry(2, entry), 0);
    EXPECT_TRUE(entry.startsWith("2,\"+447700900456\",145,\"Ben Okafor\"")) << entry.toStdString();
}

TEST_F(LinkOverPty, AnotherMakerIsNoPhone) {
    PhoneSimState state = PhoneSimState::demo();
    state.maker = "Othermake";
    PhoneSimRunner phone(state);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    auto link = connect(phone);
    EXPECT_EQ(link->connected, 1);
    EXPECT_FALSE(link->phoneFound);
    EXPECT_EQ(link->simPhonebookCapacity, 300);
}

TEST_F(LinkOverPty, FailingMakerQueryIsNoPhone) {
    PhoneSimOptions options;
    options.errorPattern = "cgmi";
    PhoneSimRunner phone(PhoneSimState::demo(), options);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    EXPECT_FALSE(connect(phone)->phoneFound);
}

TEST_F(LinkOverPty, LongErrorCodeFailsTheCommand) {
    PhoneSimOptions options;
    options.errorPattern = "cpbr";
    options.cmeError = 100;
    PhoneSimRunner phone(PhoneSimState::demo(), options);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    auto link = connect(phone);
    ASSERT_TRUE(link->phoneFound);
    QString entry = "stale";
    EXPECT_EQ(link->ReadPhonebookEntry(1, entry), 1);
    EXPECT_TRUE(entry.isEmpty());
}

TEST_F(LinkOverPty, SilentPhoneIsDeclaredAbsent) {
    PhoneSimOptions options;
    options.silent = true;
    PhoneSimRunner phone(PhoneSimState::demo(), options);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    auto link = connect(phone);
    EXPECT_EQ(link->connected, 1);
    EXPECT_FALSE(link->phoneFound);
}

TEST_F(LinkOverPty, HangUpIsALostPhoneNotData) {
    PhoneSimOptions options;
    options.dropAfterCommands = 2;  // atz and the first maker query are answered
    PhoneSimRunner phone(PhoneSimState::demo(), options);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    auto link = connect(phone);
    EXPECT_TRUE(link->phoneFound);
    ASSERT_TRUE(link->port);
    EXPECT_TRUE(link->port->lost());
    QString answer;
    EXPECT_EQ(link->Transact("at+cgmi\r", answer), 1);
    EXPECT_TRUE(answer.isEmpty());
}

TEST_F(LinkOverPty, PortThatCannotOpenLeavesNoPort) {
    PhoneLinkOptions options;
    options.devicePath = dir.filePath("no-such-device");
    PhoneLink link(options);
    EXPECT_EQ(link.connected, 0);
    EXPECT_FALSE(link.port);
    EXPECT_FALSE(link.phoneFound);
}
