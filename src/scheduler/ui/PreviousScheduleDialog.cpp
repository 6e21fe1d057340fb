// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ui/PreviousScheduleDialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Notice.h"
#include "platform/PresentTime.h"
#include "platform/Prompter.h"
#include "scheduler/ScheduleAlarms.h"
#include "scheduler/ScheduleEditing.h"
#include "scheduler/ScheduleSync.h"
#include "scheduler/ui/ScheduleContext.h"

PreviousScheduleDialog::PreviousScheduleDialog(ScheduleContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setWindowTitle(QStringLiteral("Previous Schedule List"));
    list_ = new QListWidget(this);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QDialogButtonBox::Ok);
    // Action roles: neither Escape nor the close box reaches them.
    delete_ = buttons->addButton(QStringLiteral("Delete"), QDialogButtonBox::ActionRole);
    allDelete_ = buttons->addButton(QStringLiteral("All Delete"), QDialogButtonBox::ActionRole);
    delete_->setAutoDefault(false);
    allDelete_->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(delete_, &QPushButton::clicked, this, &PreviousScheduleDialog::deleteSelected);
    connect(allDelete_, &QPushButton::clicked, this, &PreviousScheduleDialog::deleteAll);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Previous Schedule List"), this));
    layout->addWidget(list_);
    layout->addWidget(buttons);

    entries_ = previousSchedules(
        shownScheduleEntries(context_.link, *context_.phoneSchedule, *context_.reminders),
        presentTime());
    for (const ScheduleEntry& entry : entries_) {
        list_->addItem(previousScheduleLine(entry));
    }
}

void PreviousScheduleDialog::deleteSelected() {
    deleteLine(list_->currentRow());
}

void PreviousScheduleDialog::deleteAll() {
    if (askQuestion(QStringLiteral("Do you delete all PreSchedule?"), QStringLiteral("Delete"),
                    PromptButtons::OkCancel) != PromptAnswer::Ok) {
        return;
    }
    for (int line = list_->count() - 1; line >= 0; --line) {
        deleteLine(line);
    }
}

// The line's own entry names the rows, not its shown text: contents holding "(" or a type
// mark are found as well.
void PreviousScheduleDialog::deleteLine(int line) {
    if (line < 0 || line >= entries_.size()) {
        return;
    }
    const ScheduleEntry& entry = entries_[line];
    const ScheduleSelection selection{entry.year, entry.month, entry.date, entry.hour,
                                      entry.contents};
    const ScheduleRemoval removal =
        RemoveScheduleEntry(context_.link, *context_.phoneSchedule, *context_.reminders, selection);
    showNotices(removal.notices);
    if (context_.online() ? removal.phoneRowDeleted : removal.reminderDeleted) {
        delete list_->takeItem(line);
        entries_.removeAt(line);
    }
}

void RunPreviousScheduleCheck(ScheduleContext& context, QWidget* parent) {
    const QList<ScheduleEntry> past = previousSchedules(
        shownScheduleEntries(context.link, *context.phoneSchedule, *context.reminders),
        presentTime());
    if (past.isEmpty()) {
        return;
    }
    PreviousScheduleDialog dialog(context, parent);
    dialog.exec();
}
