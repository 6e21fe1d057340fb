// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdu/PduCodec.h"

#include <algorithm>

#include "pdu/GsmAlphabet.h"
#include "pdu/PduFields.h"

namespace {

constexpr int kReplyPath = 0x80;
constexpr int kHeaderIndicator = 0x40;
constexpr int kStatusReportBit = 0x20;
constexpr int kLoopPrevention = 0x08;
constexpr int kNoMoreMessages = 0x04;
constexpr int kRejectDuplicates = 0x04;

// Octets the header (with its length octet) takes, in septets, fill bits included.
int headerSeptets(qsizetype headerOctets) {
    return static_cast<int>((headerOctets * 8 + 6) / 7);
}

QByteArray ucs2Octets(const QString& text) {
    QByteArray out;
    out.reserve(text.size() * 2);
    for (const QChar c : text) {
        out.append(static_cast<char>(c.unicode() >> 8));
        out.append(static_cast<char>(c.unicode() & 0xFF));
    }
    return out;
}

QString textOfUcs2(const QByteArray& octets) {
    QString text;
    text.reserve(octets.size() / 2);
    for (qsizetype i = 0; i + 1 < octets.size(); i += 2) {
        text.append(QChar(static_cast<char16_t>(static_cast<unsigned char>(octets[i]) << 8 |
                                                static_cast<unsigned char>(octets[i + 1]))));
    }
    return text;
}

class Decoder {
  public:
    Decoder(const QByteArray& bytes, SmsPdu& pdu) : in_(bytes), pdu_(pdu) {}

    // Empty when the unit was read, else why not.
    QString run(bool withServiceCentre) {
        if (withServiceCentre) {
            const std::optional<PduAddress> centre = in_.serviceCentre();
            if (!centre) {
                return QStringLiteral("the service centre's address is cut short");
            }
            pdu_.serviceCentre = *centre;
        }
        const std::optional<int> first = in_.octet();
        if (!first) {
            return QStringLiteral("the message is empty");
        }
        first_ = *first;
        pdu_.replyPath = first_ & kReplyPath;
        pdu_.statusReport = first_ & kStatusReportBit;
        switch (first_ & 0x03) {
            case 1:
                pdu_.type = PduType::Submit;
                return submit();
            case 2:
                pdu_.type = PduType::StatusReport;
                return statusReport();
            default:
                // A reserved type is read as a DELIVER, as receivers are told to.
                pdu_.type = PduType::Deliver;
                return deliver();
        }
    }

  private:
    static QString cutShort() { return QStringLiteral("the message is cut short"); }

    QString deliver() {
        pdu_.noMoreMessages = first_ & kNoMoreMessages;
        pdu_.loopPrevention = first_ & kLoopPrevention;
        const std::optional<PduAddress> sender = in_.address();
        const std::optional<int> pid = in_.octet();
        const std::optional<int> dcs = in_.octet();
        const std::optional<QDateTime> time = in_.timestamp();
        if (!sender || !pid || !dcs || !time) {
            return cutShort();
        }
        pdu_.address = *sender;
        pdu_.protocolId = *pid;
        pdu_.dataCoding = *dcs;
        pdu_.serviceCentreTime = *time;
        return userData();
    }

    QString submit() {
        pdu_.rejectDuplicates = first_ & kRejectDuplicates;
        pdu_.validityFormat = first_ >> 3 & 0x03;
        const std::optional<int> reference = in_.octet();
        const std::optional<PduAddress> destination = in_.address();
        const std::optional<int> pid = in_.octet();
        const std::optional<int> dcs = in_.octet();
        const std::optional<QByteArray> validity = in_.octets(pdu_.validityFormat == 0   ? 0
                                                              : pdu_.validityFormat == 2 ? 1
                                                                                         : 7);
        if (!reference || !destination || !pid || !dcs || !validity) {
            return cutShort();
        }
        pdu_.messageReference = *reference;
        pdu_.address = *destination;
        pdu_.protocolId = *pid;
        pdu_.dataCoding = *dcs;
        pdu_.validity = *validity;
        return userData();
    }

