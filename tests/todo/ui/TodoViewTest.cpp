// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>

#include "db/DatabaseConnection.h"
#include "platform/Profile.h"
#include "support/EnginePhoneLink.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"
#include "todo/CToDoListDB.h"
#include "todo/ui/CTodolistView.h"
#include "todo/ui/TodoItemDialog.h"

namespace {

PhoneSimTodoItem phoneItem(const QString& contents, int priority, const QDate& until,
                           bool done = false) {
    return PhoneSimTodoItem{done ? 2 : 0,
                            priority,
                            until.year(),
                            until.month(),
                            until.day(),
                            contents,
                            done ? QStringLiteral("2026/12/01") : QString(),
                            done ? QStringLiteral("08:30") : QString()};
}

void selectRows(QTableWidget* list, const QList<int>& rows) {
    list->clearSelection();
    for (int row : rows) {
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    if (!rows.isEmpty()) {
        list->selectionModel()->setCurrentIndex(list->model()->index(rows.first(), 0),
                                                QItemSelectionModel::NoUpdate);
    }
}

QStringList column(QTableWidget* list, int col) {
    QStringList out;
    for (int row = 0; row < list->rowCount(); ++row) {
        out << list->item(row, col)->text();
    }
    return out;
}

QStringList actionTexts(QMenu* menu, bool enabledOnly = false) {
    QStringList out;
    for (QAction* action : menu->actions()) {
        if (!action->isSeparator() && (!enabledOnly || action->isEnabled())) {
            out << action->text();
        }
    }
    return out;
}

QAction* action(QMenu* menu, const QString& text) {
    for (QAction* a : menu->actions()) {
        if (a->text() == text) {
            return a;
        }
    }
    return nullptr;
}

class TodoViewTest : public ::testing::Test {
  protected:
    TodoViewTest() {
        Profile::useFolder(dir.path());
        CTodolistView::resetFirstLoad();
        state.fixedClock = QDateTime(QDate(2026, 12, 7), QTime(21, 5));
    }
    ~TodoViewTest() override {
        view.reset();
        closeAllDatabases();
        Profile::useFolder({});
    }

    // The view on-line to a phone holding `state`'s items.
    CTodolistView& onlineView() {
        phoneSim = std::make_unique<EnginePhoneLink>(state);
        view = std::make_unique<CTodolistView>(phoneSim->link(), true);
        view->setDialogRunner([this](QDialog& dialog) { return dialogScript(dialog); });
        view->show();
        mark = static_cast<int>(phoneSim->line().writes().size());
        return *view;
    }
    // Off-line: the phone does not answer; the table holds `items`.
    CTodolistView& offlineView(const QList<TodoItem>& items) {
        {
            CToDoListDB table;
            for (const TodoItem& item : items) {
                table.AddRecord(item);
            }
        }
        state.maker = "Other";
        phoneSim = std::make_unique<EnginePhoneLink>(state);
        view = std::make_unique<CTodolistView>(phoneSim->link(), false);
        view->setDialogRunner([this](QDialog& dialog) { return dialogScript(dialog); });
        view->show();
        mark = static_cast<int>(phoneSim->line().writes().size());
        return *view;
    }

    QStringList sent() {
        QStringList out;
        const QList<QByteArray>& writes = phoneSim->line().writes();
        for (int i = mark; i < writes.size(); ++i) {
            out << QString::fromLatin1(writes[i]);
        }
        mark = static_cast<int>(writes.size());
        return out;
    }

    int dialogScript(QDialog& dialog) {
        ++dialogs;
        if (!onDialog) {
            ADD_FAILURE() << "unexpected dialog " << dialog.windowTitle().toStdString();
            return QDialog::Rejected;
        }
        return onDialog(dialog);
    }

    TempWorkDir dir;
    PhoneSimState state;
    std::unique_ptr<EnginePhoneLink> phoneSim;
    std::unique_ptr<CTodolistView> view;
    std::function<int(QDialog&)> onDialog;
    int dialogs = 0;
    int mark = 0;
};

TodoItem record(int index, const QString& contents, int priority = 0,
                const QDate& until = QDate(2026, 12, 10), bool done = false,
                const QString& doneDate = {}) {
    return TodoItem{index,         contents,    priority, until.year(),
                    until.month(), until.day(), done,     doneDate};
}

}  // namespace

TEST_F(TodoViewTest, FirstShowingOnlineLoadsOnceAndListsEveryItem) {
    state.todos[3] = phoneItem("Book dentist", 0, QDate(2026, 12, 4), true);
    state.todos[9] = phoneItem("Renew insurance", 1, QDate(2026, 12, 10));
    CTodolistView& v = onlineView();
    EXPECT_EQ(v.list()->rowCount(), 2);
    EXPECT_EQ(column(v.list(), 0), (QStringList{"Book dentist", "Renew insurance"}));
    EXPECT_EQ(v.list()->item(0, 3)->text(), "Done");
    EXPECT_EQ(v.list()->item(0, 4)->text(), "01-12-2026 08:30");
    EXPECT_EQ(v.list()->item(1, 1)->text(), "2");
    EXPECT_EQ(v.list()->item(1, 2)->text(), "10-12-2026");
    EXPECT_EQ(v.totalLabel()->text(), "TOTAL : 2/50");

    // A second view in the same run does not load again.
    view.reset();
    view = std::make_unique<CTodolistView>(phoneSim->link(), true);
    EXPECT_FALSE(sent().join("").contains("ctdr"));
    EXPECT_EQ(view->list()->rowCount(), 2);
}

TEST_F(TodoViewTest, FormHasItsTabsAndColumns) {
    CTodolistView& v = offlineView({});
    QTabBar* tabs = v.tabBar();
    ASSERT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->tabText(0), "    All    ");
    EXPECT_EQ(tabs->tabText(1), "    Today    ");
    EXPECT_EQ(tabs->tabText(2), "    Completed   ");
    EXPECT_EQ(tabs->tabText(3), "    Priority    ");
    EXPECT_EQ(tabs->tabRect(2).size(), QSize(100, 30));
    EXPECT_FALSE(tabs->tabIcon(0).isNull());
    const QStringList headings{"Contents", "Priority", "Until Date", "Mark", "Done Date"};
    const int widths[] = {302, 100, 150, 100, 150};
    for (int c = 0; c < 5; ++c) {
        EXPECT_EQ(v.list()->horizontalHeaderItem(c)->text(), headings[c]);
        EXPECT_EQ(v.list()->columnWidth(c), widths[c]);
    }
    EXPECT_EQ(v.totalLabel()->text(), "TOTAL : 0/50");
}

