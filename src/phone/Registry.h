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

// Serial devices under /sys/class/tty whose USB interface or product names them; the
// description is that name followed by " (<device name>)".
class SysfsRegistry : public Registry {
  public:
    explicit SysfsRegistry(QString sysRoot = "/sys");
    QList<SerialPortEntry> serialPortEntries() const override;

  private:
    QString sysRoot_;
};
