// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/VCardFormat.h"

#include <QStringDecoder>

namespace {

struct PhysicalLine {
    QByteArray bytes;
    int number = 0;
};

QList<PhysicalLine> physicalLines(QByteArray bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    QList<PhysicalLine> lines;
    int number = 0;
    for (QByteArray line : bytes.split('\n')) {
        ++number;
        if (line.endsWith('\r')) {
            line.chop(1);
        }
        lines.append({line, number});
    }
    // The split leaves one empty piece behind a final line end.
    if (!lines.isEmpty() && lines.last().bytes.isEmpty()) {
        lines.removeLast();
    }
    return lines;
}

// Where the value begins: the first colon outside double quotes, or -1.
qsizetype colonOf(const QByteArray& line) {
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == '"') {
            quoted = !quoted;
        } else if (line[i] == ':' && !quoted) {
            return i;
        }
    }
    return -1;
}

QList<QByteArray> splitOutsideQuotes(const QByteArray& text, char separator) {
    QList<QByteArray> parts;
    QByteArray part;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == separator && !quoted) {
            parts.append(part);
            part.clear();
            continue;
        }
        part += c;
    }
    parts.append(part);
    return parts;
}

bool isQuotedPrintable(const QByteArray& line) {
    const qsizetype colon = colonOf(line);
    return colon > 0 && line.left(colon).toUpper().contains("QUOTED-PRINTABLE");
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}

// False on an '=' that is neither a soft break nor followed by two hex digits.
bool decodeQuotedPrintable(const QByteArray& encoded, QByteArray& decoded) {
    decoded.clear();
    for (qsizetype i = 0; i < encoded.size(); ++i) {
        if (encoded[i] != '=') {
            decoded += encoded[i];
            continue;
        }
        if (i + 1 == encoded.size()) {
            break;  // a soft break at the very end
        }
        const int high = i + 2 < encoded.size() ? hexValue(encoded[i + 1]) : -1;
        const int low = i + 2 < encoded.size() ? hexValue(encoded[i + 2]) : -1;
        if (high < 0 || low < 0) {
            return false;
        }
        decoded += char(high * 16 + low);
        i += 2;
    }
    return true;
}

QString unquoted(const QByteArray& text) {
    QByteArray value = text.trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"')) {
        value = value.mid(1, value.size() - 2);
    }
    return QString::fromUtf8(value);
}

// Decodes one logical line into a property; returns an error text when it cannot be read.
QString parseProperty(const QByteArray& line, int number, VCardProperty& property) {
    const qsizetype colon = colonOf(line);
    if (colon <= 0) {
        return QStringLiteral("line %1: a property without a name and ':'").arg(number);
    }
    const QList<QByteArray> header = splitOutsideQuotes(line.left(colon), ';');
    QString name = QString::fromLatin1(header.first()).trimmed().toUpper();
    if (const qsizetype dot = name.lastIndexOf(u'.'); dot >= 0) {
        name = name.mid(dot + 1);  // a group prefix such as item1.TEL
    }
    property.name = name;
    property.line = number;
    QString encoding;
    QString charset;
    for (qsizetype i = 1; i < header.size(); ++i) {
        const QByteArray& parameter = header[i];
        const qsizetype equals = parameter.indexOf('=');
        if (equals < 0) {
            const QString bare = unquoted(parameter).toUpper();
            if (bare == QLatin1String("QUOTED-PRINTABLE") || bare == QLatin1String("BASE64") ||
                bare == QLatin1String("8BIT") || bare == QLatin1String("7BIT")) {
                encoding = bare;
            } else if (!bare.isEmpty()) {
                property.types.insert(bare);
            }
            continue;
        }
        const QString key = QString::fromLatin1(parameter.left(equals)).trimmed().toUpper();
        const QByteArray value = parameter.mid(equals + 1);
        if (key == QLatin1String("TYPE")) {
            for (const QByteArray& type : splitOutsideQuotes(value, ',')) {
                if (const QString upper = unquoted(type).toUpper(); !upper.isEmpty()) {
                    property.types.insert(upper);
                }
            }
        } else if (key == QLatin1String("ENCODING")) {
            encoding = unquoted(value).toUpper();
        } else if (key == QLatin1String("CHARSET")) {
            charset = unquoted(value);
        }
    }

    QByteArray raw = line.mid(colon + 1);
    if (encoding == QLatin1String("QUOTED-PRINTABLE")) {
        QByteArray decoded;
        if (!decodeQuotedPrintable(raw, decoded)) {
            return QStringLiteral("line %1: broken quoted-printable text").arg(number);
        }
        raw = decoded;
    } else if (encoding == QLatin1String("B") || encoding == QLatin1String("BASE64")) {
        // Pictures and sounds: nothing here uses them, so they are kept undecoded.
        property.value = QString::fromLatin1(raw);
        return {};
    }

    if (charset.isEmpty() || charset.compare(QLatin1String("UTF-8"), Qt::CaseInsensitive) == 0) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString text = utf8.decode(raw);
        if (utf8.hasError()) {
            if (!charset.isEmpty()) {
                return QStringLiteral("line %1: text that is not UTF-8").arg(number);
            }
            // 2.1 writers without a CHARSET often mean the 8-bit Western set.
            text = QString::fromLatin1(raw);
        }
        property.value = text;
        return {};
    }
    QStringDecoder decoder(charset.toLatin1().constData());
    if (!decoder.isValid()) {
        return QStringLiteral("line %1: unknown character set %2").arg(number).arg(charset);
    }
    property.value = decoder.decode(raw);
    if (decoder.hasError()) {
        return QStringLiteral("line %1: text that is not %2").arg(number).arg(charset);
    }
    return {};
}

