// SPDX-License-Identifier: GPL-3.0-or-later
// The scheduler's commands on a calendar page's current cell: new, edit, copy, move, delete,
// delete day, and the context menu that offers them.

#include <QMenu>
#include <QTableWidget>

#include <array>

#include "controls/MenuMnemonics.h"
#include "platform/Notice.h"
#include "platform/Prompter.h"
#include "scheduler/ScheduleEditing.h"
#include "scheduler/ScheduleSync.h"
#include "scheduler/ScheduleTexts.h"
#include "scheduler/ui/CalendarPage.h"
#include "scheduler/ui/ScheduleContext.h"
#include "scheduler/ui/ScheduleCopyMoveDialog.h"
#include "scheduler/ui/ScheduleEntryDialog.h"
#include "scheduler/ui/ScheduleListDialog.h"

void CalendarPage::newEntry(int type) {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    if (!selectCell(row, column)) {
        // No entry cell chosen: the chosen day, at the first hour row.
        context_.selected =
            kind_ == Monthly ? QDateTime(chosenDate(), QTime(0, 0)) : hourRowTime(chosenDate(), 1);
    }
    ScheduleEntryDialog dialog(type, context_, false, this);
    if (dialog.exec() == QDialog::Accepted) {
        fill();
    }
}

void CalendarPage::editEntry() {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    if (!selectCell(row, column)) {
        return;
    }
    const QString text = cellText(row, column);
    if (holdsSeveral(text)) {
        ScheduleListDialog dialog(ScheduleListDialog::Edit, context_, kind_ == Monthly, this);
        dialog.exec();
        if (dialog.changed()) {
            fill();
        }
        return;
    }
    const QString full = cellFullText(row, column);
    for (int type = ScheduleReminder; type <= ScheduleBirthday; ++type) {
        const QString mark = scheduleTypeMark(type);
        if (full.contains(mark)) {
            context_.contents = QString(full).remove(mark);
            fixMonthlySelection();
            ScheduleEntryDialog dialog(type, context_, true, this);
            if (dialog.exec() == QDialog::Accepted) {
                fill();
            }
            return;
        }
    }
}

// The shown text of the cell an entry command acts on, with the cell selected; empty (and the
// user told) when the cell holds no entry.
QString CalendarPage::selectedEntryText(int row, int column) {
    const QString text = cellText(row, column);
    if (!selectCell(row, column) || text.isEmpty()) {
        showMessage(QStringLiteral("Please select Schedule"), QStringLiteral("Warning"),
                    PromptIcon::Warning);
        return {};
    }
    return text;
}

void CalendarPage::copyOrMove(bool move) {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    const QString text = selectedEntryText(row, column);
    if (text.isEmpty()) {
        return;
    }
    if (holdsSeveral(text)) {
        ScheduleListDialog dialog(move ? ScheduleListDialog::Move : ScheduleListDialog::Copy,
                                  context_, kind_ == Monthly, this);
        dialog.exec();
        if (dialog.changed()) {
            fill();
        }
        return;
    }
    context_.contents = contentsOfCellText(cellFullText(row, column));
    fixMonthlySelection();
    ScheduleCopyMoveDialog dialog(move, context_, this);
    if (dialog.exec() == QDialog::Accepted) {
        fill();
    }
}

void CalendarPage::copyEntry() {
    copyOrMove(false);
}

void CalendarPage::moveEntry() {
    copyOrMove(true);
}

void CalendarPage::deleteEntry() {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    const QString text = selectedEntryText(row, column);
    if (text.isEmpty()) {
        return;
    }
    if (holdsSeveral(text)) {
        ScheduleListDialog dialog(ScheduleListDialog::Delete, context_, kind_ == Monthly, this);
        dialog.exec();
        fill();
        return;
    }
    if (askQuestion(QStringLiteral("Do you delete Schedule?"), QStringLiteral("Delete"),
                    PromptButtons::OkCancel) != PromptAnswer::Ok) {
        return;
    }
    context_.contents = contentsOfCellText(cellFullText(row, column));
    showNotices(RemoveScheduleEntry(context_.link, *context_.phoneSchedule, *context_.reminders,
                                    context_.selection(kind_ == Monthly))
                    .notices);
    fill();
}

void CalendarPage::deleteDay() {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    QDate day = chosenDate();
    if (selectCell(row, column)) {
        day = dayOfCell(row, column);
    } else if (kind_ == Weekly && column >= 1) {
        day = dayOfCell(row, column);
    }
    if (askQuestion(QStringLiteral("Do you want to delete Day schedule?"),
                    kind_ == Monthly ? QStringLiteral("Delete Day") : QStringLiteral("Delete"),
                    PromptButtons::OkCancel) != PromptAnswer::Ok) {
        return;
    }
    showNotices(removeDaySchedules(context_.link, *context_.phoneSchedule, *context_.reminders, day,
                                   kind_ == Monthly ? DayRule::CalendarDay : DayRule::HourRows)
                    .notices);
    fill();
}

QMenu* CalendarPage::buildContextMenu(int row, int column, QWidget* parent) {
    auto* menu = new QMenu(parent);
    QMenu* newMenu = menu->addMenu(QStringLiteral("New"));
    const QStringList kinds = {QStringLiteral("Reminder"), QStringLiteral("Call"),
                               QStringLiteral("Meeting"), QStringLiteral("Birthday")};
    for (int type = ScheduleReminder; type <= ScheduleBirthday; ++type) {
        connect(newMenu->addAction(kinds[type - 1]), &QAction::triggered, this,
                [this, type] { newEntry(type); });
    }
    const bool holdsEntry = isEntryCell(row, column) && !cellText(row, column).isEmpty();
    const std::array<std::pair<const char*, void (CalendarPage::*)()>, 5> commands = {{
        {"Edit", &CalendarPage::editEntry},
        {"Copy", &CalendarPage::copyEntry},
        {"Move", &CalendarPage::moveEntry},
        {"Delete", &CalendarPage::deleteEntry},
        {"Delete Day", &CalendarPage::deleteDay},
    }};
    for (const auto& [text, slot] : commands) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setEnabled(holdsEntry || QLatin1String(text) == QLatin1String("Delete Day"));
        connect(action, &QAction::triggered, this, slot);
    }
    return menu;
}

void CalendarPage::gridContextMenu(const QPoint& at) {
    const QModelIndex index = grid_->indexAt(at);
    if (!index.isValid()) {
        return;
    }
    setCurrentCell(index.row(), index.column());
    QMenu* menu = buildContextMenu(index.row(), index.column(), this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    addMnemonics(menu);
    menu->popup(grid_->viewport()->mapToGlobal(at));
}

void CalendarPage::gridDoubleClicked(int row, int column) {
    if (!isEntryCell(row, column)) {
        return;
    }
    setCurrentCell(row, column);
    if (cellText(row, column).isEmpty()) {
        newEntry(ScheduleReminder);
    } else {
        editEntry();
    }
}