    QString statusReport() {
        pdu_.noMoreMessages = first_ & kNoMoreMessages;
        pdu_.loopPrevention = first_ & kLoopPrevention;
        const std::optional<int> reference = in_.octet();
        const std::optional<PduAddress> recipient = in_.address();
        const std::optional<QDateTime> time = in_.timestamp();
        const std::optional<QDateTime> discharge = in_.timestamp();
        const std::optional<int> status = in_.octet();
        if (!reference || !recipient || !time || !discharge || !status) {
            return cutShort();
        }
        pdu_.messageReference = *reference;
        pdu_.address = *recipient;
        pdu_.serviceCentreTime = *time;
        pdu_.dischargeTime = *discharge;
        pdu_.status = *status;
        pdu_.hasUserData = false;
        // The parameter indicator and what it announces are optional; a centre may pad with
        // further indicator octets, each flagged by its top bit.
        std::optional<int> indicator = in_.octet();
        if (!indicator) {
            return {};
        }
        int parameters = *indicator;
        while (indicator && (*indicator & 0x80)) {
            indicator = in_.octet();
        }
        if (parameters & 0x01) {
            pdu_.protocolId = in_.octet().value_or(0);
        }
        if (parameters & 0x02) {
            pdu_.dataCoding = in_.octet().value_or(0);
        }
        if (!(parameters & 0x04)) {
            return {};
        }
        pdu_.hasUserData = true;
        return userData();
    }

    QString userData() {
        const std::optional<PduCoding> coding = codingOf(pdu_.dataCoding);
        if (!coding) {
            return QStringLiteral("its data coding (%1) is unknown").arg(pdu_.dataCoding);
        }
        const std::optional<int> length = in_.octet();
        if (!length) {
            return cutShort();
        }
        const bool septets = *coding == PduCoding::Gsm7;
        const std::optional<QByteArray> data =
            in_.octets(septets ? (*length * 7 + 7) / 8 : *length);
        if (!data) {
            return QStringLiteral("its user data length goes beyond its data");
        }
        qsizetype headerOctets = 0;
        if (first_ & kHeaderIndicator) {
            if (data->isEmpty() || 1 + static_cast<unsigned char>(data->front()) > data->size()) {
                return QStringLiteral("its header length goes beyond the user data");
            }
            headerOctets = 1 + static_cast<unsigned char>(data->front());
            const QString problem = header(data->mid(1, headerOctets - 1));
            if (!problem.isEmpty()) {
                return problem;
            }
        }
        if (septets) {
            const int skip = headerSeptets(headerOctets);
            const std::optional<QByteArray> text = unpackSeptets(*data, *length - skip, skip);
            if (!text) {
                return QStringLiteral("its header length goes beyond the user data");
            }
            pdu_.text = gsmDecode(*text);
            return {};
        }
        pdu_.data = data->mid(headerOctets);
        if (*coding == PduCoding::Ucs2) {
            if (pdu_.data.size() % 2 != 0) {
                return QStringLiteral("its UCS2 text has an odd number of octets");
            }
            pdu_.text = textOfUcs2(pdu_.data);
            pdu_.data.clear();
        } else {
            pdu_.text = QString::fromLatin1(pdu_.data);
        }
        return {};
    }

    QString header(const QByteArray& bytes) {
        PduReader elements(bytes);
        while (!elements.atEnd()) {
            const std::optional<int> id = elements.octet();
            const std::optional<int> size = elements.octet();
            const std::optional<QByteArray> data = size ? elements.octets(*size) : std::nullopt;
            if (!data) {
                return QStringLiteral("a header element goes beyond the header");
            }
            pdu_.header.append({*id, *data});
        }
        return {};
    }

