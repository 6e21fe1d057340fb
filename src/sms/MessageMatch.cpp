// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/MessageMatch.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace {

// The table keeps CR LF and other programs a bare line feed: both are the same text.
QString keyOf(const QString& number, const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return number + u'\n' + plain;
}

}  // namespace

QDateTime timeOfStamp(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral(
        R"(^\s*(\d{2})/(\d{2})/(\d{2}),(\d{2}):(\d{2}):(\d{2})(?:([+-])(\d{1,2}))?\s*$)"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return {};
    }
    const int yy = match.captured(1).toInt();
    const QDate date(yy < 70 ? 2000 + yy : 1900 + yy, match.captured(2).toInt(),
                     match.captured(3).toInt());
    const QTime time(match.captured(4).toInt(), match.captured(5).toInt(),
                     match.captured(6).toInt());
    if (!date.isValid() || !time.isValid()) {
        return {};
    }
    if (match.captured(7).isEmpty()) {
        return QDateTime(date, time);
    }
    const int quarters = match.captured(8).toInt() * (match.captured(7) == u'-' ? -1 : 1);
    return QDateTime(date, time, QTimeZone(quarters * 15 * 60));
}

QString stampOfTime(const QDateTime& time) {
    const int quarters = time.offsetFromUtc() / (15 * 60);
    return time.toString(QStringLiteral("yy/MM/dd,hh:mm:ss")) + (quarters < 0 ? u'-' : u'+') +
           QStringLiteral("%1").arg(std::abs(quarters), 2, 10, QLatin1Char('0'));
}

void MessageIndex::add(const QString& number, const QString& date, const QString& text) {
    times_[keyOf(number, text)].append(timeOfStamp(date));
}

bool MessageIndex::contains(const QString& number, const QString& date, const QString& text) const {
    const auto found = times_.constFind(keyOf(number, text));
    if (found == times_.constEnd()) {
        return false;
    }
    const QDateTime time = timeOfStamp(date);
    for (const QDateTime& known : *found) {
        if (!time.isValid() || !known.isValid() || known == time) {
            return true;
        }
    }
    return false;
}
