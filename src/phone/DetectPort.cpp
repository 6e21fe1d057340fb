// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/DetectPort.h"

#include "phone/Registry.h"
#include "platform/Profile.h"

namespace {
constexpr int kDefaultPort = 3;
constexpr int kHighestPort = 255;
const char kCablePortName[] = "Velmarlink Port for Quillon";

// The description ends with the port name in parentheses, "(COM12)": the port is the whole
// number before the closing parenthesis (a cable on COM12 is port 12, not 2); 0 when there is
// none or it is out of range.
int portNumberOf(const QString& description) {
    qsizetype end = description.size();
    if (end > 0 && description.at(end - 1) == u')') {
        --end;
    }
    qsizetype begin = end;
    while (begin > 0 && description.at(begin - 1).isDigit()) {
        --begin;
    }
    bool ok = false;
    const int port = description.mid(begin, end - begin).toInt(&ok);
    return ok && port <= kHighestPort ? port : 0;
}
}  // namespace

int DetectPort(const Registry& registry) {
    int port = kDefaultPort;
    for (const SerialPortEntry& entry : registry.serialPortEntries()) {
        const QString& description = entry.deviceDescription;
        if (!description.contains(kCablePortName)) {
            continue;
        }
        port = portNumberOf(description);
        if (entry.name.startsWith('/')) {
            // Where ports are paths, remember which one this number stands for.
            Profile::setValue("CONFIG", QString("DEVICE%1").arg(port), entry.name);
        }
        break;
    }
    Profile::setValue("CONFIG", "PORT", port);
    return port;
}
