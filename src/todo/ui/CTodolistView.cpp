// SPDX-License-Identifier: GPL-3.0-or-later
#include "todo/ui/CTodolistView.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "controls/MenuMnemonics.h"
#include "phone/ApplicationPhone.h"
#include "phone/DetachedPhoneLink.h"
#include "phone/PhoneLink.h"
#include "todo/ui/TodoItemDialog.h"

namespace {

bool loadedOnce = false;

// The right-click bands of the tab captions that open a sub-filter menu.
constexpr int kCompletedBandLeft = 150;
constexpr int kCompletedBandRight = 260;
constexpr int kPriorityBandLeft = 253;
constexpr int kPriorityBandRight = 353;

QAction* addCommand(QMenu& menu, const QString& text, QObject* target,
                    void (CTodolistView::*slot)(), bool enabled = true) {
    QAction* action = menu.addAction(text);
    action->setEnabled(enabled);
    QObject::connect(action, &QAction::triggered, target,
                     [target, slot] { (static_cast<CTodolistView*>(target)->*slot)(); });
    return action;
}

}  // namespace

CTodolistView::CTodolistView(QWidget* parent) : QWidget(parent) {
    const ApplicationPhone phone = applicationPhone();
    link_ = &applicationLinkOr(detachedLink_);
    setUp(phone.link && phone.online);
}

CTodolistView::CTodolistView(PhoneLink& link, bool online, QWidget* parent)
    : QWidget(parent), link_(&link) {
    setUp(online);
}

CTodolistView::~CTodolistView() = default;

void CTodolistView::resetFirstLoad() {
    loadedOnce = false;
}

void CTodolistView::setUp(bool online) {
    table_ = std::make_unique<CToDoListDB>();
    table_->Open();

    // The form keeps its layout; a smaller pane scrolls it.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(buildForm());
    scroll->setWidgetResizable(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll);

    if (online && !loadedOnce && link_->Identify()) {
        loadedOnce = true;
        reload();
        return;
    }
    refill();
}

void CTodolistView::refill() {
    rows_ = table_->ListRows(tab_, subFilter_);
    list_->clearSelection();
    list_->setRowCount(0);
    list_->setRowCount(static_cast<int>(rows_.size()));
    for (int row = 0; row < rows_.size(); ++row) {
        for (int column = 0; column < 5; ++column) {
            auto* cell = new QTableWidgetItem(rows_[row].texts.value(column));
            cell->setTextAlignment(Qt::AlignCenter);
            list_->setItem(row, column, cell);
        }
    }
    total_->setText(CToDoListDB::TotalText(static_cast<int>(rows_.size())));
}

void CTodolistView::showTab(int tab, int subFilter) {
    if (tab < TodoTabAll || tab > TodoTabPriority) {
        return;
    }
    tab_ = tab;
    subFilter_ = subFilter == 0 ? 0 : 1;
    if (tabs_->currentIndex() != tab) {
        tabs_->setCurrentIndex(tab);
    }
    drawTabImages();
    refill();
}

void CTodolistView::setSubFilter(int subFilter) {
    subFilter_ = subFilter;
    refill();
}

void CTodolistView::priority1() {
    setSubFilter(0);
}

void CTodolistView::priority2() {
    setSubFilter(1);
}

void CTodolistView::completedDone() {
    setSubFilter(0);
}

void CTodolistView::completedUndo() {
    setSubFilter(1);
}

// ---- selection ----

TodoRow CTodolistView::rowAt(int row) const {
    TodoRow out;
    out.index = row < rows_.size() ? rows_[row].index : -1;
    for (int column = 0; column < 5; ++column) {
        const QTableWidgetItem* cell = list_->item(row, column);
        out.texts << (cell ? cell->text() : QString());
    }
    return out;
}

QList<TodoRow> CTodolistView::selectedRows() const {
    QList<TodoRow> out;
    for (int row = 0; row < list_->rowCount(); ++row) {
        if (list_->selectionModel()->isRowSelected(row, QModelIndex())) {
            out.append(rowAt(row));
        }
    }
    return out;
}

int CTodolistView::chosenRow() const {
    const QModelIndex current = list_->currentIndex();
    if (current.isValid() && list_->selectionModel()->isRowSelected(current.row(), QModelIndex())) {
        return current.row();
    }
    for (int row = 0; row < list_->rowCount(); ++row) {
        if (list_->selectionModel()->isRowSelected(row, QModelIndex())) {
            return row;
        }
    }
    return -1;
}

// ---- commands ----

