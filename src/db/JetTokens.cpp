// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/JetTokens.h"

namespace {

bool isNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}

bool isNameChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

}  // namespace

bool tokenize(const QString& s, QList<Token>* tokens, QString* error) {
    int i = 0;
    const int n = s.size();
    while (i < n) {
        const QChar c = s[i];
        if (c.isSpace()) {
            ++i;
            continue;
        }
        Token t;
        t.at = i;
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            ++i;
            QString text;
            bool closed = false;
            while (i < n) {
                if (s[i] == c) {
                    if (i + 1 < n && s[i + 1] == c) {
                        text += c;
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                text += s[i++];
            }
            if (!closed) {
                *error = QStringLiteral("unterminated text literal at position %1").arg(t.at + 1);
                return false;
            }
            t.kind = Tok::String;
            t.text = text;
        } else if (c == QLatin1Char('[')) {
            const int close = s.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) {
                *error = QStringLiteral("unterminated [name] at position %1").arg(t.at + 1);
                return false;
            }
            t.kind = Tok::Name;
            t.text = s.mid(i + 1, close - i - 1);
            t.bracketed = true;
            i = close + 1;
        } else if (c.isDigit() || (c == QLatin1Char('.') && i + 1 < n && s[i + 1].isDigit())) {
            int j = i;
            while (j < n && s[j].isDigit()) {
                ++j;
            }
            if (j < n && s[j] == QLatin1Char('.')) {
                ++j;
                while (j < n && s[j].isDigit()) {
                    ++j;
                }
            }
            if (j < n && isNameChar(s[j])) {
                *error = QStringLiteral("malformed number at position %1").arg(t.at + 1);
                return false;
            }
            t.kind = Tok::Number;
            t.text = s.mid(i, j - i);
            i = j;
        } else if (isNameStart(c)) {
            int j = i;
            while (j < n && isNameChar(s[j])) {
                ++j;
            }
            t.kind = Tok::Name;
            t.text = s.mid(i, j - i);
            i = j;
        } else if (c == QLatin1Char('(')) {
            t.kind = Tok::LParen;
            ++i;
        } else if (c == QLatin1Char(')')) {
            t.kind = Tok::RParen;
            ++i;
        } else if (c == QLatin1Char(',')) {
            t.kind = Tok::Comma;
            ++i;
        } else if (c == QLatin1Char('=') || c == QLatin1Char('<') || c == QLatin1Char('>') ||
                   c == QLatin1Char('-')) {
            t.kind = Tok::Op;
            if (c == QLatin1Char('<') && i + 1 < n &&
                (s[i + 1] == QLatin1Char('>') || s[i + 1] == QLatin1Char('='))) {
                t.text = s.mid(i, 2);
                i += 2;
            } else if (c == QLatin1Char('>') && i + 1 < n && s[i + 1] == QLatin1Char('=')) {
                t.text = s.mid(i, 2);
                i += 2;
            } else {
                t.text = c;
                ++i;
            }
        } else if (c == QLatin1Char('#')) {
            *error = QStringLiteral("date literals (#...#) are not supported");
            return false;
        } else {
            *error = QStringLiteral("unexpected character '%1' at position %2").arg(c).arg(i + 1);
            return false;
        }
        tokens->append(t);
    }
    Token end;
    end.at = n;
    tokens->append(end);
    return true;
}

bool isWord(const Token& t, const char* word) {
    return t.kind == Tok::Name && !t.bracketed &&
           t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}

bool isReservedWord(const Token& t) {
    static const char* const words[] = {"AND",  "OR",    "NOT", "LIKE", "IS",  "NULL",
                                        "TRUE", "FALSE", "YES", "NO",   "ASC", "DESC"};
    for (const char* w : words) {
        if (isWord(t, w)) {
            return true;
        }
    }
    return false;
}
