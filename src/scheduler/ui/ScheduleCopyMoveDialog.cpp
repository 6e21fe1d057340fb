// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ui/ScheduleCopyMoveDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "platform/Notice.h"
#include "platform/PresentTime.h"
#include "platform/Prompter.h"
#include "scheduler/ScheduleEditing.h"
#include "scheduler/ScheduleLeadTime.h"
#include "scheduler/ScheduleRules.h"
#include "scheduler/ui/ScheduleContext.h"
#include "scheduler/ui/ScheduleEntryDialog.h"

ScheduleCopyMoveDialog::ScheduleCopyMoveDialog(bool move, ScheduleContext& context, QWidget* parent)
    : QDialog(parent), move_(move), context_(context) {
    setWindowTitle(move ? QStringLiteral("Schedule Move") : QStringLiteral("Schedule Copy"));

    auto* target = new QGroupBox(QStringLiteral("Target DateTime"), this);
    date_ = new QDateEdit(target);
    date_->setObjectName(QStringLiteral("date"));
    date_->setCalendarPopup(true);
    date_->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    colourScheduleCalendar(date_->calendarWidget());
    time_ = new QTimeEdit(target);
    time_->setObjectName(QStringLiteral("time"));
    time_->setDisplayFormat(QStringLiteral("HH:mm"));
    auto* targetRow = new QHBoxLayout(target);
    targetRow->addWidget(date_);
    targetRow->addWidget(time_);

    editButton_ = new QPushButton(QStringLiteral("Schedule Edit"), this);
    editButton_->setCheckable(false);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(editButton_, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &ScheduleCopyMoveDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ScheduleCopyMoveDialog::reject);
    connect(editButton_, &QPushButton::clicked, this, &ScheduleCopyMoveDialog::toggleHeight);

    lower_ = new QWidget(this);
    contents_ = new QLineEdit(lower_);
    contents_->setObjectName(QStringLiteral("contents"));
    alarmBox_ = new QCheckBox(QStringLiteral("Alarm Set up"), lower_);
    leadTime_ = new QComboBox(lower_);
    leadTime_->setObjectName(QStringLiteral("leadTime"));
    leadTime_->addItems(leadTimeItemTexts());
    leadTime_->setCurrentIndex(-1);
    auto* grid = new QGridLayout(lower_);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Contents"), lower_), 0, 0);
    grid->addWidget(contents_, 0, 1, 1, 2);
    grid->addWidget(new QLabel(QStringLiteral("Alarm"), lower_), 1, 0);
    grid->addWidget(leadTime_, 1, 1);
    grid->addWidget(alarmBox_, 1, 2);
    connect(alarmBox_, &QCheckBox::toggled, leadTime_, &QComboBox::setEnabled);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(target);
    layout->addWidget(buttons);
    layout->addWidget(lower_);
    lower_->hide();

    date_->setDate(context_.selected.date());
    time_->setTime(QTime(context_.selected.time().hour(), context_.selected.time().minute()));
    const SelectedEntry found = loadSelectedEntry(context_.link, *context_.phoneSchedule,
                                                  *context_.reminders, context_.selection());
    found_ = found.found;
    if (found_) {
        entry_ = found.entry;
        time_->setTime(QTime(entry_.hour, entry_.minute));
        contents_->setText(entry_.contents);
        contents_->setMaxLength(scheduleContentsLimit(entry_.type));
        leadTime_->setCurrentIndex(
            recoverLeadTimeItem(entry_.hour, entry_.minute, entry_.alarmHour, entry_.alarmMinute));
    }
    alarmBox_->setChecked(entry_.alarm != 0);
    leadTime_->setEnabled(entry_.alarm != 0);
}

void ScheduleCopyMoveDialog::toggleHeight() {
    full_ = !full_;
    lower_->setVisible(full_);
}

void ScheduleCopyMoveDialog::accept() {
    if (!found_) {
        reject();
        return;
    }
    ScheduleEntry target = entry_;
    target.contents = contents_->text();
    const QString problem = scheduleContentsProblem(target.type, target.contents);
    if (!problem.isEmpty()) {
        showMessage(problem, windowTitle(), PromptIcon::Warning);
        return;
    }
    const QDateTime when(date_->date(), QTime(time_->time().hour(), time_->time().minute()));
    target.alarm = alarmBox_->isChecked() ? 1 : 0;
    target.year = when.date().year();
    target.month = when.date().month();
    target.date = when.date().day();
    target.hour = when.time().hour();
    target.minute = when.time().minute();
    if (leadTime_->currentIndex() >= 0) {
        const QTime ring = alarmTimeFor(when, leadTime_->currentIndex());
        target.alarmHour = ring.hour();
        target.alarmMinute = ring.minute();
    }
    const CopyMoveResult result =
        copyOrMoveEntry(context_.link, *context_.phoneSchedule, *context_.reminders,
                        context_.selection(), move_, target, presentTime());
    showNotices(result.notices);
    if (result.unsafe) {
        return;
    }
    QDialog::accept();
}
