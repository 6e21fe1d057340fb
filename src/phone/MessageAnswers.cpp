// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/MessageAnswers.h"

#include <QRegularExpression>
#include <algorithm>
#include <limits>

#include "link/SplitFields.h"

namespace {

// Digits at the start of text (no sign, no blanks); false when there are none. A number beyond
// the int range is clamped rather than wrapped into a negative count or index.
bool leadingDigits(const QString& text, qsizetype from, int& value) {
    qsizetype pos = from;
    qint64 number = 0;
    while (pos < text.size() && text[pos].isDigit() && text[pos].unicode() < 128 &&
           number < 1000000000) {
        number = number * 10 + (text[pos].unicode() - '0');
        ++pos;
    }
    if (pos == from) {
        return false;
    }
    value = static_cast<int>(std::min<qint64>(number, std::numeric_limits<int>::max()));
    return true;
}

// Phones that put blanks behind the commas, and received headers without the name field, whose
// time stamp then stands where the name belongs.
void mendHeaderFields(QStringList& fields) {
    trimHeaderFields(fields);
    static const QRegularExpression stamp(QStringLiteral("^\\d{1,4}/\\d{1,2}/\\d{1,4},\\d{1,2}:"));
    if (isReceivedMessage(fields) && fields.value(3).isEmpty() &&
        stamp.match(fields.value(kMessageName)).hasMatch()) {
        fields[3] = fields[kMessageName];
        fields[kMessageName].clear();
    }
}

}  // namespace

void trimHeaderFields(QStringList& fields) {
    for (QString& field : fields) {
        field = field.trimmed();
        if (field.size() >= 2 && field.startsWith(u'"') && field.endsWith(u'"')) {
            field = field.mid(1, field.size() - 2);
        }
    }
}

// Some phones put no blank behind the colon.
QString messageBodyOf(const QString& answer) {
    const QString marker = QStringLiteral("+CMGR:");
    const qsizetype at = answer.indexOf(marker);
    if (at < 0) {
        return {};
    }
    qsizetype start = at + marker.size();
    while (start < answer.size() && answer[start] == u' ') {
        ++start;
    }
    return answer.mid(start);
}

// The length the header announces is not trusted for the text; some phones announce less or
// more than they send.
QString messageTextOf(const QString& afterHeader) {
    QString text = afterHeader;
    if (!text.endsWith(u'\n')) {
        return text;  // the read ended without a final line
    }
    qsizetype end = text.size() - 1;
    if (end > 0 && text[end - 1] == u'\r') {
        --end;
    }
    const qsizetype start = end > 0 ? text.lastIndexOf(u'\n', end - 1) + 1 : 0;
    const QString last = text.mid(start, end - start);
    const bool finalLine = last == QLatin1String("OK") || last == QLatin1String("ERROR") ||
                           last.startsWith(QLatin1String("+CMS ERROR:")) ||
                           last.startsWith(QLatin1String("+CME ERROR:"));
    if (!finalLine) {
        return text;
    }
    text.truncate(start);
    // The line end before the final line, then the empty line.
    if (text.endsWith(QLatin1String("\r\n"))) {
        text.chop(2);
    } else if (text.endsWith(u'\n')) {
        text.chop(1);
    }
    if (text.endsWith(QLatin1String("\r\n"))) {
        text.chop(2);
    }
    return text;
}

QStringList cutMessageBody(const QString& body, PhoneCharset set) {
    const qsizetype lineEnd = body.indexOf(u'\n');
    QString header = lineEnd < 0 ? body : body.left(lineEnd);
    if (header.endsWith(u'\r')) {
        header.chop(1);
    }
    QStringList fields;
    SplitFields(header, fields, kMessageText);
    mendHeaderFields(fields);
    fields.append(lineEnd < 0 ? QString() : messageTextOf(body.mid(lineEnd + 1)));
    decodeMessageFields(fields, set);
    return fields;
}

void decodeMessageFields(QStringList& fields, PhoneCharset set) {
    if (set == PhoneCharset::Latin1 || fields.size() < kMessageBodyFields) {
        return;
    }
    for (const int number : {kMessageAddress, kMessageCentre}) {
        fields[number] = phoneFieldText(fields[number], set, PhoneTextKind::Number);
    }
    fields[kMessageName] = phoneFieldText(fields[kMessageName], set, PhoneTextKind::Name);
    fields[kMessageText] = phoneFieldText(fields[kMessageText], set, PhoneTextKind::MessageText);
}

bool isReceivedMessage(const QStringList& fields) {
    return fields.value(kMessageStatus).contains(QLatin1String("READ"));
}

int usedMessageCountOf(const QString& answer) {
    const qsizetype colon = answer.indexOf(u':');
    if (colon < 0) {
        return -1;
    }
    qsizetype pos = colon + 1;
    while (pos < answer.size() && answer[pos] == u' ') {
        ++pos;  // "%d" skips blanks
    }
    int count = -1;
    return leadingDigits(answer, pos, count) ? count : -1;
}

bool writtenMessageIndexOf(const QString& answer, QString& index) {
    const QString marker = QStringLiteral("+CMGW: ");
    const qsizetype at = answer.indexOf(marker);
    int value = 0;
    if (at < 0 || !leadingDigits(answer, at + marker.size(), value)) {
        return false;
    }
    index = QString::number(value);
    return true;
}

int messageErrorCodeOf(const QString& answer) {
    const QString marker = QStringLiteral("+CMS ERROR:");
    const qsizetype at = answer.lastIndexOf(marker);
    if (at < 0) {
        return -1;
    }
    qsizetype pos = at + marker.size();
    while (pos < answer.size() && answer[pos] == u' ') {
        ++pos;
    }
    int code = -1;
    return leadingDigits(answer, pos, code) ? code : -1;
}

// The indication fields come from the phone's own answer to "at+cnmi=?", where a field may be a
// single value ("1") or a range list ("(0-2)"). Each becomes its first decimal digit: a single
// value stays itself and a range gives its lowest value, the one every phone accepts. A field
// without a digit gives '0' (indication off). Only a digit ever reaches the command line, so no
// answer text can end the command or add one of its own.
QChar indicationCharacterOf(const QString& field) {
    for (const QChar ch : field) {
        if (ch >= u'0' && ch <= u'9') {
            return ch;
        }
    }
    return u'0';
}
