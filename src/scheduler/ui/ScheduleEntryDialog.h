// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include "phone/ScheduleEntry.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTimeEdit;
struct ScheduleContext;

// The entry dialog of one type ("Reminder ", "Call", "Meeting", "Birthday"): new at the
// selected date and hour, or editing the entry the selection names. OK stores the entry on the
// phone (on line) and in reminder, and leaves its text in the selected contents.
class ScheduleEntryDialog : public QDialog {
    Q_OBJECT

  public:
    ScheduleEntryDialog(int type, ScheduleContext& context, bool edit, QWidget* parent = nullptr);

    static int contentsLimit(int type);
    static QString emptyContentsMessage(int type);
    static QString editCaption(int type);
    static QString alertedCaption(int type);

    int type() const { return type_; }
    bool alarmFlag() const { return alarm_; }
    QLineEdit* contentsEdit() const { return contents_; }
    QDateEdit* dateEdit() const { return date_; }
    QTimeEdit* timeEdit() const { return time_; }
    QComboBox* leadTimeList() const { return leadTime_; }
    QCheckBox* alarmBox() const { return alarmBox_; }
    QCheckBox* completedBox() const { return completed_; }
    // The Call dialog's phone-number picker; null for the other types.
    QPushButton* pickerButton() const { return picker_; }

    void accept() override;

  private:
    void loadEntry();
    void fillFrom(const ScheduleEntry& entry, bool done, bool withDone);
    void toggleAlarm();
    void pickNumber();

    int type_;
    ScheduleContext& context_;
    bool edit_;
    bool alarm_ = true;
    // The ring time the loaded entry had: kept when no lead time is chosen.
    int storedAlarmHour_ = 0;
    int storedAlarmMinute_ = 0;
    QLineEdit* contents_;
    QDateEdit* date_;
    QTimeEdit* time_;
    QComboBox* leadTime_;
    QCheckBox* alarmBox_;
    QCheckBox* completed_;
    QPushButton* picker_ = nullptr;
};
