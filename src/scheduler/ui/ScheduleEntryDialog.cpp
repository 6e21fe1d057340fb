// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ui/ScheduleEntryDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "controls/DialStringEdit.h"
#include "phonebook/ui/PhonebookPickerDialog.h"
#include "platform/Notice.h"
#include "platform/PresentTime.h"
#include "platform/Prompter.h"
#include "scheduler/ScheduleEditing.h"
#include "scheduler/ScheduleLeadTime.h"
#include "scheduler/ScheduleRules.h"
#include "scheduler/ScheduleSync.h"
#include "scheduler/ui/ScheduleContext.h"

namespace {
QString typeWord(int type) {
    return entryDialogCaption(type).trimmed();
}
}  // namespace

int ScheduleEntryDialog::contentsLimit(int type) {
    return scheduleContentsLimit(type);
}

QString ScheduleEntryDialog::emptyContentsMessage(int type) {
    return scheduleEmptyContentsMessage(type);
}

QString ScheduleEntryDialog::editCaption(int type) {
    return typeWord(type) + QStringLiteral(" Edit");
}

QString ScheduleEntryDialog::alertedCaption(int type) {
    return typeWord(type) + QStringLiteral(" - This Entry is alerted");
}

ScheduleEntryDialog::ScheduleEntryDialog(int type, ScheduleContext& context, bool edit,
                                         QWidget* parent)
    : QDialog(parent), type_(type), context_(context), edit_(edit) {
    setWindowTitle(entryDialogCaption(type));

    contents_ = type == ScheduleCall ? new DialStringEdit(this) : new QLineEdit(this);
    contents_->setObjectName(QStringLiteral("contents"));
    contents_->setMaxLength(contentsLimit(type));
    date_ = new QDateEdit(this);
    date_->setObjectName(QStringLiteral("date"));
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    colourScheduleCalendar(date_->calendarWidget());
    time_ = new QTimeEdit(this);
    time_->setObjectName(QStringLiteral("time"));
    time_->setDisplayFormat(QStringLiteral("HH:mm"));
    leadTime_ = new QComboBox(this);
    leadTime_->setObjectName(QStringLiteral("leadTime"));
    leadTime_->addItems(leadTimeItemTexts());
    leadTime_->setCurrentIndex(-1);
    alarmBox_ = new QCheckBox(QStringLiteral("Alarm Set up"), this);
    completed_ = new QCheckBox(QStringLiteral("Completed"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Contents"), this), 0, 0);
    auto* contentsRow = new QHBoxLayout;
    contentsRow->addWidget(contents_, 1);
    if (type == ScheduleCall) {
        picker_ = new QPushButton(QStringLiteral("..."), this);
        picker_->setObjectName(QStringLiteral("pickNumber"));
        picker_->setFixedWidth(32);
        picker_->setToolTip(QStringLiteral("Display Phonebook Data"));
        connect(picker_, &QPushButton::clicked, this, &ScheduleEntryDialog::pickNumber);
        contentsRow->addWidget(picker_);
    }
    grid->addLayout(contentsRow, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Time"), this), 1, 0);
    grid->addWidget(date_, 1, 1);
    grid->addWidget(time_, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Alarm"), this), 2, 0);
    grid->addWidget(leadTime_, 2, 1);
    grid->addWidget(alarmBox_, 2, 2);
    grid->addWidget(completed_, 3, 2);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ScheduleEntryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ScheduleEntryDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    connect(alarmBox_, &QCheckBox::clicked, this, &ScheduleEntryDialog::toggleAlarm);

    if (!edit_) {
        alarm_ = true;
        leadTime_->setCurrentIndex(0);
        date_->setDate(context_.selected.date());
        time_->setTime(QTime(context_.selected.time().hour(), context_.selected.time().minute()));
        completed_->hide();
    } else {
        date_->setDate(context_.selected.date());
        time_->setTime(QTime(context_.selected.time().hour(), 0));
        loadEntry();
        setWindowTitle(editCaption(type));
        if (presentTime() > context_.selected && alarm_) {
            setWindowTitle(alertedCaption(type));
        }
    }
    alarmBox_->setChecked(alarm_);
    leadTime_->setEnabled(alarm_);
}

void ScheduleEntryDialog::loadEntry() {
    if (context_.online()) {
        completed_->hide();
    }
    const SelectedEntry found = loadSelectedEntry(context_.link, *context_.phoneSchedule,
                                                  *context_.reminders, context_.selection());
    if (found.found) {
        fillFrom(found.entry, found.done, !found.fromPhone);
    }
}

void ScheduleEntryDialog::fillFrom(const ScheduleEntry& entry, bool done, bool withDone) {
    date_->setDate(context_.selected.date());
    time_->setTime(QTime(entry.hour, entry.minute));
    storedAlarmHour_ = entry.alarmHour;
    storedAlarmMinute_ = entry.alarmMinute;
    const int item =
        recoverLeadTimeItem(entry.hour, entry.minute, entry.alarmHour, entry.alarmMinute);
    if (item >= 0) {
        leadTime_->setCurrentIndex(item);
    }
    contents_->setText(context_.contents);
    alarm_ = entry.alarm != 0;
    if (withDone) {
        completed_->setChecked(done);
    }
}

void ScheduleEntryDialog::toggleAlarm() {
    alarm_ = !alarm_;
    alarmBox_->setChecked(alarm_);
    leadTime_->setEnabled(alarm_);
}

void ScheduleEntryDialog::pickNumber() {
    PhonebookPickerDialog picker(this);
    if (picker.exec() == QDialog::Accepted) {
        contents_->setText(picker.pickedNumber());
    }
}

void ScheduleEntryDialog::accept() {
    const QString text = contents_->text();
    const QString problem = scheduleContentsProblem(type_, text);
    if (!problem.isEmpty()) {
        showMessage(problem, windowTitle(), PromptIcon::Warning);
        return;
    }

    const QDateTime entryTime(date_->date(), QTime(time_->time().hour(), time_->time().minute()));
    ScheduleEntry entry;
    entry.type = type_;
    entry.alarm = alarm_ ? 1 : 0;
    entry.year = entryTime.date().year();
    entry.month = entryTime.date().month();
    entry.date = entryTime.date().day();
    entry.hour = entryTime.time().hour();
    entry.minute = entryTime.time().minute();
    entry.alarmHour = storedAlarmHour_;
    entry.alarmMinute = storedAlarmMinute_;
    if (leadTime_->currentIndex() >= 0) {
        const QTime ring = alarmTimeFor(entryTime, leadTime_->currentIndex());
        entry.alarmHour = ring.hour();
        entry.alarmMinute = ring.minute();
    }
    entry.contents = text;

    const ScheduleSelection edited = context_.selection();
    const ScheduleSave save =
        SaveScheduleEntry(context_.link, *context_.phoneSchedule, *context_.reminders, entry,
                          completed_->isChecked(), edit_ ? &edited : nullptr);
    showNotices(save.notices);
    if (save.unsafe) {
        return;
    }
    context_.contents = text;
    QDialog::accept();
}
