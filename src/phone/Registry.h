// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// One serial port device as the system lists it.
struct SerialPortEntry {
    // The device to open: a path such as /dev/ttyUSB0, or a COM name.
    QString name;
    // What the cable search reads: the system's description followed by the port's short name
    // in parentheses, "Velmarlink Port for Quillon (COM5)"; the short name alone when the
    // system has no description.
    QString deviceDescription;
    QString manufacturer;
    // USB vendor and product ids; -1 for a port that is not on USB.
    int vendorId = -1;
    int productId = -1;
};

// The entry of one port, from what the system says of it.
SerialPortEntry makeSerialPortEntry(const QString& portName, const QString& location,
                                    const QString& description, const QString& manufacturer = {},
                                    int vendorId = -1, int productId = -1);

// The system's list of serial port devices, in the order the system gives them.
class Registry {
  public:
    virtual ~Registry() = default;
    virtual QList<SerialPortEntry> serialPortEntries() const = 0;
};

// The serial ports Qt finds on this system (QSerialPortInfo): USB product strings, makers and
// ids where the system knows them.
class SerialPortInfoRegistry : public Registry {
  public:
    QList<SerialPortEntry> serialPortEntries() const override;
};
