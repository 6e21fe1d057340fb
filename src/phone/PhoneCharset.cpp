// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/PhoneCharset.h"

#include <QList>
#include <QSet>
#include <QtDebug>
#include <algorithm>

#include "pdu/GsmAlphabet.h"

namespace {

QString codeOf(char32_t c) {
    return QStringLiteral("%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
}

QString refusal(const QString& what) {
    return QStringLiteral("The text cannot be sent to the phone: it holds %1.").arg(what);
}

bool isDialCharacter(QChar c) {
    return (c >= u'0' && c <= u'9') || QStringView(u"+*#pwPW").contains(c);
}

// Four hex digits per UTF-16 unit, no lone surrogate; nullopt when the field is not that.
std::optional<QString> ucs2FromHex(const QString& field) {
    if (field.size() % 4 != 0) {
        return std::nullopt;
    }
    QString text;
    text.reserve(field.size() / 4);
    for (qsizetype i = 0; i < field.size(); i += 4) {
        char16_t unit = 0;
        for (qsizetype j = i; j < i + 4; ++j) {
            const int digit = QStringView(u"0123456789ABCDEF").indexOf(field[j].toUpper());
            if (digit < 0 || field[j].unicode() > 0x7F) {
                return std::nullopt;
            }
            unit = static_cast<char16_t>(unit * 16 + digit);
        }
        text.append(QChar(unit));
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
        } else if (text[i].isSurrogate()) {
            return std::nullopt;
        }
    }
    return text;
}

QString ucs2Problem(const QString& text, PhoneTextKind kind) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        if (c.isSurrogate()) {
            return refusal(QStringLiteral("a lone surrogate (U+%1)").arg(codeOf(c.unicode())));
        }
        const bool lineEnd = c == u'\r' || c == u'\n';
        const bool control = c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0);
        if (control && c != u'\t' && !(lineEnd && kind == PhoneTextKind::MessageText)) {
            return refusal(QStringLiteral("a control character (code %1)").arg(c.unicode()));
        }
    }
    return {};
}

// Characters of the alphabet whose octet a command line cannot carry.
QString gsmOctetProblem(char32_t c, PhoneTextKind kind) {
    switch (c) {
        case U'"':
            return QStringLiteral("a double quote (\")");
        case U'@':
            return QStringLiteral(
                "the character \"@\", which the GSM alphabet sends as a NUL "
                "character (code 0)");
        case U'\u039E':
            return QStringLiteral(
                "the character \"\u039E\", which the GSM alphabet sends as a "
                "Ctrl-Z character (code 26)");
        case U'\r':
            return kind == PhoneTextKind::MessageText ? QString()
                                                      : QStringLiteral("a carriage return (CR)");
        case U'\n':
            return kind == PhoneTextKind::MessageText ? QString()
                                                      : QStringLiteral("a line feed (LF)");
        default:
            return {};
    }
}

QString gsmProblem(const QString& text, PhoneTextKind kind) {
    for (const uint point : text.toUcs4()) {
        const auto c = static_cast<char32_t>(point);
        if (gsmSeptetsOf(c) == 0) {
            const QString shown = c < 0x20 ? QString() : QString::fromUcs4(&c, 1);
            return refusal(c < 0x20 ? QStringLiteral("a control character (code %1)").arg(point)
                                    : QStringLiteral("the character \"%1\" (U+%2), which is "
                                                     "outside the GSM alphabet")
                                          .arg(shown, codeOf(c)));
        }
        const QString octet = gsmOctetProblem(c, kind);
        if (!octet.isEmpty()) {
            return refusal(octet);
        }
    }
    return {};
}

}  // namespace

QString phoneCharsetValue(PhoneCharset set) {
    switch (set) {
        case PhoneCharset::Ucs2:
            return QStringLiteral("ucs2");
        case PhoneCharset::Gsm:
            return QStringLiteral("gsm");
        case PhoneCharset::Latin1:
            break;
    }
    return QStringLiteral("latin1");
}

