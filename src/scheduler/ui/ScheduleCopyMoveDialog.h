// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "phone/ScheduleEntry.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTimeEdit;
struct ScheduleContext;

// "Schedule Copy" / "Schedule Move": the target date and time of the selected entry; the
// "Schedule Edit" button opens the lower half with its contents, alarm and lead time.
class ScheduleCopyMoveDialog : public QDialog {
    Q_OBJECT

  public:
    ScheduleCopyMoveDialog(bool move, ScheduleContext& context, QWidget* parent = nullptr);

    bool fullHeight() const { return full_; }
    bool entryFound() const { return found_; }
    QDateEdit* dateEdit() const { return date_; }
    QTimeEdit* timeEdit() const { return time_; }
    QLineEdit* contentsEdit() const { return contents_; }
    QCheckBox* alarmBox() const { return alarmBox_; }
    QComboBox* leadTimeList() const { return leadTime_; }
    QPushButton* editButton() const { return editButton_; }
    QWidget* lowerHalf() const { return lower_; }

    void accept() override;

  private:
    void toggleHeight();

    bool move_;
    ScheduleContext& context_;
    bool full_ = false;
    bool found_ = false;
    ScheduleEntry entry_;
    QDateEdit* date_;
    QTimeEdit* time_;
    QPushButton* editButton_;
    QWidget* lower_;
    QLineEdit* contents_;
    QCheckBox* alarmBox_;
    QComboBox* leadTime_;
};
