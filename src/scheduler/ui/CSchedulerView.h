#pragma once

#include <QWidget>

// The scheduler view: the daily, weekly and monthly calendar pages and their commands.
class CSchedulerView : public QWidget {
    Q_OBJECT

  public:
    explicit CSchedulerView(QWidget* parent = nullptr);

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
};
