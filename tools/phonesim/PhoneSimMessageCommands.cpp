// SPDX-License-Identifier: GPL-3.0-or-later
// Reading, listing, deleting, storing and sending short messages (PDU mode: PhoneSimPdu.cpp).
#include "phonesim/PhoneSimCommandTable.h"
#include "phonesim/PhoneSimPdu.h"
#include "phonesim/PhoneSimState.h"

namespace {

using Kind = PhoneSimCommand::Kind;
using PhoneSimReply::quoted;

// GSM 07.05 error numbers.
constexpr int kOperationNotAllowed = 302;
constexpr int kInvalidIndex = 321;
constexpr int kMemoryFull = 322;

using PhoneSimAnswers::error;
using PhoneSimAnswers::ok;
PhoneSimAnswer cmsError(int code) {
    return {PhoneSimReply::cmsError(code), {}};
}

bool isReceived(const QString& status) {
    return status.startsWith(QLatin1String("REC"));
}

bool isStatusWord(const QString& status) {
    return status == QLatin1String("REC UNREAD") || status == QLatin1String("REC READ") ||
           status == QLatin1String("STO UNSENT") || status == QLatin1String("STO SENT");
}

int typeOf(const QString& address) {
    return address.startsWith(u'+') ? 145 : 129;
}

QByteArray number(int value) {
    return QByteArray::number(value);
}

QByteArray quotedText(const PhoneSimState& state, const QString& text) {
    return '"' + state.encodeText(text) + '"';
}

// The "+CMGR: " header line in text mode, with or without the header details. A message can
// be set up to get the header wrong as some phones do (a wrong length, no details).
QByteArray readHeader(const PhoneSimState& state, const PhoneSimMessage& message) {
    QByteArray header =
        "+CMGR: " + quoted(message.status) + ',' + quotedText(state, message.address);
    const QByteArray centre =
        quotedText(state, state.serviceCentre) + ',' + number(state.serviceCentreType);
    const int textLength = static_cast<int>(message.text.size());
    const QByteArray length =
        number(message.announcedLength >= 0 ? message.announcedLength : textLength);
    const bool details = state.showHeader && !message.omitHeaderDetails;
    if (isReceived(message.status)) {
        header += ",," + quoted(message.timestamp);
        if (details)
            header += ',' + number(message.addressType) + ",4," + number(message.protocolId) +
                      ",0," + centre + ',' + length;
    } else if (details) {
        const QByteArray validity = message.validity >= 0 ? number(message.validity) : "";
        header += ",," + number(message.addressType) + ',' + number(message.firstOctet) + ',' +
                  number(message.protocolId) + ",0," + validity + ',' + centre + ',' + length;
    }
    return header;
}

PhoneSimMessageStorage& selectedStorage(PhoneSimState& state) {
    PhoneSimMessageStorage* storage = state.messageStorage(state.selectedMessageStorage);
    return storage ? *storage : state.smMessages;
}

bool readIndex(const PhoneSimCommand& command, const PhoneSimMessageStorage& storage, int* index) {
    return command.kind == Kind::Set && phoneSimNumber(command.args, index) && *index >= 1 &&
           *index <= storage.capacity;
}

PhoneSimAnswer readMessage(PhoneSimState& state, const PhoneSimCommand& command) {
    if (command.kind == Kind::Test)
        return ok();
    if (state.messageFormat == 0)
        return pduReadMessage(state, command);
    if (state.messageFormat != 1)
        return cmsError(kOperationNotAllowed);
    PhoneSimMessageStorage& storage = selectedStorage(state);
    int index = 0;
    if (!readIndex(command, storage, &index))
        return cmsError(kInvalidIndex);
    auto it = storage.messages.find(index);
    if (it == storage.messages.end())
        return ok();
    const PhoneSimMessage shown = textViewOf(it->second);
    const QByteArray answer = readHeader(state, shown);
    const QByteArray text = state.encodeText(shown.text);
    if (it->second.status == QLatin1String("REC UNREAD"))
        it->second.status = QStringLiteral("REC READ");
    return {PhoneSimReply::linesThenOk({answer, text}), {}};
}

// The "+CMGL: " header line in text mode: location, status, address, name, time stamp (left
// empty for a stored message) and, with the header details, the address type and the length.
QByteArray listHeader(const PhoneSimState& state, int index, const PhoneSimMessage& message) {
    const int textLength = static_cast<int>(message.text.size());
    QByteArray header = "+CMGL: " + number(index) + ',' + quoted(message.status) + ',' +
                        quotedText(state, message.address) + ",," +
                        (isReceived(message.status) ? quoted(message.timestamp) : QByteArray());
    if (state.showHeader && !message.omitHeaderDetails)
        header += ',' + number(message.addressType) + ',' +
                  number(message.announcedLength >= 0 ? message.announcedLength : textLength);
    return header;
}

// "ALL" or one status word; the listed unread messages count as read from then on.
PhoneSimAnswer listMessages(PhoneSimState& state, const PhoneSimCommand& command) {
    if (command.kind == Kind::Test && state.messageFormat == 0)
        return {PhoneSimReply::linesThenOk({"+CMGL: (0-4)"}), {}};
    if (command.kind == Kind::Test)
        return {PhoneSimReply::linesThenOk(
                    {"+CMGL: (\"REC UNREAD\",\"REC READ\",\"STO UNSENT\",\"STO SENT\",\"ALL\")"}),
                {}};
    if (state.messageFormat == 0)
        return pduListMessages(state, command);
    if (state.messageFormat != 1)
        return cmsError(kOperationNotAllowed);
    const QList<QByteArray> fields = command.fields();
    const QString wanted = command.kind == Kind::Action
                               ? QStringLiteral("REC UNREAD")
                               : QString::fromLatin1(fields.value(0)).trimmed().toUpper();
    const bool all = wanted == QLatin1String("ALL");
    if (command.kind == Kind::Query || fields.size() > 1 || (!all && !isStatusWord(wanted)))
        return error();
    QList<QByteArray> lines;
    for (auto& [index, message] : selectedStorage(state).messages) {
        if (!all && message.status != wanted)
            continue;
        const PhoneSimMessage shown = textViewOf(message);
        lines.append(listHeader(state, index, shown));
        lines.append(state.encodeText(shown.text));
        if (message.status == QLatin1String("REC UNREAD"))
            message.status = QStringLiteral("REC READ");
    }
    return {PhoneSimReply::linesThenOk(lines), {}};
}

PhoneSimAnswer deleteMessage(PhoneSimState& state, const PhoneSimCommand& command) {
    if (command.kind == Kind::Test)
        return ok();
    PhoneSimMessageStorage& storage = selectedStorage(state);
    int index = 0;
    if (!readIndex(command, storage, &index))
        return cmsError(kInvalidIndex);
    storage.messages.erase(index);
    return ok();
}

// The destination fields of "+CMGW" and "+CMGS": "address"[,type[,"status"]].
bool readDestination(const PhoneSimState& state, const PhoneSimCommand& command,
                     qsizetype maxFields, PhoneSimMessage* message) {
    const QList<QByteArray> fields = command.fields();
    if (command.kind != Kind::Set || fields.isEmpty() || fields.size() > maxFields)
        return false;
    message->address = state.decodeNumber(fields.at(0));
    message->addressType = typeOf(message->address);
    if (fields.size() > 1 && !fields.at(1).trimmed().isEmpty() &&
        !phoneSimNumber(fields.at(1), &message->addressType))
        return false;
    if (fields.size() > 2) {
        message->status = QString::fromLatin1(fields.at(2)).trimmed().toUpper();
        if (!isStatusWord(message->status))
            return false;
    }
    return true;
}

PhoneSimMessage withSendParameters(const PhoneSimState& state, PhoneSimMessage message) {
    message.firstOctet = state.sendFirstOctet;
    message.protocolId = state.sendProtocolId;
    message.validity = state.sendValidity;
    return message;
}

const QByteArray kPrompt = "\r\n> ";

PhoneSimAnswer writeMessage(PhoneSimState& state, const PhoneSimCommand& command) {
    if (command.kind == Kind::Test)
        return ok();
    if (state.messageFormat == 0)
        return pduWriteMessage(state, command);
    if (state.messageFormat != 1)
        return cmsError(kOperationNotAllowed);
    PhoneSimMessage message;
    message.status = QStringLiteral("STO UNSENT");
    if (!readDestination(state, command, 3, &message))
        return error();
    PhoneSimMessageStorage& storage = selectedStorage(state);
    if (storage.used() >= storage.capacity)
        return cmsError(kMemoryFull);
    message = withSendParameters(state, message);
    return {kPrompt, [message](PhoneSimState& state, const QByteArray& text, bool cancelled) {
                if (cancelled)
                    return PhoneSimReply::ok();
                PhoneSimMessageStorage& storage = selectedStorage(state);
                const int index = storage.firstFree();
                if (index == 0)
                    return PhoneSimReply::cmsError(kMemoryFull);
                PhoneSimMessage stored = message;
                stored.text = state.decodeText(text);
                storage.messages[index] = stored;
                return PhoneSimReply::linesThenOk({"+CMGW: " + number(index)});
            }};
}

PhoneSimAnswer sendMessage(PhoneSimState& state, const PhoneSimCommand& command) {
    if (command.kind == Kind::Test)
        return ok();
    if (state.messageFormat == 0)
        return pduSendMessage(state, command);
    if (state.messageFormat != 1)
        return cmsError(kOperationNotAllowed);
    PhoneSimMessage message;
    message.status = QStringLiteral("STO SENT");
    if (!readDestination(state, command, 2, &message))
        return error();
    message = withSendParameters(state, message);
    return {kPrompt, [message](PhoneSimState& state, const QByteArray& text, bool cancelled) {
                if (cancelled)
                    return PhoneSimReply::ok();
                PhoneSimMessage sent = message;
                sent.text = state.decodeText(text);
                sent.timestamp = state.now().toString(QStringLiteral("yy/MM/dd,hh:mm:ss+00"));
                state.outbox.push_back(sent);
                const int reference = state.nextMessageReference;
                state.nextMessageReference = reference % 255 + 1;
                return PhoneSimReply::linesThenOk({"+CMGS: " + number(reference)});
            }};
}

}  // namespace

void registerMessageCommands(PhoneSimCommandTable& table) {
    table.add("+CMGR", readMessage);
    table.add("+CMGL", listMessages);
    table.add("+CMGD", deleteMessage);
    table.add("+CMGW", writeMessage);
    table.add("+CMGS", sendMessage);
}
