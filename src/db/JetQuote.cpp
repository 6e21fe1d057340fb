// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/JetQuote.h"

QString jetQuote(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString jetLikeEscape(const QString& text) {
    QString escaped;
    escaped.reserve(text.size() + 8);
    for (QChar c : text) {
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('#') ||
            c == QLatin1Char('[')) {
            escaped += QLatin1Char('[');
            escaped += c;
            escaped += QLatin1Char(']');
        } else {
            escaped += c;
        }
    }
    return escaped;
}

QString jetLikeContains(const QString& text) {
    return jetQuote(QLatin1Char('*') + jetLikeEscape(text) + QLatin1Char('*'));
}
