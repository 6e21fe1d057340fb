// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include "phone/ScheduleEntry.h"

// Where the calendar pages put entries. The Daily and Weekly grids have a header row and 24
// hour rows, 6 : 00 of the chosen day down to 5 : 00 of the next; the Monthly grid has six
// pairs of rows, day numbers above and that week's entries below.

inline constexpr int kHourRows = 25;
inline constexpr int kMonthRows = 12;
inline const QString kDailyJoin = QStringLiteral(",   ");
inline const QString kWeeklyJoin = QStringLiteral("   ");
inline constexpr int kMonthlyLineChars = 18;

// One grid cell a fill writes.
struct CalendarCell {
    int row = 0;
    int column = 0;
    QString text;       // as shown
    QString fullText;   // every entry uncut, one per line (the Monthly page shortens its lines)
    bool past = false;  // an entry of the cell lies before the present time: drawn grey

    bool operator==(const CalendarCell&) const = default;
};

// "%d : 00  " for hour rows 1 to 24.
QString hourRowLabel(int row);
// The hour row of an entry on the page of `day`, or 0 when that page does not show it.
int hourRowOf(const ScheduleEntry& entry, const QDate& day);
// The date and hour an hour row stands for, minute 0.
QDateTime hourRowTime(const QDate& day, int row);
// The Sunday that starts the week of the day.
QDate weekStart(const QDate& day);

// Monthly grid: the day-number cell of a day (its entries are in the row below), and the day
// whose number or entries a cell holds (invalid outside the month).
void monthlyDayCell(const QDate& day, int* row, int* column);
QDate monthlyCellDay(const QDate& anyDayOfMonth, int row, int column);
// Cuts every line longer than kMonthlyLineChars to fit, marking the cut with "....".
QString shortenMonthlyLines(const QString& text);

// The fills, in the order cells are first written; `entries` in table order.
QList<CalendarCell> dailyCells(const QList<ScheduleEntry>& entries, const QDate& day,
                               const QDateTime& now);
QList<CalendarCell> weeklyCells(const QList<ScheduleEntry>& entries, const QDate& day,
                                const QDateTime& now);
QList<CalendarCell> monthlyCells(const QList<ScheduleEntry>& entries, const QDate& day);

bool entryIsPast(const ScheduleEntry& entry, const QDateTime& now);
QDate entryDate(const ScheduleEntry& entry);
