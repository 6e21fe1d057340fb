// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimeEdit>

#include "app/ModalScript.h"
#include "db/DatabaseConnection.h"
#include "phone/PhoneLink.h"
#include "phone/SlotMirror.h"
#include "platform/PresentTime.h"
#include "platform/Profile.h"
#include "platform/Progress.h"
#include "scheduler/ScheduleTables.h"
#include "scheduler/ScheduleTestEntries.h"
#include "scheduler/ui/AlarmDialog.h"
#include "scheduler/ui/CSchedulerView.h"
#include "scheduler/ui/CalendarPage.h"
#include "scheduler/ui/PreviousScheduleDialog.h"
#include "scheduler/ui/ScheduleCopyMoveDialog.h"
#include "scheduler/ui/ScheduleEntryDialog.h"
#include "support/EnginePhoneLink.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

// 4 March 2001 was a Sunday.
const QDateTime kNoonOf4March(QDate(2001, 3, 4), QTime(12, 0));

QStringList actionTexts(QMenu* menu, bool enabledOnly) {
    QStringList out;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && (!enabledOnly || action->isEnabled())) {
            out << action->text();
        }
    }
    return out;
}

class SchedulerViewTest : public ::testing::Test {
  protected:
    SchedulerViewTest() : now(kNoonOf4March) {
        Profile::useFolder(dir.path());
        reminders.Open();
        phoneTable.Open();
    }
    ~SchedulerViewTest() override {
        view.reset();
        phoneSim.reset();
        closeAllDatabases();
        Profile::useFolder({});
    }

    void addReminders(const QList<ScheduleEntry>& entries) {
        for (const ScheduleEntry& entry : entries) {
            reminders.StoreReminder(entry, false, false);
        }
    }
    CSchedulerView& openView(PhoneLink* link = nullptr) {
        view = std::make_unique<CSchedulerView>(link, nullptr);
        view->resize(1000, 700);
        view->show();
        return *view;
    }
    PhoneLink& goOnLine(const QList<ScheduleEntry>& entries) {
        phoneSim = std::make_unique<EnginePhoneLink>(phoneWithSchedule(entries));
        EXPECT_TRUE(phoneTable.LoadScheduleFromPhone(phoneSim->link(), currentProgress()).loaded());
        return phoneSim->link();
    }
    CalendarPage& daily() { return *view->page(0); }
    QString cell(CalendarPage& page, int row, int column) {
        const QTableWidgetItem* item = page.grid()->item(row, column);
        return item ? item->text() : QString();
    }
    QColor back(CalendarPage& page, int row, int column) {
        return page.grid()->item(row, column)->background().color();
    }
    QColor fore(CalendarPage& page, int row, int column) {
        return page.grid()->item(row, column)->foreground().color();
    }

    TempWorkDir dir;
    ScopedPresentTime now;
    ScriptedPrompter prompter;
    CReminderDB reminders;
    CPhoneScheduleDB phoneTable;
    std::unique_ptr<EnginePhoneLink> phoneSim;
    std::unique_ptr<CSchedulerView> view;
};

}  // namespace

