// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/CalendarParts.h"

#include <QRegularExpression>
#include <QTimeZone>

#include "phone/ScheduleEntry.h"

namespace {

struct Category {
    int type;
    const char* name;
};
const Category kCategories[] = {
    {ScheduleReminder, "Reminder"},
    {ScheduleCall, "Call"},
    {ScheduleMeeting, "Meeting"},
    {ScheduleBirthday, "Birthday"},
};

}  // namespace

const char* scheduleCategory(int type) {
    for (const Category& c : kCategories) {
        if (c.type == type) {
            return c.name;
        }
    }
    return kCategories[0].name;
}

int typeOfCategory(const QString& category) {
    const QString name = category.trimmed();
    for (const Category& c : kCategories) {
        if (name.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0) {
            return c.type;
        }
    }
    if (name.compare(QLatin1String("PHONE CALL"), Qt::CaseInsensitive) == 0) {
        return ScheduleCall;
    }
    return 0;
}

QDateTime parseDoneDate(const QString& doneDate) {
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d+)-(\\d+)-(\\d+)\\s+(\\d+):(\\d+)\\s*$"));
    const QRegularExpressionMatch m = form.match(doneDate);
    if (!m.hasMatch()) {
        return {};
    }
    const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt());
    if (!date.isValid() || !time.isValid()) {
        return {};
    }
    return QDateTime(date, time, QTimeZone::utc());
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString lineReason(int line, const QString& why) {
    return QStringLiteral("line %1: %2").arg(line).arg(why);
}
