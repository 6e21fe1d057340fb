// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <memory>

#include "scheduler/ui/ScheduleContext.h"

class CalendarPage;
class PhoneLink;
class QTabWidget;

// The scheduler view: the daily, weekly and monthly calendar pages and their commands.
class CSchedulerView : public QWidget {
    Q_OBJECT

  public:
    // The application's phone.
    explicit CSchedulerView(QWidget* parent = nullptr);
    // A given phone (null: off line), for tests and tools.
    CSchedulerView(PhoneLink* link, QWidget* parent);
    ~CSchedulerView() override;

    int currentPage() const;
    CalendarPage* page(int number) const;
    CalendarPage* shownPage() const;
    QTabWidget* tabs() const { return tabs_; }
    ScheduleContext& context() { return context_; }

    // The first showing: the previous schedule list when an entry has passed, then the page
    // drawn again.
    void runPreviousScheduleCheck();

  public slots:
    // Toolbar ("New" makes a Reminder).
    void newEntry();
    void editEntry();
    void copy();
    void move();
    void deleteEntry();
    void deleteAll();
    void reload();
    // "Scheduler" menu; kind 1 Reminder, 2 Call, 3 Meeting, 4 Birthday, also from the
    // navigation bar's items.
    void newSchedule(int kind);
    void editSchedule();
    void copySchedule();
    void moveSchedule();
    void deleteSchedule();
    void deleteDaySchedule();
    void reloadSchedule();

  private:
    void setUp();
    void pageChanged(int index);

    std::unique_ptr<CPhoneScheduleDB> phoneSchedule_;
    std::unique_ptr<CReminderDB> reminders_;
    ScheduleContext context_;
    QTabWidget* tabs_ = nullptr;
    CalendarPage* pages_[3] = {};
    int shown_ = 0;
};

// The frame's scheduler work at its fixed moments, on tables of their own.
// Each 30-second tick while off line: every due alarm in its own "Alarm " dialog.
void RunSchedulerAlarmCheck(PhoneLink* link, QWidget* parent);