TEST_F(TodoViewTest, TabsFilterAndTheTabControlResetsTheSubFilter) {
    const QDate today = QDate::currentDate();
    CTodolistView& v = offlineView({record(1, "due today", 0, today),
                                    record(2, "done", 1, today.addDays(3), true, "x"),
                                    record(3, "later", 1, today.addDays(5))});
    QTabBar* tabs = v.tabBar();
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(1).center());
    EXPECT_EQ(v.currentTab(), 1);
    EXPECT_EQ(column(v.list(), 0), QStringList{"due today"});
    EXPECT_EQ(v.totalLabel()->text(), "TOTAL : 1/50");

    v.showTab(TodoTabPriority, 1);
    EXPECT_EQ(column(v.list(), 0), (QStringList{"done", "later"}));
    v.priority1();
    EXPECT_EQ(column(v.list(), 0), QStringList{"due today"});

    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(2).center());
    EXPECT_EQ(v.subFilter(), 0);
    EXPECT_EQ(column(v.list(), 0), QStringList{"done"});
    v.completedUndo();
    EXPECT_EQ(column(v.list(), 0), (QStringList{"due today", "later"}));
}

TEST_F(TodoViewTest, NewRefusesAtCapacityButFillsAGap) {
    QList<TodoItem> items;
    for (int i = 1; i <= 49; ++i) {
        items << record(i, QString("item %1").arg(i));
    }
    CTodolistView& v = offlineView(items);
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    v.newTodo();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text,
              "You can't enter more todolist due to the maximum capacity excess!");
    EXPECT_EQ(prompter.prompts()[0].caption, "Warining");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(dialogs, 0);

    v.table().DeleteByIndex(phoneSim->link(), 7);
    onDialog = [](QDialog& dialog) {
        auto& d = dynamic_cast<TodoItemDialog&>(dialog);
        EXPECT_EQ(d.windowTitle(), "New To Do List");
        EXPECT_TRUE(d.orderButton(0)->isChecked());
        EXPECT_EQ(d.untilEdit()->date(), QDate::currentDate());
        QTest::keyClicks(d.contentsEdit(), "Seventh");
        d.accept();
        return d.result();
    };
    v.newTodo();
    EXPECT_EQ(v.table().itemWithIndex(7)->contents, "Seventh");
    EXPECT_EQ(v.totalLabel()->text(), "TOTAL : 49/50");
}

