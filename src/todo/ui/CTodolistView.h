#pragma once

#include <QWidget>

// The to-do view: the item list under its filter tabs and its commands.
class CTodolistView : public QWidget {
    Q_OBJECT

  public:
    explicit CTodolistView(QWidget* parent = nullptr);

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
    // Tab 0 All, 1 Today, 2 Completed, 3 Priority; also from the navigation bar's items.
    void showTab(int tab, int subFilter);
};
