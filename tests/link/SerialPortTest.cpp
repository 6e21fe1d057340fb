// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "link/PortNaming.h"
#include "link/SerialPort.h"
#include "platform/Profile.h"
#include "support/FakeClock.h"
#include "support/FakeSerialDevice.h"
#include "support/TempWorkDir.h"

namespace {

struct PortOnFake {
    explicit PortOnFake(quint8 portNumber) {
        auto owned = std::make_unique<FakeSerialDevice>(clock);
        device = owned.get();
        port =
            std::make_unique<SerialPort>(portNumber, 38400, 8, 0, 0, 0, std::move(owned), &clock);
    }
    FakeClock clock;
    FakeSerialDevice* device;
    std::unique_ptr<SerialPort> port;
};

}  // namespace

TEST(SerialPort, PortTenAndAboveNeverTouchesTheDevice) {
    PortOnFake line(10);
    EXPECT_EQ(line.port->Open(), 0);
    EXPECT_EQ(line.device->openCount(), 0);
    EXPECT_EQ(line.port->open, 0);
    // An explicit device path wins over the number.
    line.port->setDevicePath("/dev/pts/9");
    EXPECT_EQ(line.port->Open(), 1);
    EXPECT_EQ(line.device->openedPath(), "/dev/pts/9");
}

TEST(SerialPort, OpenAppliesTheSettingsAndRaisesDtr) {
    TempWorkDir dir;
    Profile::useFolder(dir.path());
    PortOnFake line(4);
    line.port->SetParameters(2, 9600, 7, 2, 2, 0);
    ASSERT_EQ(line.port->Open(), 1);
    EXPECT_EQ(line.device->openedPath(), "/dev/ttyS1");
    SerialSettings applied;
    ASSERT_TRUE(line.device->appliedSettings(&applied));
    EXPECT_EQ(applied.baudRate, 9600u);
    EXPECT_EQ(applied.dataBits, 7);
    EXPECT_EQ(applied.parity, 2);
    EXPECT_EQ(applied.stopBits, 2);
    EXPECT_TRUE(line.device->dtr());
    EXPECT_EQ(line.port->Close(), 1);
    EXPECT_EQ(line.port->open, 0);
    EXPECT_FALSE(line.device->dtr());
    EXPECT_FALSE(line.device->isOpen());
    Profile::useFolder({});
}

TEST(SerialPort, RefusedSettingsLeaveThePortClosed) {
    PortOnFake line(1);
    line.port->setDevicePath("/dev/fake");
    line.device->setApplyFails(true);
    EXPECT_EQ(line.port->Open(), 0);
    EXPECT_EQ(line.port->open, 0);
    EXPECT_FALSE(line.device->isOpen());
}

TEST(SerialPort, FailedOpenThenCloseStillReturnsOne) {
    PortOnFake line(1);
    line.device->setOpenFails(true);
    EXPECT_EQ(line.port->Open(), 0);
    EXPECT_EQ(line.port->Close(), 1);
}

TEST(SerialPort, ReadQueuedTakesOnlyWhatIsThereUpToTheLimit) {
    PortOnFake line(1);
    line.port->setDevicePath("/dev/fake");
    ASSERT_EQ(line.port->Open(), 1);
    EXPECT_TRUE(line.port->ReadQueued(4096).isEmpty());
    EXPECT_TRUE(line.device->readSizes().isEmpty());  // no read issued on an empty queue
    line.device->arrive(0, QByteArray(700, 'a'));
    EXPECT_EQ(line.port->ReadQueued(4096).size(), 700);
    line.device->arrive(0, QByteArray(5000, 'b'));
    EXPECT_EQ(line.port->ReadQueued(4096).size(), 4096);
    EXPECT_EQ(line.port->ReadQueued(4096).size(), 904);
}

TEST(PortNaming, ProfileDeviceWinsOverTheSerialPortName) {
    TempWorkDir dir;
    Profile::useFolder(dir.path());
    EXPECT_EQ(devicePathForPort(3), "/dev/ttyS2");
    Profile::setValue("CONFIG", "DEVICE3", "/dev/ttyUSB0");
    EXPECT_EQ(devicePathForPort(3), "/dev/ttyUSB0");
    EXPECT_EQ(devicePathForPort(4), "/dev/ttyS3");
    Profile::useFolder({});
}