void CTodolistView::newEntry() {
    newTodo();
}
void CTodolistView::editEntry() {
    editTodo();
}
void CTodolistView::copy() {
    copyTodo();
}
void CTodolistView::deleteEntry() {
    deleteTodo();
}
void CTodolistView::deleteAll() {
    deleteAllTodo();
}
void CTodolistView::reload() {
    reloadTodo();
}

// ---- frame commands ----

void CTodolistView::forwardToFrame(const char* slot) {
    QWidget* frame = window();
    if (frame && frame != this) {
        QMetaObject::invokeMethod(frame, slot, Qt::DirectConnection);
    }
}

void CTodolistView::help() {
    forwardToFrame("helpContents");
}

void CTodolistView::sca() {
    forwardToFrame("sca");
}

void CTodolistView::hyperTerminal() {
    forwardToFrame("hyperTerminal");
}

// ---- sorting and menus ----

SortHeader CTodolistView::sortHeader() const {
    QList<ColumnSort> columns;
    for (int column = TodoContentsColumn; column <= TodoDoneColumn; ++column) {
        columns.append({CToDoListDB::sortFor(column, false), CToDoListDB::sortFor(column, true)});
    }
    return SortHeader(list_->horizontalHeader(), columns);
}

void CTodolistView::headerClicked(int column) {
    const SortHeader header = sortHeader();
    table_->setSort(header.clicked(column, table_->sort()));
    refill();
    header.show(table_->sort());
}

std::unique_ptr<QMenu> CTodolistView::listContextMenu() {
    auto menu = std::make_unique<QMenu>(this);
    const int chosen = chosenRow();
    const bool hasSelection = list_->rowCount() > 0 && chosen >= 0;
    const QModelIndex current = list_->currentIndex();
    const bool focusedDone =
        hasSelection && current.isValid() &&
        list_->selectionModel()->isRowSelected(current.row(), QModelIndex()) &&
        rowAt(current.row()).texts.value(TodoMarkColumn) == QLatin1String("Done");
    addCommand(*menu, QStringLiteral("New"), this, &CTodolistView::newTodo);
    addCommand(*menu, QStringLiteral("Edit"), this, &CTodolistView::editTodo, hasSelection);
    addCommand(*menu, QStringLiteral("Copy"), this, &CTodolistView::copyTodo, hasSelection);
    if (focusedDone) {
        addCommand(*menu, QStringLiteral("UnMark"), this, &CTodolistView::unmarkTodo);
    } else {
        addCommand(*menu, QStringLiteral("Mark"), this, &CTodolistView::markTodo, hasSelection);
    }
    menu->addSeparator();
    addCommand(*menu, QStringLiteral("Delete"), this, &CTodolistView::deleteTodo, hasSelection);
    addCommand(*menu, QStringLiteral("Delete All"), this, &CTodolistView::deleteAllTodo);
    return menu;
}

std::unique_ptr<QMenu> CTodolistView::tabContextMenu(const QPoint& point) {
    if (point.y() < 0 || point.y() >= kTabHeight) {
        return nullptr;
    }
    const int x = point.x();
    if (tab_ == TodoTabCompleted && x > kCompletedBandLeft && x < kCompletedBandRight) {
        auto menu = std::make_unique<QMenu>(this);
        addCommand(*menu, QStringLiteral("Done"), this, &CTodolistView::completedDone);
        addCommand(*menu, QStringLiteral("Undo"), this, &CTodolistView::completedUndo);
        return menu;
    }
    if (tab_ == TodoTabPriority && x > kPriorityBandLeft && x < kPriorityBandRight) {
        auto menu = std::make_unique<QMenu>(this);
        addCommand(*menu, QStringLiteral("Priority 1"), this, &CTodolistView::priority1);
        addCommand(*menu, QStringLiteral("Priority 2"), this, &CTodolistView::priority2);
        return menu;
    }
    return nullptr;
}

void CTodolistView::showListMenu(const QPoint& globalPos) {
    std::unique_ptr<QMenu> menu = listContextMenu();
    addMnemonics(menu.get());
    menu->exec(globalPos);
}

void CTodolistView::showTabMenu(const QPoint& point) {
    if (std::unique_ptr<QMenu> menu = tabContextMenu(point)) {
        addMnemonics(menu.get());
        menu->exec(tabs_->mapToGlobal(point));
    }
}

bool CTodolistView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteTodo();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

int CTodolistView::runDialog(QDialog& dialog) {
    return runDialog_ ? runDialog_(dialog) : dialog.exec();
}
