// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/StandardAnswers.h"

#include <QRegularExpression>

#include "phone/IdentityAnswers.h"

namespace {

bool isFinalResult(const QString& line) {
    return line == QLatin1String("OK") || line.startsWith(QLatin1String("ERROR")) ||
           line.startsWith(QLatin1String("+CME ERROR")) ||
           line.startsWith(QLatin1String("+CMS ERROR"));
}

QString unquoted(QString text) {
    text = text.trimmed();
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"')) {
        text = text.mid(1, text.size() - 2);
    }
    return text;
}

}  // namespace

QString ParseIdentityAnswer(const QString& answer) {
    // An echoing phone puts the command first; without echo the answer opens with a line end.
    const QStringList lines = answer.split(QRegularExpression(QStringLiteral("[\r\n]+")));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || isFinalResult(line) ||
            (i == 0 && line.startsWith(QLatin1String("at"), Qt::CaseInsensitive))) {
            continue;
        }
        static const QRegularExpression prefix(QStringLiteral("^\\+CG(MI|MM|MR|SN):\\s*"));
        QString text = line;
        text.remove(prefix);
        return unquoted(text);
    }
    return {};
}

QStringList ParseOfferedNames(const QString& answer, const QString& marker) {
    const qsizetype at = answer.indexOf(marker);
    if (at < 0) {
        return {};
    }
    QString rest = answer.mid(at + marker.size());
    rest = rest.left(rest.indexOf(u'\r') < 0 ? rest.size() : rest.indexOf(u'\r'));
    const qsizetype open = rest.indexOf(u'(');
    if (open >= 0) {
        const qsizetype close = rest.indexOf(u')', open);
        rest = rest.mid(open + 1, close < 0 ? -1 : close - open - 1);
    }
    QStringList names;
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]*)\""));
    for (auto it = quoted.globalMatch(rest); it.hasNext();) {
        names.append(it.next().captured(1).trimmed().toUpper());
    }
    return names;
}

QString ParseOfferedModes(const QString& answer, const QString& marker) {
    const qsizetype at = answer.indexOf(marker);
    const qsizetype open = at < 0 ? -1 : answer.indexOf(u'(', at);
    const qsizetype close = open < 0 ? -1 : answer.indexOf(u')', open);
    return close < 0 ? QString() : answer.mid(open + 1, close - open - 1);
}

std::optional<PhonebookBounds> ParsePhonebookBounds(const QString& answer) {
    static const QRegularExpression shape(
        QStringLiteral("\\+CPBR:\\s*\\(?\\s*(\\d+)\\s*-\\s*(\\d+)\\s*\\)?\\s*(?:,\\s*(\\d*)\\s*)?(?"
                       ":,\\s*(\\d*))?"));
    const QRegularExpressionMatch match = shape.match(answer);
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    PhonebookBounds bounds;
    bounds.first = match.captured(1).toInt();
    bounds.last = match.captured(2).toInt();
    bounds.numberLength = LeadingDecimal(match.captured(3)).value_or(0);
    bounds.textLength = LeadingDecimal(match.captured(4)).value_or(0);
    if (bounds.last < bounds.first) {
        return std::nullopt;
    }
    return bounds;
}