TEST_F(TodoViewTest, NewDialogKeepsItsValuesWhenRefused) {
    state.todos.clear();
    CTodolistView& v = onlineView();
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok).then(PromptAnswer::Ok);
    onDialog = [](QDialog& dialog) {
        auto& d = dynamic_cast<TodoItemDialog&>(dialog);
        d.accept();
        EXPECT_NE(d.result(), QDialog::Accepted);
        QTest::keyClicks(d.contentsEdit(), QString(50, 'x'));
        EXPECT_EQ(d.contentsEdit()->text().size(), 42);
        d.contentsEdit()->setText("Say \"hi\"");
        d.accept();
        EXPECT_NE(d.result(), QDialog::Accepted);
        EXPECT_EQ(d.contentsEdit()->text(), "Say \"hi\"");
        d.contentsEdit()->setText("Say hi");
        QTest::mouseClick(d.orderButton(1), Qt::LeftButton);
        d.untilEdit()->setDate(QDate(2027, 3, 4));
        d.accept();
        return d.result();
    };
    v.newTodo();
    ASSERT_EQ(prompter.prompts().size(), 2);
    EXPECT_EQ(prompter.prompts()[0].text, "You must input contents field");
    EXPECT_EQ(prompter.prompts()[0].caption, "ERROR");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Error);
    EXPECT_EQ(sent(), QStringList{"at+ctdw=1,0,1,2027,3,4,\"Say hi\"\r"});
    EXPECT_EQ(v.currentTab(), TodoTabAll);
}

TEST_F(TodoViewTest, EditNeedsASelectionAndSavesOnlyAChange) {
    state.todos[4] = phoneItem("Pay rent", 0, QDate(2026, 12, 10));
    CTodolistView& v = onlineView();
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    v.editTodo();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "Please Select To Do List");
    EXPECT_EQ(prompter.prompts()[0].caption, "Warning");

    selectRows(v.list(), {0});
    onDialog = [](QDialog& dialog) {
        auto& d = dynamic_cast<TodoItemDialog&>(dialog);
        EXPECT_EQ(d.windowTitle(), "Edit To Do List");
        EXPECT_TRUE(d.markBox()->isHidden());
        EXPECT_EQ(d.contentsEdit()->text(), "Pay rent");
        EXPECT_EQ(d.untilEdit()->date(), QDate(2026, 12, 10));
        EXPECT_FALSE(d.changed());
        d.accept();
        return d.result();
    };
    v.editTodo();
    EXPECT_TRUE(sent().isEmpty());

    selectRows(v.list(), {0});
    onDialog = [](QDialog& dialog) {
        auto& d = dynamic_cast<TodoItemDialog&>(dialog);
        QTest::keyClicks(d.contentsEdit(), " now");
        EXPECT_TRUE(d.changed());
        d.accept();
        return d.result();
    };
    v.editTodo();
    EXPECT_EQ(sent(), (QStringList{"at+ctdd=4\r", "at+ctdw=4,0,0,2026,12,10,\"Pay rent now\"\r"}));
    EXPECT_EQ(column(v.list(), 0), QStringList{"Pay rent now"});
}

