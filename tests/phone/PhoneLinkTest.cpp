// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "phone/PhoneLink.h"
#include "platform/Profile.h"
#include "support/EnginePhoneLink.h"
#include "support/FakeClock.h"
#include "support/FakeSerialDevice.h"
#include "support/TempWorkDir.h"

namespace {

using Script = std::function<QByteArray(const QByteArray& command)>;

// A PhoneLink on a fake line whose phone answers each command line from a script (an empty
// answer is silence).
class ScriptedPhone {
  public:
    explicit ScriptedPhone(Script script, QString devicePath = "/dev/fake") {
        PhoneLinkOptions options;
        options.devicePath = std::move(devicePath);
        options.clock = &clock;
        options.deviceFactory = [this, script]() -> std::unique_ptr<SerialDevice> {
            auto device = std::make_unique<FakeSerialDevice>(clock);
            device->setResponder([script](const QByteArray& written) {
                const QByteArray reply = script(written);
                return reply.isEmpty() ? QList<FakeChunk>{} : QList<FakeChunk>{{20, reply}};
            });
            line = device.get();
            return device;
        };
        link = std::make_unique<PhoneLink>(std::move(options));
    }
    QList<QByteArray> commands() const { return line->writes(); }

    FakeClock clock;
    FakeSerialDevice* line = nullptr;
    std::unique_ptr<PhoneLink> link;
};

QByteArray ok(const QByteArray& command, const QByteArray& lines = {}) {
    return command + (lines.isEmpty() ? QByteArray() : "\r\n" + lines + "\r\n") + "\r\nOK\r\n";
}

// An echoing phone of the given make with the given memory reports.
Script phoneOfMake(const QByteArray& maker) {
    return [maker](const QByteArray& c) -> QByteArray {
        if (c == "at+cgmi\r") {
            return ok(c, maker);
        }
        if (c == "at+cpbs?\r") {
            return ok(c, "+CPBS: \"SM\",12,20,180");
        }
        if (c.startsWith("at+cpms=")) {
            return ok(c, "+CPMS: 3,15,3,15,3,15");
        }
        if (c == "at+crfo\r") {
            return ok(c, "+CRFO: 13");
        }
        return ok(c);
    };
}

class PhoneLinkTest : public ::testing::Test {
  protected:
    PhoneLinkTest() { Profile::useFolder(dir.path()); }
    ~PhoneLinkTest() override { Profile::useFolder({}); }
    TempWorkDir dir;
};

}  // namespace

TEST_F(PhoneLinkTest, DefaultsBeforeTheQueries) {
    ScriptedPhone phone([](const QByteArray&) { return QByteArray(); });
    EXPECT_FALSE(phone.link->phoneFound);
    EXPECT_EQ(phone.link->connected, 1);
    EXPECT_EQ(phone.link->simPhonebookCapacity, 300);
    EXPECT_EQ(phone.link->mePhonebookCapacity, 550);
    EXPECT_EQ(phone.link->simMessageCapacity, 10);
    EXPECT_EQ(phone.link->broadcastMessageCapacity, 5);
    EXPECT_EQ(phone.link->portNumber, 3);
}

TEST_F(PhoneLinkTest, ConstructionIdentifiesAndReadsTheCapacities) {
    ScriptedPhone phone(phoneOfMake("Quillon"));
    EXPECT_TRUE(phone.link->phoneFound);
    EXPECT_EQ(phone.commands(), QList<QByteArray>({"atz\r", "at+cgmi\r", "at+cpbs=\"sm\"\r",
                                                   "at+cpbs?\r", "at+cpbs=\"me\"\r", "at+cpbs?\r",
                                                   "at+cpms=\"sm\"\r", "at+cpms=\"bm\"\r"}));
    // Three numbers: the last is the capacity; for messages the one after the first comma.
    EXPECT_EQ(phone.link->simPhonebookCapacity, 180);
    EXPECT_EQ(phone.link->mePhonebookCapacity, 180);
    EXPECT_EQ(phone.link->simMessageCapacity, 15);
    EXPECT_EQ(phone.link->broadcastMessageCapacity, 15);
    EXPECT_EQ(phone.link->QueryFeatureMask(), 13);
}

TEST_F(PhoneLinkTest, AnotherMakerReadsAsNoPhone) {
    ScriptedPhone phone(phoneOfMake("Othermake"));
    EXPECT_FALSE(phone.link->phoneFound);
    EXPECT_EQ(phone.commands(),
              QList<QByteArray>({"atz\r", "at+cgmi\r", "at+cgmi\r", "at+cgmi\r"}));
    EXPECT_EQ(phone.link->simPhonebookCapacity, 300);
}

TEST_F(PhoneLinkTest, MakerAtTheVeryStartDoesNotCount) {
    // Without echo the maker's name opens the answer: position 0 is no match.
    ScriptedPhone phone([](const QByteArray& c) -> QByteArray {
        return c == "at+cgmi\r" ? QByteArray("Quillon\r\n\r\nOK\r\n") : QByteArray("OK\r\n");
    });
    EXPECT_FALSE(phone.link->phoneFound);
}

