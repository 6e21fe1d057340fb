// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include "scheduler/ScheduleTables.h"

class PhoneLink;
class QCalendarWidget;

// What the scheduler view shares with its pages and dialogs: the phone, the two tables, the
// selected date and time (of the chosen cell or of the entry under work) and the selected
// contents text (without type mark).
struct ScheduleContext {
    PhoneLink* link = nullptr;
    CPhoneScheduleDB* phoneSchedule = nullptr;
    CReminderDB* reminders = nullptr;
    QDateTime selected;
    QString contents;

    bool online() const;
    // The selection as the tables are searched by it; a month cell gives no hour.
    ScheduleSelection selection(bool anyHour = false) const;
};

// The light grey calendar with the dark title of the pages and the entry dialogs.
void colourScheduleCalendar(QCalendarWidget* calendar);

// Caption of the entry dialog of a type: "Reminder ", "Call", "Meeting", "Birthday".
QString entryDialogCaption(int type);
