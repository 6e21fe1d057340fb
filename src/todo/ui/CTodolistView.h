// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>
#include <functional>
#include <memory>

#include "controls/SortHeader.h"
#include "todo/CToDoListDB.h"

class QDialog;
class QLabel;
class QMenu;
class QTabBar;
class QTableWidget;
class PhoneLink;

// The to-do view: the item list under its four filter tabs ("All", "Today", "Completed",
// "Priority"), its total line and the to-do commands. Every change goes through CToDoListDB;
// the list is refilled after each command.
class CTodolistView : public QWidget {
    Q_OBJECT

  public:
    // Takes the phone link and the on-line flag from the application object; without one the
    // view works off-line on the table alone.
    explicit CTodolistView(QWidget* parent = nullptr);
    // Tests hand in the link directly.
    CTodolistView(PhoneLink& link, bool online, QWidget* parent = nullptr);
    ~CTodolistView() override;

    int currentTab() const { return tab_; }
    int subFilter() const { return subFilter_; }
    QTableWidget* list() const { return list_; }
    QTabBar* tabBar() const { return tabs_; }
    QLabel* totalLabel() const { return total_; }
    CToDoListDB& table() { return *table_; }
    // The rows the list shows, in list order.
    const QList<TodoRow>& rows() const { return rows_; }

    // The list's context menu as it would pop up now.
    std::unique_ptr<QMenu> listContextMenu();
    // The tab control's context menu for a point in its coordinates; null where none opens.
    std::unique_ptr<QMenu> tabContextMenu(const QPoint& point);

    // The "View Contents" text of an item whose Mark column reads markText.
    static QString contentsText(const TodoItem& item, const QString& markText);

    // Modal dialogs run through this; tests drive the dialog instead of exec().
    void setDialogRunner(std::function<int(QDialog&)> runner) { runDialog_ = std::move(runner); }
    // The automatic load runs only at the first showing in a run.
    static void resetFirstLoad();

    // The height of a filter tab; the tab menus open only on the tabs themselves.
    static constexpr int kTabHeight = 30;

  public slots:
    // Toolbar.
    void newEntry();
    void editEntry();
    void copy();
    void deleteEntry();
    void deleteAll();
    void reload();
    // "To Do List" menu.
    void newTodo();
    void editTodo();
    void copyTodo();
    void deleteTodo();
    void deleteAllTodo();
    void markTodo();
    void unmarkTodo();
    void reloadTodo();
    // Sub-filters of the Priority and Completed tabs.
    void priority1();
    void priority2();
    void completedDone();
    void completedUndo();
    // Handed on to the main window's own commands.
    void help();
    void sca();
    void hyperTerminal();
    // Tab 0 All, 1 Today, 2 Completed, 3 Priority; also from the navigation bar's items.
    void showTab(int tab, int subFilter);
    // The double-click on a row.
    void viewContents();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    SortHeader sortHeader() const;
    void setUp(bool online);
    QWidget* buildForm();
    void refill();
    void drawTabImages();
    void setSubFilter(int subFilter);
    void headerClicked(int column);
    void showListMenu(const QPoint& globalPos);
    void showTabMenu(const QPoint& point);

    // Selected rows from the top; the focused selected row (or the first selected), or -1.
    QList<TodoRow> selectedRows() const;
    int chosenRow() const;
    TodoRow rowAt(int row) const;
    bool warnWithoutSelection() const;
    void mark(bool done);
    // Says once when the phone refused an item, and why contents were not taken.
    void report(const QList<TodoSaveResult>& results, const QString& contents = {});
    int runDialog(QDialog& dialog);
    void forwardToFrame(const char* slot);

    std::unique_ptr<PhoneLink> detachedLink_;
    PhoneLink* link_ = nullptr;
    std::unique_ptr<CToDoListDB> table_;
    QTabBar* tabs_ = nullptr;
    QTableWidget* list_ = nullptr;
    QLabel* total_ = nullptr;
    QList<TodoRow> rows_;
    int tab_ = TodoTabAll;
    int subFilter_ = 0;
    std::function<int(QDialog&)> runDialog_;
};
