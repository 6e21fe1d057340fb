#include "todo/ui/CTodolistView.h"

CTodolistView::CTodolistView(QWidget* parent) : QWidget(parent) {}

void CTodolistView::newEntry() {}
void CTodolistView::editEntry() {}
void CTodolistView::copy() {}
void CTodolistView::deleteEntry() {}
void CTodolistView::deleteAll() {}
void CTodolistView::reload() {}
void CTodolistView::newTodo() {}
void CTodolistView::editTodo() {}
void CTodolistView::copyTodo() {}
void CTodolistView::deleteTodo() {}
void CTodolistView::deleteAllTodo() {}
void CTodolistView::markTodo() {}
void CTodolistView::unmarkTodo() {}
void CTodolistView::reloadTodo() {}
void CTodolistView::showTab(int, int) {}