TEST_F(TodoViewTest, CopyOfADoneRowMakesANewItemNotDone) {
    state.todos[1] = phoneItem("Book dentist", 1, QDate(2026, 12, 4), true);
    CTodolistView& v = onlineView();
    selectRows(v.list(), {0});
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::No);
    v.copyTodo();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "Do you want to edit selected Item?");
    EXPECT_EQ(prompter.prompts()[0].caption, "Question");
    EXPECT_EQ(prompter.prompts()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(sent(), QStringList{"at+ctdw=2,0,1,2026,12,4,\"Book dentist\"\r"});
    EXPECT_EQ(v.table().itemWithIndex(2), record(2, "Book dentist", 1, QDate(2026, 12, 4)));
}

TEST_F(TodoViewTest, CopyThroughTheDialogAndItsCancel) {
    CTodolistView& v = offlineView({record(1, "a"), record(2, "b")});
    selectRows(v.list(), {0, 1});
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Yes).then(PromptAnswer::Yes);
    int round = 0;
    onDialog = [&round](QDialog& dialog) {
        auto& d = dynamic_cast<TodoItemDialog&>(dialog);
        if (round++ == 1) {
            return int(QDialog::Rejected);
        }
        d.contentsEdit()->setText("a, edited");
        d.accept();
        return d.result();
    };
    v.copyTodo();
    EXPECT_EQ(column(v.list(), 0), (QStringList{"a", "b", "a, edited"}));
}

TEST_F(TodoViewTest, CopyDropsWhatDoesNotFit) {
    QList<TodoItem> items;
    for (int i = 1; i <= 48; ++i) {
        items << record(i, QString("item %1").arg(i));
    }
    CTodolistView& v = offlineView(items);
    selectRows(v.list(), {0, 1, 2});
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::No).then(PromptAnswer::Ok);
    v.copyTodo();
    ASSERT_EQ(prompter.prompts().size(), 2);
    EXPECT_EQ(prompter.prompts()[1].text,
              "1 entries are copied. 2 entries are dropped. \nMaximum Capacity Exceeded!");
    EXPECT_EQ(prompter.prompts()[1].caption, "Warning");
    EXPECT_EQ(v.totalLabel()->text(), "TOTAL : 49/50");
}

TEST_F(TodoViewTest, DeleteAllOnTheTodayTabDeletesOnlyTodaysItems) {
    const QDate today = QDate::currentDate();
    state.todos[1] = phoneItem("today one", 0, today);
    state.todos[2] = phoneItem("tomorrow", 0, today.addDays(1));
    state.todos[3] = phoneItem("today two", 1, today);
    CTodolistView& v = onlineView();
    v.showTab(TodoTabToday, 0);
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Yes);
    v.deleteAllTodo();
    EXPECT_EQ(prompter.prompts()[0].text, "Do you want to delete all To Do List data?");
    EXPECT_EQ(prompter.prompts()[0].caption, "Delete All");
    EXPECT_EQ(sent(), (QStringList{"at+ctdd=1\r", "at+ctdd=3\r"}));
    EXPECT_EQ(v.list()->rowCount(), 0);
    v.showTab(TodoTabAll, 0);
    EXPECT_EQ(column(v.list(), 0), QStringList{"tomorrow"});
}