QString unescape(QStringView text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar next = text[++i];
        if (next == u'n' || next == u'N') {
            out += u'\n';
        } else if (next == u'\\' || next == u';' || next == u',' || next == u':') {
            out += next;
        } else {
            out += u'\\';
            out += next;
        }
    }
    return out;
}

}  // namespace

QString VCardProperty::text() const {
    return unescape(value);
}

QStringList VCardProperty::components() const {
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\') {
            ++i;
        } else if (value[i] == u';') {
            parts << unescape(QStringView(value).mid(start, i - start));
            start = i + 1;
        }
    }
    parts << unescape(QStringView(value).mid(start));
    return parts;
}

const VCardProperty* VCardCard::first(const QString& name) const {
    for (const VCardProperty& property : properties) {
        if (property.name == name) {
            return &property;
        }
    }
    return nullptr;
}

QList<const VCardProperty*> VCardCard::all(const QString& name) const {
    QList<const VCardProperty*> found;
    for (const VCardProperty& property : properties) {
        if (property.name == name) {
            found.append(&property);
        }
    }
    return found;
}

VCardReadResult readVCards(const QByteArray& bytes) {
    VCardReadResult result;
    const QList<PhysicalLine> lines = physicalLines(bytes);

    bool inCard = false;
    VCardCard card;
    QString cardProblem;
    auto skipCard = [&](const QString& why) {
        result.problems << QStringLiteral("card at line %1 skipped: %2").arg(card.line).arg(why);
    };

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const int number = lines[i].number;
        QByteArray logical = lines[i].bytes;
        // Unfold: a line that begins with white space continues the one before; in
        // quoted-printable text a final '=' carries the value on to the next line.
        while (i + 1 < lines.size()) {
            const QByteArray& next = lines[i + 1].bytes;
            if (logical.endsWith('=') && isQuotedPrintable(logical)) {
                logical.chop(1);
                logical += next;
            } else if (!next.isEmpty() && (next[0] == ' ' || next[0] == '\t')) {
                logical += next.mid(1);
            } else {
                break;
            }
            ++i;
        }
        if (logical.trimmed().isEmpty()) {
            continue;
        }

        VCardProperty property;
        const QString problem = parseProperty(logical, number, property);
        const bool isBegin =
            problem.isEmpty() && property.name == QLatin1String("BEGIN") &&
            property.value.trimmed().compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0;
        const bool isEnd =
            problem.isEmpty() && property.name == QLatin1String("END") &&
            property.value.trimmed().compare(QLatin1String("VCARD"), Qt::CaseInsensitive) == 0;
        if (!inCard) {
            if (isBegin) {
                inCard = true;
                card = VCardCard{};
                card.line = number;
                cardProblem.clear();
            } else {
                result.problems << QStringLiteral("line %1: text outside a card").arg(number);
            }
            continue;
        }
        if (isBegin) {
            skipCard(QStringLiteral("no END:VCARD before line %1").arg(number));
            card = VCardCard{};
            card.line = number;
            cardProblem.clear();
            continue;
        }
        if (isEnd) {
            inCard = false;
            if (cardProblem.isEmpty()) {
                result.cards.append(card);
            } else {
                skipCard(cardProblem);
            }
            continue;
        }
        if (!problem.isEmpty()) {
            if (cardProblem.isEmpty()) {
                cardProblem = problem;
            }
            continue;
        }
        card.properties.append(property);
    }
    if (inCard) {
        skipCard(QStringLiteral("no END:VCARD before the end of the file"));
    }
    return result;
}

void VCardWriter::begin() {
    property(QStringLiteral("BEGIN"), QStringLiteral("VCARD"));
    property(QStringLiteral("VERSION"), QStringLiteral("3.0"));
}

void VCardWriter::end() {
    property(QStringLiteral("END"), QStringLiteral("VCARD"));
}

void VCardWriter::property(const QString& nameAndParameters, const QString& value) {
    const QByteArray line = (nameAndParameters + u':' + value).toUtf8();
    constexpr qsizetype kLineOctets = 75;
    qsizetype start = 0;
    bool firstPiece = true;
    while (start < line.size()) {
        // A continuation line spends one octet on its leading space.
        qsizetype end = std::min(line.size(), start + (firstPiece ? kLineOctets : kLineOctets - 1));
        while (end < line.size() && end > start && (uchar(line[end]) & 0xC0) == 0x80) {
            --end;  // never between the bytes of one character
        }
        if (!firstPiece) {
            bytes_ += ' ';
        }
        bytes_ += line.mid(start, end - start);
        bytes_ += "\r\n";
        start = end;
        firstPiece = false;
    }
}

QString VCardWriter::escapeText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'\\' || c == u';' || c == u',') {
            out += u'\\';
            out += c;
        } else if (c == u'\r') {
            out += QStringLiteral("\\n");
            if (i + 1 < text.size() && text[i + 1] == u'\n') {
                ++i;
            }
        } else if (c == u'\n') {
            out += QStringLiteral("\\n");
        } else {
            out += c;
        }
    }
    return out;
}
