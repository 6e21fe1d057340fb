#pragma once

#include <QList>
#include <QString>

// One serial port device as the system lists it.
struct SerialPortEntry {
    QString name;
    QString deviceDescription;
};

// The system's list of serial port devices, in the order the system gives them.
class Registry {
  public:
    virtual ~Registry() = default;
    virtual QList<SerialPortEntry> serialPortEntries() const = 0;
};

// Serial devices under /sys/class/tty that sit on a USB device: the name is the device path,
// the description the USB product string followed by " (<tty name>)".
class SysfsRegistry : public Registry {
  public:
    explicit SysfsRegistry(QString sysRoot = "/sys");
    QList<SerialPortEntry> serialPortEntries() const override;

  private:
    QString sysRoot_;
};
