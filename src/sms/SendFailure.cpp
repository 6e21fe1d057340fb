// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/SendFailure.h"

namespace {

struct Reason {
    int code;
    const char* text;
};

// The message service failure codes of 27.005 that carry a text of their own; 21 and 40 are the
// network's rejection of the destination.
constexpr Reason kReasons[] = {
    {21, "Invalid destination address"},
    {40, "Invalid destination address"},
    {300, "ME failure"},
    {301, "SMS service of ME reserved"},
    {302, "Operation not allowed"},
    {303, "Operation not supported"},
    {304, "Invalid PDU mode parameter"},
    {305, "Invalid text mode parameter"},
    {310, "SIM not inserted"},
    {311, "SIM PIN required"},
    {312, "PH-SIM PIN required"},
    {313, "SIM failure"},
    {314, "SIM busy"},
    {315, "SIM wrong"},
    {316, "SIM PUK required"},
    {317, "SIM PIN2 required"},
    {318, "SIM PUK2 required"},
    {320, "Memory failure"},
    {321, "Invalid memory index"},
    {322, "Memory full"},
    {330, "SMSC address unknown"},
    {331, "No network service"},
    {332, "Network timeout"},
    {340, "No +CNMA acknowledgement expected"},
    {500, "Unknown error"},
};

}  // namespace

QString sendFailureText(int messageErrorCode) {
    const QString failed = QStringLiteral("Fail sending message");
    if (messageErrorCode < 0) {
        return failed;
    }
    for (const Reason& reason : kReasons) {
        if (reason.code == messageErrorCode) {
            return failed + QStringLiteral(": ") + QString::fromLatin1(reason.text);
        }
    }
    return failed + QStringLiteral(": error %1").arg(messageErrorCode);
}
