// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ui/ScheduleContext.h"

#include <QCalendarWidget>
#include <QTextCharFormat>

#include "scheduler/ScheduleEditing.h"

bool ScheduleContext::online() const {
    return scheduleOnline(link);
}

ScheduleSelection ScheduleContext::selection(bool anyHour) const {
    const QDate day = selected.date();
    return ScheduleSelection{day.year(), day.month(), day.day(),
                             anyHour ? -1 : selected.time().hour(), contents};
}

void colourScheduleCalendar(QCalendarWidget* calendar) {
    // The pages' grids run Sunday to Saturday; every small calendar beside them does too.
    calendar->setFirstDayOfWeek(Qt::Sunday);
    const QColor lightGrey(240, 240, 240);
    QPalette palette = calendar->palette();
    palette.setColor(QPalette::Base, lightGrey);
    palette.setColor(QPalette::Window, lightGrey);
    palette.setColor(QPalette::AlternateBase, lightGrey);
    palette.setColor(QPalette::Text, Qt::black);
    palette.setColor(QPalette::WindowText, Qt::black);
    // Days of the neighbouring months are drawn in the disabled text colour.
    palette.setColor(QPalette::Disabled, QPalette::Text, QColor(75, 165, 198));
    calendar->setPalette(palette);
    calendar->setStyleSheet(QStringLiteral(
        "QCalendarWidget QWidget#qt_calendar_navigationbar { background-color: rgb(69, 69, 69); }"
        "QCalendarWidget QToolButton { color: white; }"));
    QTextCharFormat weekday;
    weekday.setForeground(Qt::black);
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day) {
        calendar->setWeekdayTextFormat(static_cast<Qt::DayOfWeek>(day), weekday);
    }
}

QString entryDialogCaption(int type) {
    switch (type) {
        case ScheduleCall:
            return QStringLiteral("Call");
        case ScheduleMeeting:
            return QStringLiteral("Meeting");
        case ScheduleBirthday:
            return QStringLiteral("Birthday");
        default:
            return QStringLiteral("Reminder ");
    }
}
