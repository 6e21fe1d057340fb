// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ui/ScheduleListDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QListWidget>

#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <algorithm>
#include "controls/ListKeys.h"

#include "platform/Notice.h"
#include "platform/Prompter.h"
#include "scheduler/ScheduleCalendar.h"
#include "scheduler/ScheduleEditing.h"
#include "scheduler/ScheduleSync.h"
#include "scheduler/ScheduleTexts.h"
#include "scheduler/ui/ScheduleContext.h"
#include "scheduler/ui/ScheduleCopyMoveDialog.h"
#include "scheduler/ui/ScheduleEntryDialog.h"

namespace {
QString actionText(ScheduleListDialog::Mode mode) {
    switch (mode) {
        case ScheduleListDialog::Edit:
            return QStringLiteral("Edit");
        case ScheduleListDialog::Delete:
            return QStringLiteral("Delete");
        case ScheduleListDialog::Copy:
            return QStringLiteral("Copy");
        case ScheduleListDialog::Move:
            return QStringLiteral("Move");
    }
    return {};
}
}  // namespace

ScheduleListDialog::ScheduleListDialog(Mode mode, ScheduleContext& context, bool anyHour,
                                       QWidget* parent)
    : QDialog(parent), mode_(mode), context_(context) {
    setWindowTitle(mode == Edit || mode == Delete ? QStringLiteral("Schedule List Dialog")
                                                  : QStringLiteral("Schedule Edit List "));
    list_ = new QListWidget(this);
    action_ = new QPushButton(actionText(mode), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->addButton(action_, QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(action_, &QPushButton::clicked, this, &ScheduleListDialog::act);
    connect(list_, &QListWidget::itemDoubleClicked, this, &ScheduleListDialog::act);
    onEnterKey(list_, [this] { act(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);

    day_ = context_.selected.date();
    hour_ = anyHour ? -1 : context_.selected.time().hour();
    fillLines(0);
}

// The lines are read again from the tables after every change: an entry edited or moved to
// another day or hour leaves the cell, a copy into it joins it.
void ScheduleListDialog::fillLines(int current) {
    entries_.clear();
    list_->clear();
    for (const ScheduleEntry& entry :
         shownScheduleEntries(context_.link, *context_.phoneSchedule, *context_.reminders)) {
        if (entryDate(entry) == day_ && (hour_ < 0 || entry.hour == hour_)) {
            entries_.append(entry);
            list_->addItem(scheduleCellText(entry.type, entry.contents));
        }
    }
    if (list_->count() > 0) {
        list_->setCurrentRow(std::clamp(current, 0, list_->count() - 1));
    }
}

void ScheduleListDialog::selectLine(int line) {
    const ScheduleEntry& entry = entries_[line];
    context_.selected = QDateTime(entryDate(entry), QTime(entry.hour, 0));
    context_.contents = entry.contents;
}

void ScheduleListDialog::act() {
    const int line = list_->currentRow();
    if (line < 0 || line >= entries_.size()) {
        return;
    }
    selectLine(line);
    switch (mode_) {
        case Delete: {
            if (askQuestion(QStringLiteral("Do you delete Schedule?"), QStringLiteral("Delete"),
                            PromptButtons::OkCancel) != PromptAnswer::Ok) {
                return;
            }
            const ScheduleRemoval removal = RemoveScheduleEntry(
                context_.link, *context_.phoneSchedule, *context_.reminders, context_.selection());
            showNotices(removal.notices);
            changed_ = true;
            // A line stays while the phone still holds its entry.
            fillLines(line);
            break;
        }
        case Edit: {
            ScheduleEntryDialog dialog(entries_[line].type, context_, true, this);
            if (dialog.exec() == QDialog::Accepted) {
                changed_ = true;
                fillLines(line);
            }
            break;
        }
        case Copy:
        case Move: {
            ScheduleCopyMoveDialog dialog(mode_ == Move, context_, this);
            if (dialog.exec() == QDialog::Accepted) {
                changed_ = true;
                fillLines(line);
            }
            break;
        }
    }
}
