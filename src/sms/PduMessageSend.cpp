// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/PduMessageSend.h"

#include <QDateTime>

#include "pdu/MessageSplitter.h"
#include "phone/PduMessageAnswers.h"
#include "phone/PhoneLink.h"

namespace {

constexpr int kPduFormat = 0;

// One reference for all parts of a message; consecutive long messages to one recipient must
// not share it, or the recipient's phone would mix their parts.
int nextConcatReference() {
    static int reference = static_cast<int>(QDateTime::currentSecsSinceEpoch() % 255);
    reference = reference % 255 + 1;
    return reference;
}

QList<EncodedPdu> encodedParts(const PduMessageOptions& options) {
    SubmitSettings settings;
    settings.destination = {
        options.number, options.number.startsWith(u'+') ? kInternationalAddress : kUnknownAddress};
    settings.validityChoice = options.validityChoice;
    settings.statusReport = options.statusReport;
    settings.replyPath = options.replyPathChoice == 0;
    settings.reference = options.reference > 0 ? options.reference : nextConcatReference();
    QList<EncodedPdu> parts;
    QList<SmsPdu> pdus = submitPdus(options.text, settings);
    for (qsizetype i = 0; i < pdus.size(); ++i) {
        pdus[i].messageReference = options.messageReferences.value(i, 0);
        parts.append(encodePdu(pdus[i]));
    }
    return parts;
}

}  // namespace

PduSendOutcome sendPduMessage(PhoneLink& link, const PduMessageOptions& options) {
    PduSendOutcome outcome;
    const QList<EncodedPdu> parts = encodedParts(options);
    outcome.partCount = static_cast<int>(parts.size());
    outcome.code = parts.isEmpty() ? 1 : link.SetMessageMode(1, kPduFormat, 1);
    if (outcome.code == 0) {
        outcome.code = link.SendPduParts(parts, &outcome.partsSent, &outcome.errorCode,
                                         &outcome.messageReferences);
    }
    return outcome;
}

int savePduMessage(PhoneLink& link, const PduMessageOptions& options, const QString& statusWord,
                   QStringList& locations) {
    const QList<EncodedPdu> parts = encodedParts(options);
    if (parts.isEmpty()) {
        return 1;
    }
    const int code = link.SetMessageMode(1, kPduFormat, 1);
    if (code != 0) {
        return code;
    }
    return link.WritePduParts(parts, pduStatusOfWord(statusWord), locations);
}

QString partsSentText(const PduSendOutcome& outcome) {
    if (outcome.partsSent == 0 || outcome.partsSent >= outcome.partCount) {
        return {};
    }
    const QString sent = outcome.partsSent == 1
                             ? QStringLiteral("Part 1 of %1 went out").arg(outcome.partCount)
                             : QStringLiteral("Parts 1 to %1 of %2 went out")
                                   .arg(outcome.partsSent)
                                   .arg(outcome.partCount);
    return sent + QStringLiteral("; part %1 was refused and nothing after it was sent.")
                      .arg(outcome.partsSent + 1);
}