TEST_F(SchedulerViewTest, ThreePagesWithTheirGrids) {
    openView();
    ASSERT_EQ(view->tabs()->count(), 3);
    EXPECT_EQ(view->tabs()->tabText(0), "   Daily");
    EXPECT_EQ(view->tabs()->tabText(1), "   Weekly");
    EXPECT_EQ(view->tabs()->tabText(2), "   Monthly");
    EXPECT_EQ(view->tabs()->tabPosition(), QTabWidget::South);
    EXPECT_EQ(daily().grid()->rowCount(), 25);
    EXPECT_EQ(daily().grid()->columnCount(), 2);
    EXPECT_EQ(daily().grid()->columnWidth(0), 58);
    EXPECT_EQ(daily().grid()->columnWidth(1), 800);
    EXPECT_EQ(view->page(1)->grid()->columnCount(), 8);
    EXPECT_EQ(view->page(2)->grid()->rowCount(), 12);
    EXPECT_EQ(view->page(2)->grid()->columnCount(), 7);
    EXPECT_EQ(cell(daily(), 1, 0), "6 : 00  ");
    EXPECT_EQ(cell(daily(), 24, 0), "5 : 00  ");
    // Today, a Sunday: red date line, red header on pink.
    EXPECT_EQ(daily().dateLine()->text(), "4-Mar-2001");
    EXPECT_EQ(daily().dateLine()->palette().color(daily().dateLine()->foregroundRole()),
              QColor(200, 0, 0));
    EXPECT_TRUE(daily().dateLine()->font().bold());
    EXPECT_EQ(cell(daily(), 0, 1), "4");
    EXPECT_EQ(fore(daily(), 0, 1), QColor(200, 0, 0));
    EXPECT_EQ(back(daily(), 0, 1), QColor(255, 230, 230));
    daily().setChosenDate(QDate(2001, 3, 3));
    EXPECT_EQ(daily().dateLine()->palette().color(daily().dateLine()->foregroundRole()),
              QColor(4, 0, 197));
    EXPECT_EQ(back(daily(), 0, 1), QColor(214, 224, 255));
}

TEST_F(SchedulerViewTest, DailyPageShowsTheNightOnTheDayBefore) {
    addReminders({scheduleEntry(-1, ScheduleMeeting, 2001, 3, 5, 3, 15, "Night shift"),
                  scheduleEntry(-1, ScheduleReminder, 2001, 3, 4, 9, 0, "Dentist"),
                  scheduleEntry(-1, ScheduleCall, 2001, 3, 4, 9, 45, "0123"),
                  scheduleEntry(-1, ScheduleBirthday, 2001, 3, 4, 15, 0, "Ann")});
    openView();
    EXPECT_EQ(cell(daily(), 22, 0), "3 : 00  ");
    EXPECT_EQ(cell(daily(), 22, 1), "(M)Night shift");
    EXPECT_EQ(cell(daily(), 4, 1), "(R)Dentist,   (C)0123");
    // Morning entries have passed at noon; the afternoon one has not.
    EXPECT_EQ(fore(daily(), 4, 1), QColor(100, 100, 100));
    EXPECT_EQ(back(daily(), 4, 1), QColor(230, 230, 230));
    EXPECT_EQ(fore(daily(), 10, 1), QColor(Qt::black));
    EXPECT_EQ(back(daily(), 10, 1), QColor(Qt::white));

    daily().setChosenDate(QDate(2001, 3, 5));
    EXPECT_EQ(cell(daily(), 22, 1), "");
    EXPECT_EQ(back(daily(), 22, 1), QColor(Qt::white));
    EXPECT_EQ(cell(daily(), 4, 1), "");
}

TEST_F(SchedulerViewTest, SwitchingPagesKeepsTheChosenDate) {
    addReminders({scheduleEntry(-1, ScheduleReminder, 2001, 3, 14, 8, 0, "One"),
                  scheduleEntry(-1, ScheduleMeeting, 2001, 3, 14, 11, 0, "Two"),
                  scheduleEntry(-1, ScheduleCall, 2001, 3, 14, 20, 0, "3333")});
    openView();
    daily().setChosenDate(QDate(2001, 3, 14));
    view->tabs()->setCurrentIndex(2);
    EXPECT_EQ(view->currentPage(), 2);
    CalendarPage& monthly = *view->page(2);
    EXPECT_EQ(monthly.chosenDate(), QDate(2001, 3, 14));
    // 14 March 2001, a Wednesday, in the third week.
    EXPECT_EQ(cell(monthly, 4, 3), "14");
    EXPECT_EQ(cell(monthly, 5, 3), "(R)One\n(M)Two\n(C)3333");
    EXPECT_EQ(cell(monthly, 0, 4), "1");
    EXPECT_EQ(fore(monthly, 2, 0), QColor(200, 0, 0));

    view->tabs()->setCurrentIndex(1);
    CalendarPage& weekly = *view->page(1);
    EXPECT_EQ(weekly.chosenDate(), QDate(2001, 3, 14));
    EXPECT_EQ(cell(weekly, 0, 1), "11");
    EXPECT_EQ(cell(weekly, 3, 4), "(R)One");
}

