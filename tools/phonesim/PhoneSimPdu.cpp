// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonesim/PhoneSimPdu.h"

#include <QTimeZone>

#include "pdu/GsmAlphabet.h"
#include "pdu/PduCodec.h"

namespace {

using Kind = PhoneSimCommand::Kind;

constexpr int kInvalidPduParameter = 304;
constexpr int kInvalidIndex = 321;
constexpr int kMemoryFull = 322;

const QStringList kStatusWords = {"REC UNREAD", "REC READ", "STO UNSENT", "STO SENT"};
constexpr int kAllStatuses = 4;
const QByteArray kPrompt = "\r\n> ";

PhoneSimAnswer cmsError(int code) {
    return {PhoneSimReply::cmsError(code), {}};
}

PhoneSimMessageStorage& selectedStorage(PhoneSimState& state) {
    PhoneSimMessageStorage* storage = state.messageStorage(state.selectedMessageStorage);
    return storage ? *storage : state.smMessages;
}

// "yy/MM/dd,hh:mm:ss+zz", the zone in quarter hours.
QDateTime timeOf(const QString& stamp) {
    const QDateTime local =
        QDateTime::fromString(stamp.left(17), QStringLiteral("yy/MM/dd,hh:mm:ss"));
    const int quarters = stamp.mid(17).toInt();
    QDateTime time(local.date().addYears(local.date().year() < 2000 ? 100 : 0), local.time(),
                   QTimeZone(quarters * 15 * 60));
    return time;
}

QString stampOf(const QDateTime& time) {
    const int quarters = time.offsetFromUtc() / (15 * 60);
    return time.toString(QStringLiteral("yy/MM/dd,hh:mm:ss")) + (quarters < 0 ? u'-' : u'+') +
           QString::number(std::abs(quarters)).rightJustified(2, u'0');
}

int tpduLengthOf(const QString& hex) {
    const int centre = hex.left(2).toInt(nullptr, 16);
    return static_cast<int>(hex.size() / 2) - centre - 1;
}

QByteArray number(int value) {
    return QByteArray::number(value);
}

// The typed unit: even hex digits whose length after the centre's prefix is the announced one.
std::optional<SmsPdu> typedUnit(const QByteArray& typed, int length) {
    const QString hex = QString::fromLatin1(typed).trimmed();
    if (hex.isEmpty() || hex.size() % 2 != 0 || tpduLengthOf(hex) != length)
        return std::nullopt;
    SmsPdu pdu = decodePdu(hex);
    if (pdu.undecodable || pdu.type != PduType::Submit)
        return std::nullopt;
    return pdu;
}

// "+CMGW=<length>[,<stat>]" and "+CMGS=<length>": the length and, for a write, the status.
bool readLengthAndStatus(const PhoneSimCommand& command, int maxFields, int* length, int* status) {
    const QList<QByteArray> fields = command.fields();
    if (command.kind != Kind::Set || fields.isEmpty() || fields.size() > maxFields ||
        !phoneSimNumber(fields.at(0), length) || *length < 1)
        return false;
    return fields.size() < 2 || (phoneSimNumber(fields.at(1), status) && *status >= 0 &&
                                 *status < static_cast<int>(kStatusWords.size()));
}

// A read's or a listing's entry: the header with the empty alpha field and the length, then the
// unit.
void entryLines(const QByteArray& header, const PhoneSimState& state,
                const PhoneSimMessage& message, QList<QByteArray>* lines) {
    const QString hex = pduOf(state, message);
    lines->append(header + ",," + number(tpduLengthOf(hex)));
    lines->append(hex.toLatin1());
}

}  // namespace

QString pduOf(const PhoneSimState& state, const PhoneSimMessage& message) {
    if (!message.pdu.isEmpty())
        return message.pdu;
    SmsPdu pdu;
    pdu.serviceCentre = {state.serviceCentre, state.serviceCentreType};
    pdu.address = {message.address, message.addressType};
    pdu.protocolId = message.protocolId;
    pdu.dataCoding = dataCodingFor(gsmFits(message.text) ? PduCoding::Gsm7 : PduCoding::Ucs2);
    pdu.text = message.text;
    if (message.status.startsWith(QLatin1String("REC"))) {
        pdu.type = PduType::Deliver;
        pdu.serviceCentreTime = timeOf(message.timestamp);
    } else {
        pdu.type = PduType::Submit;
        pdu.replyPath = message.firstOctet & 0x80;
        pdu.statusReport = message.firstOctet & 0x20;
        if (message.validity >= 0) {
            pdu.validityFormat = 2;
            pdu.validity = QByteArray(1, static_cast<char>(message.validity));
        }
    }
    return encodePdu(pdu).hex;
}

