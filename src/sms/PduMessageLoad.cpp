// SPDX-License-Identifier: GPL-3.0-or-later
// The message load in PDU mode: the same pass as in text mode, each location's unit staged as
// it came, the parts of long messages joined once every location was read.
#include "db/DatabaseConnection.h"
#include "link/LeadingInteger.h"
#include "phone/PhoneLink.h"
#include "sms/CSmsDB.h"
#include "sms/MessageParts.h"

namespace {

constexpr int kPauseMs = 100;
constexpr int kPduFormat = 0;
constexpr int kReplyPathFirstOctet = 145;
constexpr int kPlainFirstOctet = 17;

}  // namespace

SmsMessageValues CSmsDB::ValuesOfJoined(const JoinedMessage& message) {
    const SmsPdu& pdu = message.pdu;
    SmsMessageValues values;
    values.index = QString::number(message.locations.value(0));
    values.firstOctet = pdu.replyPath ? kReplyPathFirstOctet : kPlainFirstOctet;
    values.protocolId = static_cast<qint16>(pdu.protocolId);
    values.statusWord = statusWordOfPdu(message.status);
    values.number = pdu.address.number;
    if (message.status <= kPduRecRead) {
        values.dateSource = stampText(pdu.serviceCentreTime);
    } else if (message.deliveredAt.isValid()) {
        values.delivered = QStringLiteral("Delivered ") + stampText(message.deliveredAt);
    } else if (pdu.validityFormat == 2 && !pdu.validity.isEmpty()) {
        values.dateSource = QString::number(static_cast<unsigned char>(pdu.validity[0]));
    }
    QString text = message.text;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    values.text = text.replace(u'\n', QLatin1String("\r\n"));
    if (message.locations.size() > 1 || !message.missingParts.isEmpty()) {
        values.parts = locationsText(message.locations);
    }
    values.missing = missingText(message);
    values.rawPdu = message.rawHex;
    return values;
}

MirrorOutcome CSmsDB::loadPduFromPhone(PhoneLink& link, Progress& progress) {
    MirrorOutcome outcome;
    if (!enterMessageMode(link, kPduFormat, outcome)) {
        return outcome;
    }
    const int capacity = link.simMessageCapacity;
    SlotStaging<PduEntry> staging;
    bool empty = false;
    SlotMirrorPlan plan = messageLoadPlan(capacity);
    plan.readSlot = [&](int index) {
        link.sleepMs(kPauseMs);
        std::optional<PduEntry> entry;
        const int code = link.ReadPduMessage(index, entry);
        empty = !entry;
        if (code == 0 && entry) {
            staging.add(index, *entry);
        }
        return code;
    };
    if (link.settings.fastLoad) {
        plan.readRange = [&](int first, int last) {
            QList<PduEntry> listed;
            const int code = link.ListPduMessages(listed);
            for (const PduEntry& entry : listed) {
                if (code == 0 && entry.index >= first && entry.index <= last) {
                    staging.add(entry.index, entry);
                }
            }
            return code;
        };
    }
    plan.resumeAfterProbe = [&] { return link.SetMessageMode(1, kPduFormat, 1) == 0; };
    plan.afterSlot = [&](int, int code) {
        if (code != 0 || empty) {
            link.sleepMs(kPauseMs);
        }
    };
    plan.progressValue = [capacity](int index) { return 100 * index / capacity + 8; };
    int cacheOnlyDropped = 0;
    // A message counts once, however many parts it has.
    plan.stagedCount = [&] { return static_cast<int>(joinParts(staging.rows()).size()); };
    plan.replaceTable = [&] {
        QList<QVariantList> rows;
        for (const JoinedMessage& message : joinParts(staging.rows())) {
            rows.append(rowOf(ValuesOfJoined(message)));
        }
        return replaceRows(rows, &cacheOnlyDropped);
    };
    outcome = mirrorSlots(link, progress, plan);
    if (outcome.loaded() && cacheOnlyDropped > 0 && !outcome.notice) {
        outcome.notice = cacheOnlyDroppedNotice(cacheOnlyDropped);
    }
    return outcome;
}
