// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDialog>
#include <QList>

#include "phone/ScheduleEntry.h"

class QListWidget;
class QPushButton;
struct ScheduleContext;

// The entries of one cell: "Schedule List Dialog" (Edit or Delete) and "Schedule Edit List "
// (Copy or Move). The button or a double-click acts on the selected line.
class ScheduleListDialog : public QDialog {
    Q_OBJECT

  public:
    enum Mode { Edit, Delete, Copy, Move };

    // `anyHour`: the lines are every entry of the selected day (a month cell).
    ScheduleListDialog(Mode mode, ScheduleContext& context, bool anyHour,
                       QWidget* parent = nullptr);

    QListWidget* list() const { return list_; }
    QPushButton* actionButton() const { return action_; }
    // Whether a line was changed or removed, so the opener redraws.
    bool changed() const { return changed_; }

  private:
    void act();
    void selectLine(int line);
    void fillLines(int current);

    Mode mode_;
    ScheduleContext& context_;
    QDate day_;
    int hour_ = -1;  // -1: every hour of the day
    QList<ScheduleEntry> entries_;
    QListWidget* list_;
    QPushButton* action_;
    bool changed_ = false;
};