TEST_F(SchedulerViewTest, YearsAfter2037AreRefused) {
    openView();
    prompter.then(PromptAnswer::Ok);
    daily().calendar()->setSelectedDate(QDate(2038, 1, 1));
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "You must input year within 1900 - 2037.");
    EXPECT_EQ(prompter.prompts()[0].caption, "Warning");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(daily().chosenDate(), QDate(2001, 3, 4));
}

TEST_F(SchedulerViewTest, DeletingAOneEntryCellReachesThePhoneAndBothTables) {
    const ScheduleEntry entry = scheduleEntry(6, ScheduleMeeting, 2001, 3, 4, 16, 20, "Budget");
    PhoneLink& link =
        goOnLine({entry, scheduleEntry(2, ScheduleReminder, 2001, 3, 4, 17, 0, "Keep")});
    addReminders({entry});
    openView(&link);
    ASSERT_EQ(cell(daily(), 11, 1), "(M)Budget");
    daily().setCurrentCell(11, 1);
    prompter.then(PromptAnswer::Ok);
    view->deleteSchedule();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "Do you delete Schedule?");
    EXPECT_EQ(prompter.prompts()[0].caption, "Delete");
    EXPECT_EQ(prompter.prompts()[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(phoneSim->engine().state().schedule.count(6), 0u);
    EXPECT_EQ(phoneSim->engine().state().schedule.count(2), 1u);
    EXPECT_EQ(phoneTable.entries().size(), 1);
    EXPECT_TRUE(reminders.rows().isEmpty());
    EXPECT_EQ(cell(daily(), 11, 1), "");
    EXPECT_EQ(cell(daily(), 12, 1), "(R)Keep");
}

TEST_F(SchedulerViewTest, CancelledDeleteAndEmptyCellsChangeNothing) {
    addReminders({scheduleEntry(-1, ScheduleMeeting, 2001, 3, 4, 16, 0, "Budget")});
    openView();
    daily().setCurrentCell(11, 1);
    prompter.then(PromptAnswer::Cancel).then(PromptAnswer::Ok).then(PromptAnswer::Ok);
    view->deleteSchedule();
    EXPECT_EQ(reminders.rows().size(), 1);
    daily().setCurrentCell(12, 1);
    view->deleteSchedule();
    daily().setCurrentCell(0, 1);
    view->copySchedule();
    ASSERT_EQ(prompter.prompts().size(), 3);
    EXPECT_EQ(prompter.prompts()[1].text, "Please select Schedule");
    EXPECT_EQ(prompter.prompts()[1].caption, "Warning");
    EXPECT_EQ(prompter.prompts()[2].text, "Please select Schedule");
    EXPECT_EQ(reminders.rows().size(), 1);
}

TEST_F(SchedulerViewTest, DeleteDayTakesTheShownHourRows) {
    addReminders({scheduleEntry(-1, ScheduleMeeting, 2001, 3, 4, 16, 0, "Budget"),
                  scheduleEntry(-1, ScheduleReminder, 2001, 3, 5, 2, 0, "Night"),
                  scheduleEntry(-1, ScheduleReminder, 2001, 3, 5, 9, 0, "Monday")});
    openView();
    prompter.then(PromptAnswer::Ok);
    view->deleteDaySchedule();
    EXPECT_EQ(prompter.prompts()[0].text, "Do you want to delete Day schedule?");
    EXPECT_EQ(prompter.prompts()[0].caption, "Delete");
    ASSERT_EQ(reminders.rows().size(), 1);
    EXPECT_EQ(reminders.rows()[0].entry.contents, "Monday");
    EXPECT_EQ(cell(daily(), 11, 1), "");
}

TEST_F(SchedulerViewTest, ContextMenuGreysEntryCommandsOffEntries) {
    addReminders({scheduleEntry(-1, ScheduleMeeting, 2001, 3, 4, 16, 0, "Budget")});
    openView();
    std::unique_ptr<QMenu> onEntry(daily().buildContextMenu(11, 1, nullptr));
    EXPECT_EQ(actionTexts(onEntry.get(), false),
              (QStringList{"New", "Edit", "Copy", "Move", "Delete", "Delete Day"}));
    EXPECT_EQ(actionTexts(onEntry.get(), true).size(), 6);
    EXPECT_EQ(actionTexts(onEntry->actions()[0]->menu(), false),
              (QStringList{"Reminder", "Call", "Meeting", "Birthday"}));
    for (const auto& [row, column] : {std::pair(12, 1), std::pair(0, 1), std::pair(11, 0)}) {
        std::unique_ptr<QMenu> menu(daily().buildContextMenu(row, column, nullptr));
        EXPECT_EQ(actionTexts(menu.get(), true), (QStringList{"New", "Delete Day"}))
            << row << "," << column;
    }
}

TEST_F(SchedulerViewTest, DoubleClickOnAnEmptyCellStartsANewReminderThere) {
    openView();
    ModalScript script;
    QDate date;
    QTime time;
    script.then([&](QWidget* dialog) {
        auto* entry = qobject_cast<ScheduleEntryDialog*>(dialog);
        ASSERT_NE(entry, nullptr);
        date = entry->dateEdit()->date();
        time = entry->timeEdit()->time();
        entry->contentsEdit()->setText("Lunch");
        entry->accept();
    });
    QTableWidget* grid = daily().grid();
    const QPoint at = grid->visualRect(grid->model()->index(8, 1)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(script.titles, QStringList{"Reminder "});
    EXPECT_EQ(date, QDate(2001, 3, 4));
    EXPECT_EQ(time, QTime(13, 0));
    EXPECT_EQ(cell(daily(), 8, 1), "(R)Lunch");
}

TEST_F(SchedulerViewTest, LongCellsShowEveryEntryOnItsOwnLine) {
    QList<ScheduleEntry> many;
    for (int i = 0; i < 6; ++i) {
        many.append(scheduleEntry(-1, ScheduleReminder, 2001, 3, 4, 18, i,
                                  QStringLiteral("Entry number %1 of six").arg(i)));
    }
    addReminders(many);
    openView();
    QTableWidget* grid = daily().grid();
    const QPoint at = grid->visualRect(grid->model()->index(13, 1)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    const QString tip = daily().toolTipText();
    EXPECT_EQ(tip.count('\n'), 5);
    EXPECT_TRUE(tip.startsWith("(R)Entry number 0 of six   \n(R)Entry number 1"));
    QTest::mousePress(grid->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(daily().toolTipText(), "");
    QTest::mouseRelease(grid->viewport(), Qt::LeftButton, {}, at);
}

TEST_F(SchedulerViewTest, EscapeIsSwallowedAndDeleteKeyDeletes) {
    addReminders({scheduleEntry(-1, ScheduleMeeting, 2001, 3, 4, 16, 0, "Budget")});
    openView();
    daily().setCurrentCell(11, 1);
    QTest::keyClick(daily().grid(), Qt::Key_Escape);
    EXPECT_TRUE(view->isVisible());
    prompter.then(PromptAnswer::Ok);
    QTest::keyClick(daily().grid(), Qt::Key_Delete);
    EXPECT_EQ(prompter.prompts().size(), 1);
    EXPECT_TRUE(reminders.rows().isEmpty());
}

TEST_F(SchedulerViewTest, DueAlarmsRingOneDialogAfterAnother) {
    addReminders({scheduleEntry(-1, ScheduleMeeting, 2001, 3, 4, 12, 5, "Budget", 12, 0),
                  scheduleEntry(-1, ScheduleReminder, 2001, 3, 4, 12, 30, "Pills", 12, 0)});
    ModalScript script;
    QStringList seen;
    auto read = [&](QWidget* widget) {
        auto* alarm = qobject_cast<AlarmDialog*>(widget);
        ASSERT_NE(alarm, nullptr);
        seen << alarm->titleEdit()->text() + " | " + alarm->messageLabel()->text();
        EXPECT_TRUE(alarm->titleEdit()->font().bold());
        EXPECT_EQ(alarm->titleEdit()->font().pixelSize(), 22);
        EXPECT_EQ(alarm->titleEdit()->palette().color(QPalette::Base), QColor(255, 247, 188));
        alarm->accept();
    };
    script.then(read).then(read);
    RunSchedulerAlarmCheck(nullptr, nullptr);
    EXPECT_EQ(script.titles, (QStringList{"Alarm ", "Alarm "}));
    EXPECT_EQ(seen, (QStringList{"Budget | 12:5 4-Mar-2001 Schedule!",
                                 "Pills | 12:30 4-Mar-2001 Schedule!"}));
    // Marked: the next tick stays silent.
    RunSchedulerAlarmCheck(nullptr, nullptr);
    EXPECT_EQ(script.titles.size(), 2);
}

TEST_F(SchedulerViewTest, AllDeleteEmptiesThePreviousList) {
    addReminders({scheduleEntry(-1, ScheduleMeeting, 2001, 3, 1, 9, 0, "Budget (draft)"),
                  scheduleEntry(-1, ScheduleReminder, 2001, 3, 2, 9, 0, "Dentist"),
                  scheduleEntry(-1, ScheduleBirthday, 2001, 3, 4, 11, 59, "Ann"),
                  scheduleEntry(-1, ScheduleReminder, 2001, 3, 4, 12, 1, "Later")});
    openView();
    PreviousScheduleDialog dialog(view->context());
    ASSERT_EQ(dialog.list()->count(), 3);
    EXPECT_EQ(dialog.list()->item(0)->text(), "(M)Budget (draft)(1-Mar-2001)");
    EXPECT_EQ(dialog.windowTitle(), "Previous Schedule List");
    prompter.then(PromptAnswer::Ok);
    dialog.deleteAll();
    EXPECT_EQ(prompter.prompts()[0].text, "Do you delete all PreSchedule?");
    EXPECT_EQ(prompter.prompts()[0].caption, "Delete");
    EXPECT_EQ(dialog.list()->count(), 0);
    ASSERT_EQ(reminders.rows().size(), 1);
    EXPECT_EQ(reminders.rows()[0].entry.contents, "Later");
}

TEST_F(SchedulerViewTest, EscapeClosesThePreviousListWithoutDeleting) {
    addReminders({scheduleEntry(-1, ScheduleReminder, 2001, 3, 2, 9, 0, "Dentist"),
                  scheduleEntry(-1, ScheduleReminder, 2001, 3, 3, 9, 0, "Gym")});
    openView();
    ModalScript script;
    int lines = -1;
    script.then([&](QWidget* widget) {
        auto* dialog = qobject_cast<PreviousScheduleDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        lines = dialog->list()->count();
        dialog->list()->setCurrentRow(0);
        QTest::keyClick(dialog, Qt::Key_Escape);
    });
    view->runPreviousScheduleCheck();
    EXPECT_EQ(script.titles, QStringList{"Previous Schedule List"});
    EXPECT_EQ(lines, 2);
    EXPECT_EQ(reminders.rows().size(), 2);
}

TEST_F(SchedulerViewTest, DeleteButtonRemovesTheSelectedLineOnLine) {
    const ScheduleEntry past = scheduleEntry(8, ScheduleReminder, 2001, 3, 2, 9, 0, "Dentist");
    PhoneLink& link = goOnLine({past});
    addReminders({past});
    openView(&link);
    PreviousScheduleDialog dialog(view->context());
    ASSERT_EQ(dialog.list()->count(), 1);
    dialog.list()->setCurrentRow(0);
    dialog.deleteButton()->click();
    EXPECT_EQ(dialog.list()->count(), 0);
    EXPECT_TRUE(phoneSim->engine().state().schedule.empty());
    EXPECT_TRUE(phoneTable.entries().isEmpty());
    EXPECT_TRUE(reminders.rows().isEmpty());
}

TEST_F(SchedulerViewTest, NoPastEntryNoPreviousList) {
    addReminders({scheduleEntry(-1, ScheduleReminder, 2001, 3, 4, 12, 1, "Later")});
    openView();
    ModalScript script;
    view->runPreviousScheduleCheck();
    EXPECT_TRUE(script.titles.isEmpty());
}

TEST_F(SchedulerViewTest, SeveralEntriesOfACellAreDeletedFromTheirList) {
    addReminders({scheduleEntry(-1, ScheduleReminder, 2001, 3, 4, 16, 0, "Dentist"),
                  scheduleEntry(-1, ScheduleMeeting, 2001, 3, 4, 16, 30, "Budget")});
    openView();
    daily().setCurrentCell(11, 1);
    ModalScript script;
    QStringList lines;
    QString buttonText;
    script.then([&](QWidget* widget) {
        auto* list = widget->findChild<QListWidget*>();
        ASSERT_NE(list, nullptr);
        for (int i = 0; i < list->count(); ++i) {
            lines << list->item(i)->text();
        }
        list->setCurrentRow(1);
        clickButton(widget, "Delete");
        buttonText = QString::number(list->count());
        qobject_cast<QDialog*>(widget)->accept();
    });
    prompter.then(PromptAnswer::Ok);
    view->deleteSchedule();
    EXPECT_EQ(script.titles, QStringList{"Schedule List Dialog"});
    EXPECT_EQ(lines, (QStringList{"(R)Dentist", "(M)Budget"}));
    EXPECT_EQ(buttonText, "1");
    EXPECT_EQ(prompter.prompts()[0].text, "Do you delete Schedule?");
    ASSERT_EQ(reminders.rows().size(), 1);
    EXPECT_EQ(reminders.rows()[0].entry.contents, "Dentist");
    EXPECT_EQ(cell(daily(), 11, 1), "(R)Dentist");
}

TEST_F(SchedulerViewTest, CopyGoesToTheTargetTimeAndTheEditHalfToggles) {
    addReminders({scheduleEntry(-1, ScheduleMeeting, 2001, 3, 4, 16, 0, "Budget", 15, 30)});
    openView();
    daily().setCurrentCell(11, 1);
    ModalScript script;
    bool halfFirst = false;
    bool fullAfterClick = false;
    script.then([&](QWidget* widget) {
        auto* dialog = qobject_cast<ScheduleCopyMoveDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        halfFirst = !dialog->fullHeight() && dialog->lowerHalf()->isHidden();
        dialog->editButton()->click();
        fullAfterClick = dialog->fullHeight() && dialog->lowerHalf()->isVisible();
        EXPECT_EQ(dialog->contentsEdit()->text(), "Budget");
        EXPECT_EQ(dialog->leadTimeList()->currentText(), "Before 30 Minutes");
        dialog->dateEdit()->setDate(QDate(2001, 3, 6));
        dialog->timeEdit()->setTime(QTime(10, 0));
        dialog->accept();
    });
    view->copySchedule();
    EXPECT_EQ(script.titles, QStringList{"Schedule Copy"});
    EXPECT_TRUE(halfFirst);
    EXPECT_TRUE(fullAfterClick);
    const QList<ReminderRow> rows = reminders.rows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].entry,
              scheduleEntry(-1, ScheduleMeeting, 2001, 3, 6, 10, 0, "Budget", 9, 30));
    EXPECT_FALSE(rows[1].done);
}

TEST_F(SchedulerViewTest, AnEntryEditedToAnotherDayLeavesTheScheduleList) {
    addReminders({scheduleEntry(-1, ScheduleReminder, 2001, 3, 4, 16, 0, "Dentist"),
                  scheduleEntry(-1, ScheduleMeeting, 2001, 3, 4, 16, 30, "Budget")});
    openView();
    daily().setCurrentCell(11, 1);
    ModalScript script;
    QStringList lines;
    script.then([&](QWidget* widget) {
        auto* list = widget->findChild<QListWidget*>();
        ASSERT_NE(list, nullptr);
        list->setCurrentRow(1);
        clickButton(widget, "Edit");
        for (int i = 0; i < list->count(); ++i) {
            lines << list->item(i)->text();
        }
        qobject_cast<QDialog*>(widget)->accept();
    });
    script.then([&](QWidget* widget) {
        auto* dialog = qobject_cast<ScheduleEntryDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        dialog->dateEdit()->setDate(QDate(2001, 3, 5));
        dialog->accept();
    });
    view->editSchedule();
    EXPECT_EQ(lines, QStringList{"(R)Dentist"});
    EXPECT_EQ(cell(daily(), 11, 1), "(R)Dentist");
}

TEST_F(SchedulerViewTest, PagingTheSmallCalendarShowsThatMonth) {
    addReminders({scheduleEntry(-1, ScheduleReminder, 2001, 4, 4, 9, 0, "April")});
    openView();
    for (int page : {1, 2}) {
        view->tabs()->setCurrentIndex(page);
        CalendarPage& shown = *view->page(page);
        shown.setChosenDate(QDate(2001, 3, 31));
        shown.calendar()->setCurrentPage(2001, 4);
        EXPECT_EQ(shown.chosenDate(), QDate(2001, 4, 30)) << page;
    }
    CalendarPage& monthly = *view->page(2);
    monthly.calendar()->setCurrentPage(2001, 3);
    monthly.calendar()->setCurrentPage(2001, 4);
    EXPECT_EQ(monthly.chosenDate(), QDate(2001, 4, 30));
    // 4 April 2001, a Wednesday, in the first week.
    EXPECT_EQ(cell(monthly, 1, 3), "(R)April");
}

TEST_F(SchedulerViewTest, ANarrowWeekScrollsUnderItsFixedHourColumnAndDayHeader) {
    openView();
    view->resize(500, 300);
    CalendarPage& weekly = *view->page(1);
    view->tabs()->setCurrentIndex(1);
    QApplication::processEvents();
    QTableWidget* grid = weekly.grid();
    auto* column = grid->findChild<QTableView*>("frozenColumn");
    auto* header = grid->findChild<QTableView*>("frozenRow");
    ASSERT_TRUE(column && header);
    grid->horizontalScrollBar()->setValue(grid->horizontalScrollBar()->maximum());
    grid->verticalScrollBar()->setValue(grid->verticalScrollBar()->maximum());
    ASSERT_GT(grid->horizontalScrollBar()->value(), 0);
    // The hour labels stay at the left edge and follow the rows; the day numbers stay on top
    // and follow the columns.
    EXPECT_EQ(column->geometry().topLeft(), grid->viewport()->geometry().topLeft());
    EXPECT_EQ(column->verticalScrollBar()->value(), grid->verticalScrollBar()->value());
    EXPECT_EQ(header->height(), grid->rowHeight(0));
    EXPECT_EQ(header->horizontalScrollBar()->value(), grid->horizontalScrollBar()->value());
    EXPECT_FALSE(view->page(2)->grid()->findChild<QTableView*>("frozenColumn"));
}
