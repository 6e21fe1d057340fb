// SPDX-License-Identifier: GPL-3.0-or-later
// The character set of names and texts ("+CSCS") and the codings it gives the text fields.
#include <QStringList>
#include <optional>

#include "pdu/GsmAlphabet.h"
#include "phonesim/PhoneSimCommandTable.h"
#include "phonesim/PhoneSimState.h"

namespace {

using Kind = PhoneSimCommand::Kind;

const QStringList kOffered = {"IRA", "GSM", "UCS2", "8859-1"};

// Four hex digits per UTF-16 unit; nothing when the field is not that.
std::optional<QString> fromUcs2Hex(const QByteArray& field) {
    if (field.size() % 4 != 0)
        return std::nullopt;
    QString text;
    for (qsizetype i = 0; i < field.size(); i += 4) {
        bool ok = false;
        const ushort unit = field.mid(i, 4).toUShort(&ok, 16);
        if (!ok)
            return std::nullopt;
        text.append(QChar(unit));
    }
    return text;
}

PhoneSimAnswer selectCharset(PhoneSimState& state, const PhoneSimCommand& command) {
    switch (command.kind) {
        case Kind::Test:
            return {PhoneSimReply::linesThenOk({"+CSCS: (\"IRA\",\"GSM\",\"UCS2\",\"8859-1\")"}),
                    {}};
        case Kind::Query:
            return {PhoneSimReply::linesThenOk({"+CSCS: \"" + state.charset.toLatin1() + '"'}), {}};
        case Kind::Set: {
            const QList<QByteArray> fields = command.fields();
            const QString name = QString::fromLatin1(fields.value(0)).trimmed().toUpper();
            if (fields.size() != 1 || !kOffered.contains(name) ||
                state.refusedCharsets.contains(name, Qt::CaseInsensitive))
                return PhoneSimAnswers::error();
            state.charset = name;
            return PhoneSimAnswers::ok();
        }
        case Kind::Action:
            break;
    }
    return PhoneSimAnswers::error();
}

}  // namespace

QByteArray PhoneSimState::encodeText(const QString& text) const {
    if (charset == QLatin1String("UCS2")) {
        QByteArray hex;
        for (const QChar c : text)
            hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
        return hex;
    }
    if (charset == QLatin1String("GSM"))
        return gsmEncode(text).septets;
    // A character the 8-bit set lacks shows as "?", as such a phone shows it.
    return text.toLatin1();
}

QString PhoneSimState::decodeText(const QByteArray& field) const {
    if (charset == QLatin1String("UCS2"))
        return fromUcs2Hex(field).value_or(QString::fromLatin1(field));
    if (charset == QLatin1String("GSM"))
        return gsmDecode(field);
    return QString::fromLatin1(field);
}

// Phones differ in whether numbers follow the set; this one takes both.
QString PhoneSimState::decodeNumber(const QByteArray& field) const {
    if (charset == QLatin1String("UCS2")) {
        const std::optional<QString> text = fromUcs2Hex(field);
        if (text && !text->isEmpty())
            return *text;
    }
    return QString::fromLatin1(field);
}

void registerCharsetCommands(PhoneSimCommandTable& table) {
    table.add("+CSCS", selectCharset);
}