TEST_F(PhoneLinkTest, FailedMakerAnswerIsAFailedAttempt) {
    int attempts = 0;
    ScriptedPhone phone([&attempts](const QByteArray& c) -> QByteArray {
        if (c == "at+cgmi\r" && ++attempts < 3) {
            return c + "\r\nQuillon\r\n\r\nERROR\r\n";
        }
        return phoneOfMake("Quillon")(c);
    });
    EXPECT_TRUE(phone.link->phoneFound);
    EXPECT_EQ(attempts, 3);
}

TEST_F(PhoneLinkTest, SilentPhoneIsAbsentAfterFourTransactions) {
    ScriptedPhone phone([](const QByteArray&) { return QByteArray(); });
    EXPECT_FALSE(phone.link->phoneFound);
    EXPECT_EQ(phone.commands().size(), 4);
    EXPECT_LE(phone.clock.nowMs(), 15000);
    EXPECT_EQ(phone.link->QueryFeatureMask(), 0);
}

TEST_F(PhoneLinkTest, FailedCapacityQueryKeepsThatAndLaterCapacities) {
    ScriptedPhone phone([](const QByteArray& c) -> QByteArray {
        if (c == "at+cpbs=\"me\"\r") {
            return c + "\r\nERROR\r\n";
        }
        return phoneOfMake("Quillon")(c);
    });
    EXPECT_TRUE(phone.link->phoneFound);
    EXPECT_EQ(phone.link->simPhonebookCapacity, 180);
    EXPECT_EQ(phone.link->mePhonebookCapacity, 550);
    EXPECT_EQ(phone.link->simMessageCapacity, 10);
    EXPECT_EQ(phone.link->QueryCapacities(), 1);
}

TEST_F(PhoneLinkTest, UnreadableNumbersKeepTheField) {
    ScriptedPhone phone([](const QByteArray& c) -> QByteArray {
        if (c == "at+cpbs?\r") {
            return ok(c, "+CPBS: \"SM\"");  // no comma at all
        }
        if (c == "at+cpms=\"sm\"\r") {
            return ok(c, "+CPMS: 3, x");
        }
        if (c == "at+crfo\r") {
            return ok(c, "+CRFO: none");
        }
        return phoneOfMake("Quillon")(c);
    });
    EXPECT_EQ(phone.link->simPhonebookCapacity, 300);
    EXPECT_EQ(phone.link->simMessageCapacity, 10);
    EXPECT_EQ(phone.link->broadcastMessageCapacity, 15);
    EXPECT_EQ(phone.link->QueryFeatureMask(), 0);
}

TEST_F(PhoneLinkTest, PortSettingAndDeviceNaming) {
    Profile::setValue("CONFIG", "PORT", 5);
    PhoneLinkOptions options;
    FakeClock clock;
    FakeSerialDevice* line = nullptr;
    options.clock = &clock;
    options.deviceFactory = [&]() -> std::unique_ptr<SerialDevice> {
        auto device = std::make_unique<FakeSerialDevice>(clock);
        line = device.get();
        return device;
    };
    {
        PhoneLink link(options);
        EXPECT_EQ(link.portNumber, 5);
        EXPECT_EQ(line->openedPath(), "/dev/ttyS4");
        EXPECT_EQ(link.devicePath(), "/dev/ttyS4");
    }
    PhoneLink::setDevicePathOverride("/dev/pts/42");
    {
        PhoneLink link(options);
        EXPECT_EQ(line->openedPath(), "/dev/pts/42");
    }
    PhoneLink::setDevicePathOverride({});
    Profile::setValue("CONFIG", "PORT", 12);
    {
        PhoneLink link(options);
        EXPECT_EQ(link.connected, 0);
        EXPECT_FALSE(link.port);
    }
}

TEST_F(PhoneLinkTest, DisconnectAndConnectFollowThePort) {
    ScriptedPhone phone(phoneOfMake("Quillon"));
    phone.link->Disconnect();
    EXPECT_EQ(phone.link->connected, 0);
    EXPECT_FALSE(phone.link->port);
    EXPECT_FALSE(phone.link->Identify());
    phone.link->Connect();
    EXPECT_EQ(phone.link->connected, 1);
    EXPECT_TRUE(phone.link->Identify());
}

TEST_F(PhoneLinkTest, TransactWithoutAPortShowsTheClosedPortMessage) {
    ScriptedPhone phone(phoneOfMake("Quillon"));
    phone.link->Disconnect();
    QString answer = "stale";
    EXPECT_EQ(phone.link->Transact("at\r", answer), 0);
    EXPECT_TRUE(answer.isEmpty());
    const Notices told = phone.link->notices.take();
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0].caption, "Error");
}

TEST_F(PhoneLinkTest, EnginePhoneIsFoundWithItsCapacities) {
    EnginePhoneLink phone;
    EXPECT_TRUE(phone.link().phoneFound);
    EXPECT_EQ(phone.link().simPhonebookCapacity, phone.engine().state().sm.capacity);
    EXPECT_EQ(phone.link().mePhonebookCapacity, phone.engine().state().me.capacity);
    EXPECT_EQ(phone.link().QueryFeatureMask(), phone.engine().state().featureMask);
}
