// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/MessageParts.h"

#include <QMap>
#include <algorithm>
#include <tuple>
#include <variant>

#include "pdu/PduCodec.h"

namespace {

using GroupKey = std::tuple<QString, int, int>;  // address, reference, count

struct Group {
    QMap<int, std::pair<PduEntry, SmsPdu>> parts;  // by sequence number
    int count = 0;
};

JoinedMessage single(const PduEntry& entry, const SmsPdu& pdu) {
    JoinedMessage message;
    message.locations = {entry.index};
    message.references = {pdu.messageReference};
    message.status = entry.status;
    message.pdu = pdu;
    if (pdu.undecodable) {
        message.text = QString::fromLatin1(kUndecodableText);
        message.rawHex = entry.hex;
    } else {
        message.text = pdu.type == PduType::StatusReport ? reportText(pdu) : pdu.text;
    }
    return message;
}

JoinedMessage joined(const Group& group) {
    JoinedMessage message;
    message.count = group.count;
    bool first = true;
    for (int sequence = 1; sequence <= group.count; ++sequence) {
        const auto it = group.parts.find(sequence);
        if (it == group.parts.end()) {
            message.missingParts.append(sequence);
            message.text += QLatin1String(kMissingPartText);
            continue;
        }
        const auto& [entry, pdu] = it.value();
        if (first) {
            message.status = entry.status;
            message.pdu = pdu;
            first = false;
        }
        message.locations.append(entry.index);
        message.references.append(pdu.messageReference);
        message.text += pdu.text;
    }
    return message;
}

void matchReports(QList<JoinedMessage>& messages) {
    for (const JoinedMessage& report : messages) {
        if (report.pdu.type != PduType::StatusReport || report.pdu.undecodable ||
            report.pdu.status >= 0x20) {
            continue;
        }
        for (JoinedMessage& sent : messages) {
            if (sent.status == kPduStoSent && sent.pdu.type == PduType::Submit &&
                sent.pdu.address.number == report.pdu.address.number &&
                sent.references.contains(report.pdu.messageReference)) {
                sent.deliveredAt = report.pdu.dischargeTime;
            }
        }
    }
}

}  // namespace

QList<JoinedMessage> joinParts(const QList<PduEntry>& entries) {
    // Each message sits at its first location's place in the order the entries came in.
    QList<std::variant<JoinedMessage, GroupKey>> order;
    QMap<GroupKey, Group> groups;
    for (const PduEntry& entry : entries) {
        const SmsPdu pdu = decodePdu(entry.hex);
        const PduConcat concat = pdu.undecodable ? PduConcat{} : concatOf(pdu);
        if (concat.count < 2 || concat.sequence < 1 || concat.sequence > concat.count) {
            order.append(single(entry, pdu));
            continue;
        }
        const GroupKey key{pdu.address.number, concat.reference, concat.count};
        Group& group = groups[key];
        if (group.parts.contains(concat.sequence)) {
            order.append(single(entry, pdu));
            continue;
        }
        if (group.parts.isEmpty()) {
            order.append(key);
        }
        group.count = concat.count;
        group.parts.insert(concat.sequence, {entry, pdu});
    }
    QList<JoinedMessage> messages;
    for (const auto& item : order) {
        messages.append(std::holds_alternative<JoinedMessage>(item)
                            ? std::get<JoinedMessage>(item)
                            : joined(groups.value(std::get<GroupKey>(item))));
    }
    matchReports(messages);
    std::stable_sort(messages.begin(), messages.end(),
                     [](const JoinedMessage& a, const JoinedMessage& b) {
                         return a.locations.value(0) < b.locations.value(0);
                     });
    return messages;
}

QString locationsText(const QList<int>& locations) {
    QStringList texts;
    for (int location : locations) {
        texts.append(QString::number(location));
    }
    return texts.join(u',');
}

QString missingText(const JoinedMessage& message) {
    if (message.missingParts.isEmpty()) {
        return {};
    }
    return locationsText(message.missingParts).replace(u',', QLatin1String(", ")) +
           QStringLiteral(" of %1").arg(message.count);
}

QString stampText(const QDateTime& time) {
    if (!time.isValid()) {
        return {};
    }
    const int quarters = time.offsetFromUtc() / (15 * 60);
    return time.toString(QStringLiteral("yy/MM/dd,hh:mm:ss")) + (quarters < 0 ? u'-' : u'+') +
           QString::number(std::abs(quarters)).rightJustified(2, u'0');
}

QString reportText(const SmsPdu& report) {
    const QString outcome = report.status < 0x20   ? QStringLiteral("Delivered")
                            : report.status < 0x40 ? QStringLiteral("Pending")
                                                   : QStringLiteral("Failed");
    return QStringLiteral("Report: %1\nTo: %2\nSent: %3\nDone: %4")
        .arg(outcome, report.address.number, stampText(report.serviceCentreTime),
             stampText(report.dischargeTime));
}
