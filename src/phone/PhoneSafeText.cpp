// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/PhoneSafeText.h"

#include <QStringList>

#include "phone/AppState.h"
#include "phone/PhoneCharset.h"

namespace {

QString describe(char32_t c) {
    switch (c) {
        case U'"':
            return QStringLiteral("a double quote (\")");
        case U'\r':
            return QStringLiteral("a carriage return (CR)");
        case U'\n':
            return QStringLiteral("a line feed (LF)");
        case 26:
            return QStringLiteral("a Ctrl-Z character (code 26)");
        case 27:
            return QStringLiteral("an ESC character (code 27)");
        case 0:
            return QStringLiteral("a NUL character (code 0)");
        default:
            break;
    }
    const QString shown = QString::fromUcs4(&c, 1);
    if (c > 0xFF) {
        const QString code =
            QStringLiteral("%1").arg(static_cast<uint>(c), 4, 16, QLatin1Char('0')).toUpper();
        return QStringLiteral("the character \"%1\" (U+%2), which is outside Latin-1")
            .arg(shown, code);
    }
    if (c < 0x20 || c == 0x7F) {
        return QStringLiteral("a control character (code %1)").arg(static_cast<uint>(c));
    }
    return QStringLiteral("the character \"%1\"").arg(shown);
}

bool breaksCommandLine(char32_t c, PhoneTextKind kind) {
    switch (c) {
        case U'\r':
        case U'\n':
            return kind != PhoneTextKind::MessageText;
        // A quote also breaks the field cut of the answer that reads a message back.
        case U'"':
        case 0:
        case 26:
        case 27:
            return true;
        // The field cut of every read answer drops this byte, so a name or contents holding it
        // would read back without it; a message text is read back whole.
        case 0xFF:
            return kind != PhoneTextKind::MessageText;
        default:
            // The phone edits its command line with backspace (and may act on other
            // controls), so what it stored would not be what the table holds.
            return c > 0xFF || (c < 0x20 && c != U'\t') || c == 0x7F;
    }
}

bool isDiallingCharacter(char32_t c) {
    for (const char* p = kDiallingCharacters; *p; ++p) {
        if (c == static_cast<unsigned char>(*p)) {
            return true;
        }
    }
    return false;
}

}  // namespace

QString phoneSafeTextProblem(const QString& text, PhoneTextKind kind) {
    if (kind == PhoneTextKind::MessageUnit) {
        return {};
    }
    const PhoneCharset set =
        kind == PhoneTextKind::Contents ? PhoneCharset::Latin1 : phoneTextCharset();
    return phoneCharsetProblem(text, kind, set);
}

QString defaultSetTextProblem(const QString& text, PhoneTextKind kind) {
    const QList<uint> codePoints = text.toUcs4();
    for (const uint point : codePoints) {
        const auto c = static_cast<char32_t>(point);
        if (kind == PhoneTextKind::Number) {
            if (!isDiallingCharacter(c)) {
                return QStringLiteral(
                           "The number cannot be sent to the phone: it holds %1. A number may "
                           "hold only digits and + * # P p W w / ,")
                    .arg(describe(c));
            }
            continue;
        }
        if (breaksCommandLine(c, kind)) {
            return QStringLiteral("The text cannot be sent to the phone: it holds %1.")
                .arg(describe(c));
        }
    }
    return {};
}
