// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdu/MessageSplitter.h"

#include <algorithm>

#include "pdu/GsmAlphabet.h"

namespace {

struct Capacity {
    int single;
    int part;
};

Capacity capacityOf(PduCoding coding, bool sixteenBitReference) {
    // The concatenation header takes 6 octets (7 with a 16-bit reference): 7 or 8 septets with
    // the fill bits, 3 or 4 UCS2 units.
    const int extra = sixteenBitReference ? 1 : 0;
    return coding == PduCoding::Gsm7 ? Capacity{160, 153 - extra} : Capacity{70, 67 - extra};
}

// One entry per character: the text it is and what it costs.
struct Piece {
    QString text;
    int cost;
};

QList<Piece> piecesOf(const QString& text, PduCoding coding) {
    QList<Piece> pieces;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const bool pair =
            text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QString piece = text.mid(i, pair ? 2 : 1);
        i += pair ? 1 : 0;
        const int cost = coding == PduCoding::Ucs2
                             ? static_cast<int>(piece.size())
                             : std::max(1, gsmSeptetsOf(piece.toUcs4().value(0)));
        pieces.append({piece, cost});
    }
    return pieces;
}

struct Split {
    PduCoding coding;
    QStringList parts;
    int left;
};

Split split(const QString& text, bool sixteenBitReference) {
    const PduCoding coding = gsmFits(text) ? PduCoding::Gsm7 : PduCoding::Ucs2;
    const Capacity capacity = capacityOf(coding, sixteenBitReference);
    const QList<Piece> pieces = piecesOf(text, coding);
    int total = 0;
    for (const Piece& piece : pieces) {
        total += piece.cost;
    }
    if (total <= capacity.single) {
        return {coding, {text}, capacity.single - total};
    }
    QStringList parts(1);
    int used = 0;
    for (const Piece& piece : pieces) {
        if (used + piece.cost > capacity.part) {
            parts.append(QString());
            used = 0;
        }
        parts.last() += piece.text;
        used += piece.cost;
    }
    return {coding, parts, capacity.part - used};
}

}  // namespace

MessageLength measureMessage(const QString& text, bool sixteenBitReference) {
    const Split result = split(text, sixteenBitReference);
    const int parts = static_cast<int>(result.parts.size());
    return {result.coding, parts, result.left, parts > kMaxMessageParts};
}

QString messageCounterText(const QString& text, bool sixteenBitReference) {
    const MessageLength length = measureMessage(text, sixteenBitReference);
    if (length.tooLong) {
        return QStringLiteral("Too long: %1 messages, %2 at most")
            .arg(length.parts)
            .arg(kMaxMessageParts);
    }
    return QStringLiteral("%1 %2, %3 %4 left")
        .arg(length.parts)
        .arg(length.parts == 1 ? QStringLiteral("message") : QStringLiteral("messages"))
        .arg(length.left)
        .arg(length.left == 1 ? QStringLiteral("character") : QStringLiteral("characters"));
}

QStringList splitMessageText(const QString& text, bool sixteenBitReference) {
    return split(text, sixteenBitReference).parts;
}

QList<SmsPdu> submitPdus(const QString& text, const SubmitSettings& settings) {
    const Split result = split(text, settings.sixteenBitReference);
    const int count = static_cast<int>(result.parts.size());
    if (count > kMaxMessageParts) {
        return {};
    }
    const int validity = validityCodeForChoice(settings.validityChoice);
    QList<SmsPdu> pdus;
    for (int i = 0; i < count; ++i) {
        SmsPdu pdu;
        pdu.type = PduType::Submit;
        pdu.address = settings.destination;
        pdu.protocolId = settings.protocolId;
        pdu.dataCoding = dataCodingFor(result.coding);
        if (validity >= 0) {
            pdu.validityFormat = 2;
            pdu.validity = QByteArray(1, static_cast<char>(validity));
        }
        pdu.statusReport = settings.statusReport;
        pdu.replyPath = settings.replyPath;
        if (count > 1) {
            pdu.header.append(
                concatElement(settings.reference, count, i + 1, settings.sixteenBitReference));
        }
        pdu.text = result.parts[i];
        pdus.append(pdu);
    }
    return pdus;
}
