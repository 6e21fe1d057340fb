// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/ListAnswers.h"

#include "link/SplitFields.h"
#include "phone/MessageAnswers.h"

namespace {

// Some phones put no blank behind the colon, some put blanks behind the commas.
const QString kListMarker = QStringLiteral("+CMGL:");
const QString kRangeMarker = QStringLiteral("+CPBR: ");

// Fields of a text-mode listing header with its details: index, status, address, name, time
// stamp (empty for a stored message), address type, text length.
enum ListField {
    kListIndex,
    kListStatus,
    kListAddress,
    kListName,
    kListTime,
    kListType,
    kListLength,
    kListFields
};

qsizetype digitsFrom(const QString& text, qsizetype pos) {
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
        ++pos;
    }
    return pos;
}

qsizetype blanksFrom(const QString& text, qsizetype pos) {
    while (pos < text.size() && text[pos] == u' ') {
        ++pos;
    }
    return pos;
}

// A header begins the line at `at` and names a location and a status word.
bool isListHeaderAt(const QString& answer, qsizetype at) {
    if (at < 0 || at >= answer.size() || (at > 0 && answer[at - 1] != u'\n') ||
        !QStringView(answer).mid(at).startsWith(kListMarker)) {
        return false;
    }
    const qsizetype digits = blanksFrom(answer, at + kListMarker.size());
    const qsizetype end = digitsFrom(answer, digits);
    const qsizetype comma = blanksFrom(answer, end);
    if (end == digits || comma >= answer.size() || answer[comma] != u',') {
        return false;
    }
    const QStringView rest = QStringView(answer).mid(blanksFrom(answer, comma + 1));
    return rest.startsWith(u"\"REC ") || rest.startsWith(u"\"STO ");
}

qsizetype nextListHeader(const QString& answer, qsizetype from) {
    for (qsizetype at = answer.indexOf(kListMarker, from); at >= 0;
         at = answer.indexOf(kListMarker, at + 1)) {
        if (isListHeaderAt(answer, at)) {
            return at;
        }
    }
    return -1;
}

// Where the next message begins: right behind the announced text when a header stands there,
// else at the first header behind the text's start.
qsizetype nextMessageAt(const QString& answer, qsizetype textStart, const QString& length) {
    bool announced = false;
    const int count = length.trimmed().toInt(&announced);
    if (announced && count >= 0) {
        const qsizetype end = textStart + count;
        for (const qsizetype header : {end + 2, end + 1}) {
            if (isListHeaderAt(answer, header) && answer[header - 1] == u'\n') {
                return header;
            }
        }
    }
    return nextListHeader(answer, textStart);
}

// The text between two headers, without the line end that separates them.
QString textBefore(const QString& answer, qsizetype textStart, qsizetype next) {
    QString text = answer.mid(textStart, next - textStart);
    if (text.endsWith(u'\n')) {
        text.chop(1);
    }
    if (text.endsWith(u'\r')) {
        text.chop(1);
    }
    return text;
}

// The read's twelve fields from the listing's seven and the text.
QStringList readFieldsOf(const QStringList& header, const QString& text) {
    QStringList fields(kMessageBodyFields);
    fields[kMessageStatus] = header.value(kListStatus);
    fields[kMessageAddress] = header.value(kListAddress);
    fields[kMessageName] = header.value(kListName);
    fields[kMessageLength] = header.value(kListLength);
    fields[kMessageText] = text;
    if (isReceivedMessage(fields)) {
        fields[3] = header.value(kListTime);
        fields[4] = header.value(kListType);
    } else {
        fields[3] = header.value(kListType);
    }
    return fields;
}

}  // namespace

QList<ListedMessage> listedMessagesOf(const QString& answer, PhoneCharset set) {
    QList<ListedMessage> messages;
    for (qsizetype at = nextListHeader(answer, 0); at >= 0;) {
        const qsizetype lineEnd = answer.indexOf(u'\n', at);
        if (lineEnd < 0) {
            break;  // the header itself was cut off
        }
        QString headerLine = answer.mid(at + kListMarker.size(), lineEnd - at - kListMarker.size());
        if (headerLine.endsWith(u'\r')) {
            headerLine.chop(1);
        }
        QStringList header;
        SplitFields(headerLine, header, kListFields);
        trimHeaderFields(header);
        const qsizetype textStart = lineEnd + 1;
        const qsizetype next = nextMessageAt(answer, textStart, header.value(kListLength));
        const QString text =
            next >= 0 ? textBefore(answer, textStart, next) : messageTextOf(answer.mid(textStart));
        ListedMessage message;
        message.index = header.value(kListIndex).trimmed().toInt();
        message.fields = readFieldsOf(header, text);
        message.complete = isReceivedMessage(message.fields);
        decodeMessageFields(message.fields, set);
        messages.append(message);
        at = next;
    }
    return messages;
}

QList<PhonebookEntryAnswer> phonebookRangeOf(const QString& answer, PhoneCharset set) {
    QList<PhonebookEntryAnswer> entries;
    for (qsizetype at = answer.indexOf(kRangeMarker); at >= 0;
         at = answer.indexOf(kRangeMarker, at + 1)) {
        if (at > 0 && answer[at - 1] != u'\n') {
            continue;
        }
        const qsizetype start = at + kRangeMarker.size();
        const qsizetype lineEnd = answer.indexOf(u'\n', start);
        PhonebookEntryAnswer entry;
        if (ParsePhonebookEntry(answer.mid(start, lineEnd < 0 ? -1 : lineEnd + 1 - start), entry,
                                set)) {
            entries.append(entry);
        }
    }
    return entries;
}

bool endsInOk(const QString& answer) {
    QStringView text(answer);
    while (text.endsWith(u'\n') || text.endsWith(u'\r')) {
        text.chop(1);
    }
    return text == u"OK" || text.endsWith(u"\nOK");
}