PhoneSimMessage textViewOf(const PhoneSimMessage& message) {
    if (message.pdu.isEmpty())
        return message;
    const SmsPdu pdu = decodePdu(message.pdu);
    PhoneSimMessage shown = message;
    shown.address = pdu.address.number;
    shown.addressType = pdu.address.type;
    shown.text = pdu.text;
    if (pdu.serviceCentreTime.isValid())
        shown.timestamp = stampOf(pdu.serviceCentreTime);
    return shown;
}

PhoneSimAnswer pduReadMessage(PhoneSimState& state, const PhoneSimCommand& command) {
    PhoneSimMessageStorage& storage = selectedStorage(state);
    int index = 0;
    if (command.kind != Kind::Set || !phoneSimNumber(command.args, &index) || index < 1 ||
        index > storage.capacity)
        return cmsError(kInvalidIndex);
    auto it = storage.messages.find(index);
    if (it == storage.messages.end())
        return PhoneSimAnswers::ok();
    QList<QByteArray> lines;
    entryLines("+CMGR: " + number(static_cast<int>(kStatusWords.indexOf(it->second.status))), state,
               it->second, &lines);
    if (it->second.status == QLatin1String("REC UNREAD"))
        it->second.status = QStringLiteral("REC READ");
    return {PhoneSimReply::linesThenOk(lines), {}};
}

PhoneSimAnswer pduListMessages(PhoneSimState& state, const PhoneSimCommand& command) {
    int wanted = 0;
    if (command.kind == Kind::Query ||
        (command.kind == Kind::Set &&
         (command.fields().size() != 1 || !phoneSimNumber(command.args, &wanted) || wanted < 0 ||
          wanted > kAllStatuses)))
        return PhoneSimAnswers::error();
    QList<QByteArray> lines;
    for (auto& [index, message] : selectedStorage(state).messages) {
        const int status = static_cast<int>(kStatusWords.indexOf(message.status));
        if (wanted != kAllStatuses && status != wanted)
            continue;
        entryLines("+CMGL: " + number(index) + ',' + number(status), state, message, &lines);
        if (status == 0)
            message.status = kStatusWords[1];
    }
    return {PhoneSimReply::linesThenOk(lines), {}};
}

PhoneSimAnswer pduWriteMessage(PhoneSimState& state, const PhoneSimCommand& command) {
    int length = 0;
    int status = 2;
    if (!readLengthAndStatus(command, 2, &length, &status))
        return cmsError(kInvalidPduParameter);
    PhoneSimMessageStorage& storage = selectedStorage(state);
    if (storage.used() >= storage.capacity)
        return cmsError(kMemoryFull);
    return {kPrompt,
            [length, status](PhoneSimState& state, const QByteArray& typed, bool cancelled) {
                if (cancelled)
                    return PhoneSimReply::ok();
                const std::optional<SmsPdu> pdu = typedUnit(typed, length);
                if (!pdu)
                    return PhoneSimReply::cmsError(kInvalidPduParameter);
                PhoneSimMessageStorage& storage = selectedStorage(state);
                const int index = storage.firstFree();
                if (index == 0)
                    return PhoneSimReply::cmsError(kMemoryFull);
                PhoneSimMessage stored;
                stored.status = kStatusWords[status];
                stored.pdu = QString::fromLatin1(typed).trimmed().toUpper();
                storage.messages[index] = textViewOf(stored);
                return PhoneSimReply::linesThenOk({"+CMGW: " + number(index)});
            }};
}

PhoneSimAnswer pduSendMessage(PhoneSimState&, const PhoneSimCommand& command) {
    int length = 0;
    int status = 0;
    if (!readLengthAndStatus(command, 1, &length, &status))
        return cmsError(kInvalidPduParameter);
    return {kPrompt, [length](PhoneSimState& state, const QByteArray& typed, bool cancelled) {
                if (cancelled)
                    return PhoneSimReply::ok();
                if (!typedUnit(typed, length))
                    return PhoneSimReply::cmsError(kInvalidPduParameter);
                PhoneSimMessage sent;
                sent.status = QStringLiteral("STO SENT");
                sent.pdu = QString::fromLatin1(typed).trimmed().toUpper();
                sent = textViewOf(sent);
                sent.timestamp = stampOf(state.now().toOffsetFromUtc(0));
                state.outbox.push_back(sent);
                const int reference = state.nextMessageReference;
                state.nextMessageReference = reference % 255 + 1;
                return PhoneSimReply::linesThenOk({"+CMGS: " + number(reference)});
            }};
}
