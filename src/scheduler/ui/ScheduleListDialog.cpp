#include "scheduler/ui/ScheduleListDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
#include <QTimeEdit>
#include <QVBoxLayout>

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
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);

    const QDate day = context_.selected.date();
    const int hour = context_.selected.time().hour();
    for (const ScheduleEntry& entry :
         shownScheduleEntries(context_.link, *context_.phoneSchedule, *context_.reminders)) {
        if (entryDate(entry) == day && (anyHour || entry.hour == hour)) {
            entries_.append(entry);
            list_->addItem(scheduleCellText(entry.type, entry.contents));
        }
    }
    if (list_->count() > 0) {
        list_->setCurrentRow(0);
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
            changed_ = true;
            // A line stays while the phone still holds its entry.
            if (context_.online() ? removal.phoneRowDeleted : removal.reminderDeleted) {
                delete list_->takeItem(line);
                entries_.removeAt(line);
            }
            break;
        }
        case Edit: {
            ScheduleEntryDialog dialog(entries_[line].type, context_, true, this);
            if (dialog.exec() == QDialog::Accepted) {
                changed_ = true;
                ScheduleEntry& entry = entries_[line];
                entry.contents = context_.contents;
                const QDate date = dialog.dateEdit()->date();
                entry.year = date.year();
                entry.month = date.month();
                entry.date = date.day();
                entry.hour = dialog.timeEdit()->time().hour();
                entry.minute = dialog.timeEdit()->time().minute();
                list_->item(line)->setText(
                    scheduleCellText(entries_[line].type, context_.contents));
            }
            break;
        }
        case Copy:
        case Move: {
            ScheduleCopyMoveDialog dialog(mode_ == Move, context_, this);
            if (dialog.exec() == QDialog::Accepted) {
                changed_ = true;
            }
            break;
        }
    }
}
