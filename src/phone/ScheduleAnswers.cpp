#include "phone/ScheduleAnswers.h"

#include <QStringList>

#include "link/SplitFields.h"

namespace {

constexpr int kFieldCount = 7;

// Blanks skipped, then the digits up to the first other character; 0 without digits.
int leadingNumber(const QString& text) {
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    qint64 value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && value < 100000000) {
        value = value * 10 + (text[pos].unicode() - '0');
        ++pos;
    }
    return static_cast<int>(negative ? -value : value);
}

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
    parsed.index = leadingNumber(fields[0]);
    parsed.type = leadingNumber(fields[1]);
    parsed.alarm = leadingNumber(fields[2]) != 0 ? 1 : 0;

    QString year;
    QString monthAndDay;
    cutAt(fields[3], '/', year, monthAndDay);
    QString month;
    QString day;
    cutAt(monthAndDay, '/', month, day);
    parsed.year = leadingNumber(year);
    parsed.month = leadingNumber(month);
    parsed.date = leadingNumber(day);

    QString hour;
    QString minute;
    cutAt(fields[4], ':', hour, minute);
    parsed.hour = leadingNumber(hour);
    parsed.minute = leadingNumber(minute);

    if (parsed.alarm) {
        cutAt(fields[5], ':', hour, minute);
        parsed.alarmHour = leadingNumber(hour);
        parsed.alarmMinute = leadingNumber(minute);
        parsed.contents = fields[6];
    } else {
        parsed.contents = fields[5];
    }
    entry = parsed;
    return true;
}