    PduReader in_;
    SmsPdu& pdu_;
    int first_ = 0;
};

bool isHexText(const QString& hex) {
    return std::all_of(hex.begin(), hex.end(), [](QChar c) {
        return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
    });
}

QByteArray userDataOf(const SmsPdu& pdu, int& length) {
    QByteArray header;
    for (const PduHeaderElement& element : pdu.header) {
        header.append(static_cast<char>(element.id));
        header.append(static_cast<char>(element.data.size()));
        header.append(element.data);
    }
    if (!header.isEmpty()) {
        header.prepend(static_cast<char>(header.size()));
    }
    switch (codingOf(pdu.dataCoding).value_or(PduCoding::EightBit)) {
        case PduCoding::Gsm7: {
            const int skip = headerSeptets(header.size());
            const int fill = skip * 7 - static_cast<int>(header.size()) * 8;
            const QByteArray septets = gsmEncode(pdu.text).septets;
            length = skip + static_cast<int>(septets.size());
            return header + packSeptets(septets, fill);
        }
        case PduCoding::Ucs2:
            header += ucs2Octets(pdu.text);
            break;
        case PduCoding::EightBit:
            header += pdu.data;
            break;
    }
    length = static_cast<int>(header.size());
    return header;
}

}  // namespace

SmsPdu decodePdu(const QString& hex, bool withServiceCentre) {
    SmsPdu pdu;
    pdu.rawHex = hex.trimmed();
    if (pdu.rawHex.size() % 2 != 0 || !isHexText(pdu.rawHex)) {
        pdu.problem = QStringLiteral("it is not hex digits in pairs");
    } else {
        pdu.problem =
            Decoder(QByteArray::fromHex(pdu.rawHex.toLatin1()), pdu).run(withServiceCentre);
    }
    pdu.undecodable = !pdu.problem.isEmpty();
    return pdu;
}

EncodedPdu encodePdu(const SmsPdu& pdu, bool withServiceCentre) {
    int length = 0;
    const QByteArray userData = userDataOf(pdu, length);
    int first = (pdu.replyPath ? kReplyPath : 0) | (pdu.header.isEmpty() ? 0 : kHeaderIndicator) |
                (pdu.statusReport ? kStatusReportBit : 0);
    QByteArray tpdu;
    switch (pdu.type) {
        case PduType::Deliver:
            first |= (pdu.noMoreMessages ? kNoMoreMessages : 0) |
                     (pdu.loopPrevention ? kLoopPrevention : 0);
            tpdu = static_cast<char>(first) + encodeAddress(pdu.address);
            tpdu.append(static_cast<char>(pdu.protocolId));
            tpdu.append(static_cast<char>(pdu.dataCoding));
            tpdu.append(encodeTimestamp(pdu.serviceCentreTime));
            break;
        case PduType::Submit: {
            const int format = pdu.validityFormat & 0x03;
            first |= 0x01 | (pdu.rejectDuplicates ? kRejectDuplicates : 0) | format << 3;
            tpdu.append(static_cast<char>(first));
            tpdu.append(static_cast<char>(pdu.messageReference));
            tpdu.append(encodeAddress(pdu.address));
            tpdu.append(static_cast<char>(pdu.protocolId));
            tpdu.append(static_cast<char>(pdu.dataCoding));
            if (format != 0) {
                const int size = format == 2 ? 1 : 7;
                tpdu.append(pdu.validity.leftJustified(size, '\0', true));
            }
            break;
        }
        case PduType::StatusReport:
            first |= 0x02 | (pdu.noMoreMessages ? kNoMoreMessages : 0) |
                     (pdu.loopPrevention ? kLoopPrevention : 0);
            tpdu.append(static_cast<char>(first));
            tpdu.append(static_cast<char>(pdu.messageReference));
            tpdu.append(encodeAddress(pdu.address));
            tpdu.append(encodeTimestamp(pdu.serviceCentreTime));
            tpdu.append(encodeTimestamp(pdu.dischargeTime));
            tpdu.append(static_cast<char>(pdu.status));
            if (pdu.hasUserData) {
                tpdu.append('\x07');
                tpdu.append(static_cast<char>(pdu.protocolId));
                tpdu.append(static_cast<char>(pdu.dataCoding));
            }
            break;
    }
    if (pdu.type != PduType::StatusReport || pdu.hasUserData) {
        tpdu.append(static_cast<char>(length));
        tpdu.append(userData);
    }
    const QByteArray whole =
        (withServiceCentre ? encodeServiceCentre(pdu.serviceCentre) : QByteArray()) + tpdu;
    return {QString::fromLatin1(whole.toHex().toUpper()), static_cast<int>(tpdu.size())};
}
