// SPDX-License-Identifier: GPL-3.0-or-later
// The painting of a calendar page: the date line, the day headings in their weekday colours,
// and the entries of the shown days.

#include <QLabel>
#include <QTableWidget>

#include "platform/PresentTime.h"
#include "scheduler/ScheduleEditing.h"
#include "scheduler/ScheduleTexts.h"
#include "scheduler/ui/CalendarPage.h"
#include "scheduler/ui/ScheduleContext.h"

namespace {

const QColor kSundayText(200, 0, 0);
const QColor kSaturdayText(4, 0, 197);
const QColor kSundayBack(255, 230, 230);
const QColor kSaturdayBack(214, 224, 255);
const QColor kWeekdayBack(230, 230, 230);
const QColor kPastText(100, 100, 100);
const QColor kPastBack(230, 230, 230);

QColor dayTextColour(const QDate& day) {
    switch (day.dayOfWeek()) {
        case Qt::Sunday:
            return kSundayText;
        case Qt::Saturday:
            return kSaturdayText;
        default:
            return Qt::black;
    }
}

QColor dayBackColour(const QDate& day) {
    switch (day.dayOfWeek()) {
        case Qt::Sunday:
            return kSundayBack;
        case Qt::Saturday:
            return kSaturdayBack;
        default:
            return kWeekdayBack;
    }
}

}  // namespace

void CalendarPage::paintDayCell(int row, int column, const QDate& day) {
    QTableWidgetItem* item = itemAt(row, column);
    item->setText(day.isValid() ? QString::number(day.day()) : QString());
    item->setForeground(day.isValid() ? dayTextColour(day) : QColor(Qt::black));
    item->setBackground(day.isValid() ? dayBackColour(day) : QColor(Qt::white));
}

void CalendarPage::drawDateLine() {
    const QDate day = chosenDate();
    dateLine_->setText(scheduleDateText(day.year(), day.month(), day.day()));
    QPalette palette = dateLine_->palette();
    // On the button-face background the label draws in the button text colour.
    palette.setColor(QPalette::WindowText, dayTextColour(day));
    palette.setColor(QPalette::ButtonText, dayTextColour(day));
    dateLine_->setPalette(palette);
}

void CalendarPage::drawHeader() {
    const QDate day = chosenDate();
    if (kind_ == Daily) {
        paintDayCell(0, 1, day);
        itemAt(0, 1)->setTextAlignment(Qt::AlignCenter);
    } else if (kind_ == Weekly) {
        const QDate sunday = weekStart(day);
        for (int column = 1; column <= 7; ++column) {
            paintDayCell(0, column, sunday.addDays(column - 1));
            itemAt(0, column)->setTextAlignment(Qt::AlignCenter);
        }
    } else {
        for (int row = 0; row < kMonthRows; row += 2) {
            for (int column = 0; column < 7; ++column) {
                const QDate cellDay = monthlyCellDay(day, row, column);
                paintDayCell(row, column, cellDay);
                QTableWidgetItem* item = itemAt(row, column);
                item->setForeground(cellDay.isValid() ? dayTextColour(cellDay) : QColor(Qt::black));
                // The column, not the day, gives the background.
                item->setBackground(column == 0   ? kSundayBack
                                    : column == 6 ? kSaturdayBack
                                                  : kWeekdayBack);
            }
        }
    }
}

void CalendarPage::blankFilledCells() {
    for (const auto& [row, column] : filled_) {
        QTableWidgetItem* item = itemAt(row, column);
        item->setText(QString());
        item->setData(Qt::UserRole, QVariant());
        item->setForeground(QColor(Qt::black));
        item->setBackground(QColor(Qt::white));
    }
    filled_.clear();
}

void CalendarPage::fill() {
    blankFilledCells();
    const QList<ScheduleEntry> entries =
        shownScheduleEntries(context_.link, *context_.phoneSchedule, *context_.reminders);
    const QDate day = chosenDate();
    QList<CalendarCell> cells;
    switch (kind_) {
        case Daily:
            cells = dailyCells(entries, day, presentTime());
            break;
        case Weekly:
            cells = weeklyCells(entries, day, presentTime());
            break;
        case Monthly:
            cells = monthlyCells(entries, day);
            break;
    }
    for (const CalendarCell& cell : cells) {
        QTableWidgetItem* item = itemAt(cell.row, cell.column);
        item->setText(cell.text);
        item->setData(Qt::UserRole, cell.fullText);
        item->setTextAlignment(Qt::AlignLeft |
                               (kind_ == Monthly ? Qt::AlignTop : Qt::AlignVCenter));
        item->setForeground(cell.past ? kPastText : QColor(Qt::black));
        item->setBackground(cell.past ? kPastBack : QColor(Qt::white));
        filled_.append({cell.row, cell.column});
    }
}
