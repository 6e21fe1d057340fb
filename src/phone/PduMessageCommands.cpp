// SPDX-License-Identifier: GPL-3.0-or-later
// Short messages in PDU mode: the selected storage and format are the caller's.
#include "link/LeadingInteger.h"
#include "link/Transact.h"
#include "phone/ListAnswers.h"
#include "phone/MessageAnswers.h"
#include "phone/PhoneLink.h"

namespace {

constexpr char kCtrlZ = 26;

// The reference behind "+CMGS: ", or -1.
int sentReferenceOf(const QString& answer) {
    const qsizetype at = answer.indexOf(QLatin1String("+CMGS: "));
    return at < 0 ? -1 : leadingInteger(answer.mid(at + 7).trimmed());
}

}  // namespace

int PhoneLink::ReadPduMessage(int index, std::optional<PduEntry>& entry, PollRate rate) {
    QString answer;
    const int code = Transact(QString("at+cmgr=%1\r").arg(index), answer, rate);
    entry = code == kTransactComplete ? pduReadOf(answer, index) : std::nullopt;
    return code;
}

int PhoneLink::ListPduMessages(QList<PduEntry>& entries) {
    QString answer;
    int code = Transact(QString("at+cmgl=%1\r").arg(kPduAllStatuses), answer);
    if (code == kTransactComplete && !endsInOk(answer)) {
        code = kTransactFailed;
    }
    entries = code == kTransactComplete ? pduListingOf(answer) : QList<PduEntry>();
    return code;
}

int PhoneLink::SendPduParts(const QList<EncodedPdu>& parts, int* sent, int* errorCode,
                            QList<int>* references) {
    *sent = 0;
    if (errorCode) {
        *errorCode = -1;
    }
    for (const EncodedPdu& part : parts) {
        QString header;
        // The prompt ends the header's transaction; the unit's line gives the result.
        // A refused header gives no prompt: the unit typed then would be a command line.
        QString answer;
        int code = Transact(QString("at+cmgs=%1\r").arg(part.tpduLength), header);
        if (code != kTransactFailed) {
            code = Transact(part.hex + QChar(kCtrlZ) + QChar('\r'), answer);
        }
        if (code != kTransactComplete) {
            if (errorCode) {
                *errorCode = messageErrorCodeOf(answer.isEmpty() ? header : answer);
            }
            return code;
        }
        ++*sent;
        if (references) {
            references->append(sentReferenceOf(answer));
        }
    }
    return kTransactComplete;
}

int PhoneLink::WritePduParts(const QList<EncodedPdu>& parts, int status, QStringList& locations) {
    for (const EncodedPdu& part : parts) {
        QString answer;
        Transact(QString("at+cmgw=%1,%2\r").arg(part.tpduLength).arg(status), answer);
        const int code = Transact(part.hex + QChar(kCtrlZ) + QChar('\r'), answer);
        QString location;
        if (code != kTransactComplete || !writtenMessageIndexOf(answer, location)) {
            return code == kTransactComplete ? kTransactFailed : code;
        }
        locations.append(location);
    }
    return kTransactComplete;
}
