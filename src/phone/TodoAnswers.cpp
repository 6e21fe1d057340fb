// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/TodoAnswers.h"

#include <QStringList>

#include "link/SplitFields.h"

namespace {

constexpr int kTodoFields = 6;

// The decimal a field starts with (blanks and a sign allowed), 0 when there is none.
int decimalOf(const QString& text) {
    const QString trimmed = text.trimmed();
    qsizetype end = 0;
    if (end < trimmed.size() && (trimmed[end] == '+' || trimmed[end] == '-')) {
        ++end;
    }
    while (end < trimmed.size() && trimmed[end].isDigit() && trimmed[end].unicode() < 128) {
        ++end;
    }
    bool ok = false;
    const int value = trimmed.left(end).toInt(&ok);
    return ok ? value : 0;
}

// Cuts "a<sep>b<sep>c" at the first separator and the rest at the next one.
void cutThree(const QString& text, QChar separator, QString* first, QString* second,
              QString* third) {
    const qsizetype a = text.indexOf(separator);
    *first = a < 0 ? text : text.left(a);
    const QString rest = a < 0 ? QString() : text.mid(a + 1);
    const qsizetype b = rest.indexOf(separator);
    *second = b < 0 ? rest : rest.left(b);
    *third = b < 0 ? QString() : rest.mid(b + 1);
}

}  // namespace

TodoAnswer ParseTodoAnswer(const QString& answerText) {
    QStringList fields;
    SplitFields(answerText, fields, kTodoFields);
    TodoAnswer item;
    item.index = decimalOf(fields.value(0));
    item.priority = decimalOf(fields.value(1));
    QString year;
    QString month;
    QString day;
    cutThree(fields.value(2), '/', &year, &month, &day);
    item.year = decimalOf(year);
    item.month = decimalOf(month);
    item.day = decimalOf(day);
    item.contents = fields.value(3);
    item.doneDate = fields.value(4);
    item.doneTime = fields.value(5);
    return item;
}

QString TodoDoneDateText(const QString& doneDate, const QString& doneTime) {
    if (doneDate.isEmpty()) {
        return {};
    }
    QString year;
    QString month;
    QString day;
    cutThree(doneDate, '/', &year, &month, &day);
    const qsizetype colon = doneTime.indexOf(':');
    const QString hour = colon < 0 ? doneTime : doneTime.left(colon);
    const QString minute = colon < 0 ? QString() : doneTime.mid(colon + 1);
    return QStringLiteral("%1-%2-%3 %4:%5").arg(day, month, year, hour, minute);
}
