// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/LinkClock.h"
#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "phone/PhoneSafeText.h"
#include "phone/ScheduleEntry.h"

int PhoneLink::ReadScheduleEntry(int index, QString& answer) {
    QString received;
    const int code = Transact(QString("at+schr=%1\r").arg(index), received);
    answer.clear();
    if (code != kTransactComplete) {
        return code;
    }
    const QString marker = QStringLiteral("+SCHR: ");
    const qsizetype at = received.indexOf(marker);
    if (at >= 0) {
        answer = received.mid(at + marker.size());
    }
    return code;
}

int PhoneLink::WriteScheduleEntry(const ScheduleEntry& entry, PollRate rate) {
    // The contents go between double quotes as they are: a quote or a line end inside them
    // would end the field or the command early.
    if (!isPhoneSafeText(entry.contents, PhoneTextKind::Contents)) {
        return kTransactFailed;
    }
    QString command = QStringLiteral("at+schw=%1,%2,").arg(entry.index).arg(entry.type);
    if (entry.alarm == 1) {
        command += QStringLiteral("1,%1,%2,%3,%4,%5,%6,%7,")
                       .arg(entry.year)
                       .arg(entry.month)
                       .arg(entry.date)
                       .arg(entry.hour)
                       .arg(entry.minute)
                       .arg(entry.alarmHour)
                       .arg(entry.alarmMinute);
    } else {
        command += QStringLiteral("0,%1,%2,%3,%4,%5,")
                       .arg(entry.year)
                       .arg(entry.month)
                       .arg(entry.date)
                       .arg(entry.hour)
                       .arg(entry.minute);
    }
    command += '"' + entry.contents + QStringLiteral("\"\r");
    return SendExpectOk(command, rate);
}

int PhoneLink::DeleteScheduleEntry(int index, PollRate rate) {
    return SendExpectOk(QString("at+schd=%1\r").arg(index), rate);
}

LinkClock& PhoneLink::clock() const {
    return options_.clock ? *options_.clock : realLinkClock();
}

void PhoneLink::sleepMs(int ms) const {
    clock().sleepMs(ms);
}
