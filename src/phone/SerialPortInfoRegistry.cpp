// SPDX-License-Identifier: GPL-3.0-or-later
#include <QSerialPortInfo>

#include "phone/Registry.h"

SerialPortEntry makeSerialPortEntry(const QString& portName, const QString& location,
                                    const QString& description, const QString& manufacturer,
                                    int vendorId, int productId) {
    SerialPortEntry entry;
    entry.name = location.isEmpty() ? portName : location;
    const QString shown = description.trimmed();
    entry.deviceDescription = shown.isEmpty() ? portName : shown + " (" + portName + ")";
    entry.manufacturer = manufacturer.trimmed();
    entry.vendorId = vendorId;
    entry.productId = productId;
    return entry;
}

QList<SerialPortEntry> SerialPortInfoRegistry::serialPortEntries() const {
    QList<SerialPortEntry> entries;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        entries.append(makeSerialPortEntry(
            info.portName(), info.systemLocation(), info.description(), info.manufacturer(),
            info.hasVendorIdentifier() ? info.vendorIdentifier() : -1,
            info.hasProductIdentifier() ? info.productIdentifier() : -1));
    }
    return entries;
}