TEST_F(TodoViewTest, DeleteKeyAsksFirstWithNoAsTheDefault) {
    state.todos[1] = phoneItem("a", 0, QDate(2026, 12, 1));
    state.todos[2] = phoneItem("b", 0, QDate(2026, 12, 2));
    state.todos[3] = phoneItem("c", 0, QDate(2026, 12, 3));
    CTodolistView& v = onlineView();
    v.list()->setFocus();
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::No).then(PromptAnswer::Yes).then(PromptAnswer::Yes);

    selectRows(v.list(), {0, 2});
    QTest::keyClick(v.list(), Qt::Key_Delete);
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(column(v.list(), 0), (QStringList{"a", "b", "c"}));
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "Do you want to delete the 2 selected items?");
    EXPECT_EQ(prompter.prompts()[0].caption, "Delete");
    EXPECT_EQ(prompter.prompts()[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(prompter.prompts()[0].defaultAnswer, PromptAnswer::No);

    selectRows(v.list(), {0, 2});
    QTest::keyClick(v.list(), Qt::Key_Delete);
    EXPECT_EQ(sent(), (QStringList{"at+ctdd=1\r", "at+ctdd=3\r"}));
    EXPECT_EQ(column(v.list(), 0), QStringList{"b"});

    selectRows(v.list(), {0});
    v.deleteTodo();
    EXPECT_EQ(prompter.prompts().last().text, "Do you want to delete the selected item?");
    EXPECT_EQ(v.totalLabel()->text(), "TOTAL : 0/50");
}

TEST_F(TodoViewTest, UntilDateHeadingSortsAscendingThenDescendingWithTheArrow) {
    CTodolistView& v = offlineView({record(1, "mid", 0, QDate(2026, 6, 1)),
                                    record(2, "late", 0, QDate(2027, 1, 1)),
                                    record(3, "early", 0, QDate(2025, 12, 31))});
    QHeaderView* header = v.list()->horizontalHeader();
    const QPoint untilHeading(header->sectionViewportPosition(2) + 20, header->height() / 2);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, untilHeading);
    EXPECT_EQ(column(v.list(), 0), (QStringList{"early", "mid", "late"}));
    EXPECT_EQ(header->sortIndicatorSection(), 2);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, untilHeading);
    EXPECT_EQ(column(v.list(), 0), (QStringList{"late", "mid", "early"}));
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
}

TEST_F(TodoViewTest, MarkStampsOnlyItemsNotDoneAndUnMarkRewrites) {
    state.todos[1] = phoneItem("open", 0, QDate(2026, 12, 10));
    state.todos[2] = phoneItem("closed", 0, QDate(2026, 12, 10), true);
    CTodolistView& v = onlineView();
    selectRows(v.list(), {1});
    v.markTodo();
    EXPECT_TRUE(sent().isEmpty());

    selectRows(v.list(), {0});
    v.unmarkTodo();
    EXPECT_TRUE(sent().isEmpty());

    selectRows(v.list(), {0});
    v.markTodo();
    EXPECT_EQ(sent(), (QStringList{"at+ctdw=1,1\r", "at+ctdr=1\r"}));
    EXPECT_EQ(v.list()->item(0, 3)->text(), "Done");
    EXPECT_EQ(v.list()->item(0, 4)->text(), "07-12-2026 21:05");

    selectRows(v.list(), {1});
    v.unmarkTodo();
    EXPECT_EQ(sent(), (QStringList{"at+ctdd=2\r", "at+ctdw=2,0,0,2026,12,10,\"closed\"\r"}));
    EXPECT_EQ(v.list()->item(1, 3)->text(), "Undo");
    EXPECT_EQ(v.list()->item(1, 4)->text(), "");
}

TEST_F(TodoViewTest, RefusedRewriteIsReportedOnceAndLeavesTheRow) {
    state.todos[1] = phoneItem("closed", 0, QDate(2026, 12, 10), true);
    CTodolistView& v = onlineView();
    PhoneSimFaults faults;
    faults.errorPattern = "ctdw=1,0";
    phoneSim->engine().setFaults(faults);
    selectRows(v.list(), {0});
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    v.unmarkTodo();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "The phone did not accept the to-do item.");
    EXPECT_EQ(prompter.prompts()[0].caption, "To Do List");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(v.list()->item(0, 3)->text(), "Done");
    EXPECT_EQ(phoneSim->engine().state().todos.at(1).status, 2);
}

