// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ScheduleCalendar.h"

#include "scheduler/ScheduleTexts.h"

namespace {

constexpr int kFirstHour = 6;
constexpr int kLastNextDayHour = 5;

// Appends a cell or joins the entry into it, keeping first-written order.
template <typename Join>
void place(QList<CalendarCell>& cells, int row, int column, const QString& text, bool past,
           Join join) {
    for (CalendarCell& cell : cells) {
        if (cell.row == row && cell.column == column) {
            cell.text = join(cell.text, text);
            cell.fullText += QLatin1Char('\n') + text;
            cell.past = cell.past || past;
            return;
        }
    }
    cells.append(CalendarCell{row, column, text, text, past});
}

}  // namespace

QString hourRowLabel(int row) {
    return QStringLiteral("%1 : 00  ").arg((row + 5) % 24);
}

QDate entryDate(const ScheduleEntry& entry) {
    return QDate(entry.year, entry.month, entry.date);
}

int hourRowOf(const ScheduleEntry& entry, const QDate& day) {
    const QDate date = entryDate(entry);
    if (!date.isValid()) {
        return 0;
    }
    if (date == day && entry.hour >= kFirstHour && entry.hour <= 23) {
        return entry.hour - 5;
    }
    if (date == day.addDays(1) && entry.hour >= 0 && entry.hour <= kLastNextDayHour) {
        return entry.hour + 19;
    }
    return 0;
}

QDateTime hourRowTime(const QDate& day, int row) {
    if (row >= 19) {
        return QDateTime(day.addDays(1), QTime(row - 19, 0));
    }
    return QDateTime(day, QTime(row + 5, 0));
}

QDate weekStart(const QDate& day) {
    return day.addDays(-(day.dayOfWeek() % 7));
}

void monthlyDayCell(const QDate& day, int* row, int* column) {
    const QDate first(day.year(), day.month(), 1);
    const int firstColumn = first.dayOfWeek() % 7;
    const int slot = firstColumn + day.day() - 1;
    *row = 2 * (slot / 7);
    *column = slot % 7;
}

QDate monthlyCellDay(const QDate& anyDayOfMonth, int row, int column) {
    const QDate first(anyDayOfMonth.year(), anyDayOfMonth.month(), 1);
    if (row < 0 || row >= kMonthRows || column < 0 || column > 6) {
        return {};
    }
    const int slot = (row / 2) * 7 + column - first.dayOfWeek() % 7;
    if (slot < 0 || slot >= first.daysInMonth()) {
        return {};
    }
    return first.addDays(slot);
}

QString shortenMonthlyLines(const QString& text) {
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (line.size() > kMonthlyLineChars) {
            line = line.left(kMonthlyLineChars - 4) + QStringLiteral("....");
        }
    }
    return lines.join(QLatin1Char('\n'));
}

bool entryIsPast(const ScheduleEntry& entry, const QDateTime& now) {
    const QDateTime time(entryDate(entry), QTime(entry.hour, entry.minute));
    return time.isValid() && time < now;
}

QList<CalendarCell> dailyCells(const QList<ScheduleEntry>& entries, const QDate& day,
                               const QDateTime& now) {
    QList<CalendarCell> cells;
    for (const ScheduleEntry& entry : entries) {
        const int row = hourRowOf(entry, day);
        if (row > 0) {
            place(cells, row, 1, scheduleCellText(entry.type, entry.contents),
                  entryIsPast(entry, now), [](const QString& held, const QString& added) {
                      return held + kDailyJoin + added;
                  });
        }
    }
    return cells;
}

QList<CalendarCell> weeklyCells(const QList<ScheduleEntry>& entries, const QDate& day,
                                const QDateTime& now) {
    QList<CalendarCell> cells;
    const QDate sunday = weekStart(day);
    for (int column = 1; column <= 7; ++column) {
        const QDate columnDay = sunday.addDays(column - 1);
        for (const ScheduleEntry& entry : entries) {
            const int row = hourRowOf(entry, columnDay);
            if (row > 0) {
                place(cells, row, column, scheduleCellText(entry.type, entry.contents),
                      entryIsPast(entry, now), [](const QString& held, const QString& added) {
                          const QString head = held.size() < 16 ? held : held.left(14);
                          return head + QStringLiteral("....") + kWeeklyJoin + added;
                      });
            }
        }
    }
    return cells;
}

QList<CalendarCell> monthlyCells(const QList<ScheduleEntry>& entries, const QDate& day) {
    QList<CalendarCell> cells;
    const QDate first(day.year(), day.month(), 1);
    for (int offset = 0; offset < first.daysInMonth(); ++offset) {
        const QDate cellDay = first.addDays(offset);
        int row = 0;
        int column = 0;
        monthlyDayCell(cellDay, &row, &column);
        for (const ScheduleEntry& entry : entries) {
            if (entryDate(entry) == cellDay) {
                place(cells, row + 1, column, scheduleCellText(entry.type, entry.contents), false,
                      [](const QString& held, const QString& added) {
                          return held + QLatin1Char('\n') + added;
                      });
            }
        }
    }
    for (CalendarCell& cell : cells) {
        cell.text = shortenMonthlyLines(cell.text);
    }
    return cells;
}
