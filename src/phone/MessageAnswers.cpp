#include "phone/MessageAnswers.h"

#include "link/SplitFields.h"

namespace {

// Digits at the start of text (no sign, no blanks); false when there are none.
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
    value = static_cast<int>(number);
    return true;
}

}  // namespace

QString messageBodyOf(const QString& answer) {
    const QString marker = QStringLiteral("+CMGR: ");
    const qsizetype at = answer.indexOf(marker);
    return at < 0 ? QString() : answer.mid(at + marker.size());
}

QStringList cutMessageBody(const QString& body) {
    QStringList fields;
    SplitFields(body, fields, kMessageBodyFields);
    return fields;
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