TEST_F(TodoViewTest, ContextMenus) {
    CTodolistView& v = offlineView({record(1, "open"), record(2, "closed", 0, {2026, 1, 1}, true)});
    std::unique_ptr<QMenu> none = v.listContextMenu();
    EXPECT_EQ(actionTexts(none.get()),
              (QStringList{"New", "Edit", "Copy", "Mark", "Delete", "Delete All"}));
    EXPECT_EQ(actionTexts(none.get(), true), (QStringList{"New", "Delete All"}));

    selectRows(v.list(), {1});
    EXPECT_EQ(actionTexts(v.listContextMenu().get(), true),
              (QStringList{"New", "Edit", "Copy", "UnMark", "Delete", "Delete All"}));
    selectRows(v.list(), {0});
    EXPECT_EQ(actionTexts(v.listContextMenu().get(), true),
              (QStringList{"New", "Edit", "Copy", "Mark", "Delete", "Delete All"}));

    EXPECT_EQ(v.tabContextMenu(QPoint(200, 10)), nullptr);  // tab 0 current
    v.showTab(TodoTabCompleted, 0);
    EXPECT_EQ(v.tabContextMenu(QPoint(150, 10)), nullptr);
    EXPECT_EQ(v.tabContextMenu(QPoint(260, 10)), nullptr);
    EXPECT_EQ(v.tabContextMenu(QPoint(200, 30)), nullptr);
    std::unique_ptr<QMenu> completed = v.tabContextMenu(QPoint(151, 29));
    ASSERT_NE(completed, nullptr);
    EXPECT_EQ(actionTexts(completed.get()), (QStringList{"Done", "Undo"}));
    action(completed.get(), "Undo")->trigger();
    EXPECT_EQ(v.subFilter(), 1);
    EXPECT_EQ(column(v.list(), 0), QStringList{"open"});

    v.showTab(TodoTabPriority, 0);
    EXPECT_EQ(v.tabContextMenu(QPoint(200, 10)), nullptr);
    std::unique_ptr<QMenu> priority = v.tabContextMenu(QPoint(300, 10));
    ASSERT_NE(priority, nullptr);
    EXPECT_EQ(actionTexts(priority.get()), (QStringList{"Priority 1", "Priority 2"}));
}

TEST_F(TodoViewTest, DoubleClickShowsTheContents) {
    CTodolistView& v = offlineView(
        {record(1, "Call Ann", 1, QDate(2001, 10, 9), true, "9-10-2001 14:05"), record(2, "b")});
    QString shown;
    onDialog = [&shown](QDialog& dialog) {
        shown = dynamic_cast<TodoContentsDialog&>(dialog).text();
        return int(QDialog::Accepted);
    };
    const QRect cell = v.list()->visualItemRect(v.list()->item(0, 0));
    QTest::mouseClick(v.list()->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(v.list()->viewport(), Qt::LeftButton, {}, cell.center());
    EXPECT_EQ(shown,
              "Contents : Call Ann\r\nOrder : 2\r\nUntil Date : 9-10-2001\r\nMark : Done\r\n"
              "Done Date : 9-10-2001 14:05\r\n");
    EXPECT_EQ(CTodolistView::contentsText(record(2, "b"), "Undo"),
              "Contents : b\r\nOrder : 1\r\nUntil Date : 10-12-2026\r\nMark : Undo\r\n"
              "Done Date : None\r\n");
}

TEST_F(TodoViewTest, ReloadOfflineSaysSoAndKeepsTheList) {
    CTodolistView& v = offlineView({record(1, "kept")});
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    v.reload();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "Now is OFF line");
    EXPECT_EQ(prompter.prompts()[0].caption, "Load");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Error);
    EXPECT_EQ(column(v.list(), 0), QStringList{"kept"});
}