std::optional<PhoneCharset> phoneCharsetFromValue(const QString& value) {
    for (const PhoneCharset set : {PhoneCharset::Latin1, PhoneCharset::Ucs2, PhoneCharset::Gsm}) {
        if (value == phoneCharsetValue(set)) {
            return set;
        }
    }
    return std::nullopt;
}

QString phoneCharsetCommandName(PhoneCharset set) {
    switch (set) {
        case PhoneCharset::Ucs2:
            return QStringLiteral("UCS2");
        case PhoneCharset::Gsm:
            return QStringLiteral("GSM");
        case PhoneCharset::Latin1:
            break;
    }
    return {};
}

QString phoneCharsetLabel(PhoneCharset set) {
    switch (set) {
        case PhoneCharset::Ucs2:
            return QStringLiteral("Unicode (UCS2)");
        case PhoneCharset::Gsm:
            return QStringLiteral("GSM alphabet");
        case PhoneCharset::Latin1:
            break;
    }
    return QStringLiteral("Phone default (Latin-1)");
}

QString encodeForPhone(const QString& text, PhoneCharset set) {
    switch (set) {
        case PhoneCharset::Ucs2: {
            QString hex;
            hex.reserve(text.size() * 4);
            for (const QChar c : text) {
                hex += codeOf(c.unicode());
            }
            return hex;
        }
        case PhoneCharset::Gsm:
            // 27.007 has the TE send the alphabet's own octets under "GSM" (not hex), one per
            // septet, an extension character as the escape octet and its code; hence the octets
            // phoneCharsetProblem refuses.
            return QString::fromLatin1(gsmEncode(text).septets);
        case PhoneCharset::Latin1:
            break;
    }
    return text;
}

PhoneFieldText decodeFromPhone(const QString& field, PhoneCharset set, PhoneTextKind kind) {
    switch (set) {
        case PhoneCharset::Ucs2: {
            const std::optional<QString> text = ucs2FromHex(field);
            if (kind == PhoneTextKind::Number) {
                const bool dial = text && !text->isEmpty() &&
                                  std::all_of(text->begin(), text->end(), isDialCharacter);
                return {dial ? *text : field, false};
            }
            return text ? PhoneFieldText{*text, false} : PhoneFieldText{field, true};
        }
        case PhoneCharset::Gsm: {
            if (kind == PhoneTextKind::Number) {
                return {field, false};
            }
            const bool septets =
                std::all_of(field.begin(), field.end(), [](QChar c) { return c.unicode() < 0x80; });
            return septets ? PhoneFieldText{gsmDecode(field.toLatin1()), false}
                           : PhoneFieldText{field, true};
        }
        case PhoneCharset::Latin1:
            break;
    }
    return {field, false};
}

QString phoneCharsetProblem(const QString& text, PhoneTextKind kind, PhoneCharset set) {
    if (set == PhoneCharset::Latin1 || kind == PhoneTextKind::Number) {
        return defaultSetTextProblem(text, kind);
    }
    return set == PhoneCharset::Ucs2 ? ucs2Problem(text, kind) : gsmProblem(text, kind);
}

QString phoneFieldText(const QString& field, PhoneCharset set, PhoneTextKind kind) {
    const PhoneFieldText decoded = decodeFromPhone(field, set, kind);
    if (decoded.malformed) {
        // Bounded: a phone sending garbage all day must not grow the set without end.
        static QSet<QString> logged;
        if (logged.size() < 256 && !logged.contains(field)) {
            logged.insert(field);
            qWarning("The phone sent a field that is not valid %s; kept as sent: %s",
                     qPrintable(phoneCharsetCommandName(set)), qPrintable(field.left(80)));
        }
    }
    return decoded.text;
}

int phoneTextLength(const QString& text, PhoneCharset set) {
    switch (set) {
        case PhoneCharset::Ucs2:
            return static_cast<int>(text.size());
        case PhoneCharset::Gsm:
            return gsmSeptetCount(text);
        case PhoneCharset::Latin1:
            break;
    }
    return static_cast<int>(text.size());
}
