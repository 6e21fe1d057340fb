// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// One to-do item as the phone's read answer gives it (after "+CTDR: "):
//   index,priority,year/month/day,"contents",done year/month/day,done hour:minute
// The done fields are empty while the item is not done.
struct TodoAnswer {
    int index = 0;
    int priority = 0;
    int year = 0;
    int month = 0;
    int day = 0;
    QString contents;
    QString doneDate;  // as sent: year/month/day
    QString doneTime;  // as sent: hour:minute

    bool done() const { return !doneDate.isEmpty(); }
};

// Cuts a read answer into its six fields. Numbers that are not numbers read as 0.
TodoAnswer ParseTodoAnswer(const QString& answerText);

// The stored done-date text "day-month-year hour:minute", each part exactly as the phone sent
// it ("2001/10/9" and "14:05" give "9-10-2001 14:05"); empty when the item is not done.
QString TodoDoneDateText(const QString& doneDate, const QString& doneTime);
