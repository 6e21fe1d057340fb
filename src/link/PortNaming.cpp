// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/PortNaming.h"

#include "platform/Profile.h"

QString devicePathForPort(int portNumber) {
    const QString configured =
        Profile::value("CONFIG", QString("DEVICE%1").arg(portNumber)).toString();
    if (!configured.isEmpty()) {
        return configured;
    }
#ifdef Q_OS_WIN
    return QString("COM%1").arg(portNumber);
#else
    return QString("/dev/ttyS%1").arg(portNumber - 1);
#endif
}
