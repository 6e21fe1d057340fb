// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/ScheduleAnswers.h"

#include <QStringList>

#include "link/LeadingInteger.h"
#include "link/SplitFields.h"

namespace {

constexpr int kFieldCount = 7;

// Cuts at the first separator; without one the part before is empty and the whole text is
// the part after.
void cutAt(const QString& text, QChar separator, QString& before, QString& after) {
    const qsizetype at = text.indexOf(separator);
    if (at < 0) {
        before.clear();
        after = text;
        return;
    }
    before = text.left(at);
    after = text.mid(at + 1);
}

}  // namespace

bool ParseScheduleAnswer(const QString& answer, ScheduleEntry& entry) {
    if (answer.isEmpty()) {
        return false;
    }
    QStringList fields;
    SplitFields(answer, fields, kFieldCount);

    ScheduleEntry parsed;
    parsed.index = leadingInteger(fields[0]);
    parsed.type = leadingInteger(fields[1]);
    parsed.alarm = leadingInteger(fields[2]) != 0 ? 1 : 0;

    QString year;
    QString monthAndDay;
    cutAt(fields[3], '/', year, monthAndDay);
    QString month;
    QString day;
    cutAt(monthAndDay, '/', month, day);
    parsed.year = leadingInteger(year);
    parsed.month = leadingInteger(month);
    parsed.date = leadingInteger(day);

    QString hour;
    QString minute;
    cutAt(fields[4], ':', hour, minute);
    parsed.hour = leadingInteger(hour);
    parsed.minute = leadingInteger(minute);

    if (parsed.alarm) {
        cutAt(fields[5], ':', hour, minute);
        parsed.alarmHour = leadingInteger(hour);
        parsed.alarmMinute = leadingInteger(minute);
        parsed.contents = fields[6];
    } else {
        parsed.contents = fields[5];
    }
    entry = parsed;
    return true;
}
