#include "phone/DetectPort.h"

#include "phone/Registry.h"
#include "platform/Profile.h"

namespace {
constexpr int kDefaultPort = 3;
const char kCablePortName[] = "Velmarlink Port for Quillon";
}  // namespace

int DetectPort(const Registry& registry) {
    int port = kDefaultPort;
    for (const SerialPortEntry& entry : registry.serialPortEntries()) {
        const QString& description = entry.deviceDescription;
        if (!description.contains(kCablePortName)) {
            continue;
        }
        // The description ends with the port name in parentheses; the digit before the
        // closing parenthesis is the port.
        const QChar digit = description.at(description.size() - 2);
        port = digit.isDigit() ? digit.digitValue() : 0;
        if (entry.name.startsWith('/')) {
            // Where ports are paths, remember which one this number stands for.
            Profile::setValue("CONFIG", QString("DEVICE%1").arg(port), entry.name);
        }
        break;
    }
    Profile::setValue("CONFIG", "PORT", port);
    return port;
}
