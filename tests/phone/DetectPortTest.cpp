#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "phone/DetectPort.h"
#include "phone/Registry.h"
#include "platform/Profile.h"
#include "support/TempWorkDir.h"

namespace {

class ListedRegistry : public Registry {
  public:
    ListedRegistry(std::initializer_list<SerialPortEntry> entries) : entries_(entries) {}
    QList<SerialPortEntry> serialPortEntries() const override { return entries_; }

  private:
    QList<SerialPortEntry> entries_;
};

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

void writeFile(const QString& path, const QByteArray& text) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

}  // namespace

TEST_F(DetectPortTest, NoEntryMeansPortThree) {
    EXPECT_EQ(DetectPort(ListedRegistry{}), 3);
    EXPECT_EQ(savedPort(), 3);
    EXPECT_EQ(DetectPort(ListedRegistry({{"COM1", "Communications Port (COM1)"}})), 3);
}

TEST_F(DetectPortTest, TheCharacterBeforeTheLastIsThePort) {
    EXPECT_EQ(DetectPort(ListedRegistry({{"X", "Velmarlink Port for Quillon (COM5)"}})), 5);
    EXPECT_EQ(savedPort(), 5);
    EXPECT_EQ(DetectPort(ListedRegistry({{"X", "Velmarlink Port for Quillon (COM12)"}})), 2);
}

TEST_F(DetectPortTest, FirstMatchingEntryWins) {
    EXPECT_EQ(DetectPort(ListedRegistry({{"A", "Modem (COM1)"},
                                         {"B", "Velmarlink Port for Quillon (COM4)"},
                                         {"C", "Velmarlink Port for Quillon (COM6)"}})),
              4);
}

TEST_F(DetectPortTest, PathEntriesRememberTheirDevice) {
    EXPECT_EQ(
        DetectPort(ListedRegistry({{"/dev/ttyACM1", "Velmarlink Port for Quillon (ttyACM1)"}})), 1);
    EXPECT_EQ(Profile::value("CONFIG", "DEVICE1").toString(), "/dev/ttyACM1");
}

TEST_F(DetectPortTest, SysfsListsUsbSerialDevicesWithTheirProduct) {
    const QString sys = dir.filePath("sys");
    const QString usb = sys + "/devices/pci0/usb1/1-1";
    writeFile(usb + "/product", "Velmarlink Port for Quillon\n");
    QDir().mkpath(usb + "/1-1:1.0/tty/ttyACM0");
    QDir().mkpath(sys + "/class/tty/ttyACM0");
    ASSERT_TRUE(QFile::link(usb + "/1-1:1.0", sys + "/class/tty/ttyACM0/device"));
    QDir().mkpath(sys + "/devices/platform/serial8250/tty/ttyS0");
    QDir().mkpath(sys + "/class/tty/ttyS0");
    ASSERT_TRUE(QFile::link(sys + "/devices/platform/serial8250", sys + "/class/tty/ttyS0/device"));
    QDir().mkpath(sys + "/class/tty/tty1");  // a virtual terminal: no device

    const QList<SerialPortEntry> entries = SysfsRegistry(sys).serialPortEntries();
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].name, "/dev/ttyACM0");
    EXPECT_EQ(entries[0].deviceDescription, "Velmarlink Port for Quillon (ttyACM0)");
    EXPECT_EQ(DetectPort(SysfsRegistry(sys)), 0);
}
