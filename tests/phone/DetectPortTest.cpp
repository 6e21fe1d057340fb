// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "phone/DetectPort.h"
#include "phone/Registry.h"
#include "platform/Profile.h"
#include "support/ListedRegistry.h"
#include "support/TempWorkDir.h"

namespace {

// An entry as the system would list it: a device and its description.
SerialPortEntry described(const QString& name, const QString& description) {
    SerialPortEntry entry;
    entry.name = name;
    entry.deviceDescription = description;
    return entry;
}

class DetectPortTest : public ::testing::Test {
  protected:
    DetectPortTest() {
        Profile::useFolder(dir.path());
        Profile::setValue("CONFIG", "PORT", 7);
    }
    ~DetectPortTest() override { Profile::useFolder({}); }
    int savedPort() { return Profile::intValue("CONFIG", "PORT", -1); }
    TempWorkDir dir;
};

}  // namespace

TEST_F(DetectPortTest, NoEntryMeansPortThree) {
    EXPECT_EQ(DetectPort(ListedRegistry{}), 3);
    EXPECT_EQ(savedPort(), 3);
    EXPECT_EQ(DetectPort(ListedRegistry({described("COM1", "Communications Port (COM1)")})), 3);
}

TEST_F(DetectPortTest, TheWholeNumberBeforeTheParenthesisIsThePort) {
    EXPECT_EQ(DetectPort(ListedRegistry({described("X", "Velmarlink Port for Quillon (COM5)")})),
              5);
    EXPECT_EQ(savedPort(), 5);
    // A cable on COM12 must not select port 2, an unrelated device.
    EXPECT_EQ(DetectPort(ListedRegistry({described("X", "Velmarlink Port for Quillon (COM12)")})),
              12);
    EXPECT_EQ(savedPort(), 12);
    EXPECT_EQ(DetectPort(ListedRegistry({described("X", "Velmarlink Port for Quillon (COMX)")})),
              0);
    EXPECT_EQ(DetectPort(ListedRegistry({described("X", "Velmarlink Port for Quillon (COM999)")})),
              0);
}

TEST_F(DetectPortTest, FirstMatchingEntryWins) {
    EXPECT_EQ(DetectPort(ListedRegistry({described("A", "Modem (COM1)"),
                                         described("B", "Velmarlink Port for Quillon (COM4)"),
                                         described("C", "Velmarlink Port for Quillon (COM6)")})),
              4);
}

TEST_F(DetectPortTest, PathEntriesRememberTheirDevice) {
    EXPECT_EQ(DetectPort(ListedRegistry(
                  {described("/dev/ttyACM1", "Velmarlink Port for Quillon (ttyACM1)")})),
              1);
    EXPECT_EQ(Profile::value("CONFIG", "DEVICE1").toString(), "/dev/ttyACM1");
}

TEST_F(DetectPortTest, SystemPortsAreNamedByTheirDeviceAndDescribedWithTheirShortName) {
    const SerialPortEntry usb = makeSerialPortEntry(
        "ttyACM1", "/dev/ttyACM1", " Velmarlink Port for Quillon ", "Quillon ", 0x1234, 0x0042);
    EXPECT_EQ(usb.name, "/dev/ttyACM1");
    EXPECT_EQ(usb.deviceDescription, "Velmarlink Port for Quillon (ttyACM1)");
    EXPECT_EQ(usb.manufacturer, "Quillon");
    EXPECT_EQ(usb.vendorId, 0x1234);
    EXPECT_EQ(usb.productId, 0x42);

    const SerialPortEntry plain = makeSerialPortEntry("ttyS0", "/dev/ttyS0", "");
    EXPECT_EQ(plain.deviceDescription, "ttyS0");
    EXPECT_EQ(plain.vendorId, -1);
    EXPECT_EQ(makeSerialPortEntry("COM5", "", "Modem").name, "COM5");

    // The cable search reads these descriptions like the system's own.
    EXPECT_EQ(DetectPort(ListedRegistry({plain, usb})), 1);
    EXPECT_EQ(Profile::value("CONFIG", "DEVICE1").toString(), "/dev/ttyACM1");
    EXPECT_EQ(DetectPort(ListedRegistry(
                  {makeSerialPortEntry("COM7", "\\\\.\\COM7", "Velmarlink Port for Quillon")})),
              7);
    EXPECT_EQ(Profile::value("CONFIG", "DEVICE7"), QVariant());
}
