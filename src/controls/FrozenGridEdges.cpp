// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/FrozenGridEdges.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

FrozenGridEdges::FrozenGridEdges(QTableView* grid) : QObject(grid), grid_(grid) {
    row_ = makeOverlay();
    column_ = makeOverlay();
    corner_ = makeOverlay();
    row_->setObjectName(QStringLiteral("frozenRow"));
    column_->setObjectName(QStringLiteral("frozenColumn"));

    // Each overlay scrolls along the one way its edge runs.
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, row_->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, column_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(row_->horizontalScrollBar(), &QScrollBar::valueChanged, grid_->horizontalScrollBar(),
            &QScrollBar::setValue);
    connect(column_->verticalScrollBar(), &QScrollBar::valueChanged, grid_->verticalScrollBar(),
            &QScrollBar::setValue);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionResized, this,
            &FrozenGridEdges::syncSizes);
    connect(grid_->verticalHeader(), &QHeaderView::sectionResized, this,
            &FrozenGridEdges::syncSizes);
    connect(grid_->model(), &QAbstractItemModel::modelReset, this, &FrozenGridEdges::syncSizes);
    connect(grid_->model(), &QAbstractItemModel::rowsInserted, this, &FrozenGridEdges::syncSizes);
    connect(grid_->model(), &QAbstractItemModel::columnsInserted, this,
            &FrozenGridEdges::syncSizes);
    grid_->installEventFilter(this);
    grid_->viewport()->installEventFilter(this);
    grid_->viewport()->stackUnder(row_);
    grid_->viewport()->stackUnder(column_);
    syncSizes();
}

FrozenGridEdges::~FrozenGridEdges() {
    grid_->removeEventFilter(this);
    grid_->viewport()->removeEventFilter(this);
    delete corner_;
    delete column_;
    delete row_;
}

QTableView* FrozenGridEdges::makeOverlay() {
    auto* view = new QTableView(grid_);
    view->setModel(grid_->model());
    view->setSelectionModel(grid_->selectionModel());
    view->setFocusPolicy(Qt::NoFocus);
    view->setFrameShape(QFrame::NoFrame);
    view->horizontalHeader()->hide();
    view->verticalHeader()->hide();
    view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    view->setHorizontalScrollMode(grid_->horizontalScrollMode());
    view->setVerticalScrollMode(grid_->verticalScrollMode());
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionMode(grid_->selectionMode());
    view->setWordWrap(grid_->wordWrap());
    view->setAutoScroll(false);
    view->show();
    return view;
}

void FrozenGridEdges::syncSizes() {
    const QAbstractItemModel* model = grid_->model();
    for (QTableView* view : {row_, column_, corner_}) {
        for (int c = 0; c < model->columnCount(); ++c) {
            view->setColumnWidth(c, grid_->columnWidth(c));
            view->setColumnHidden(c, view != row_ && c > 0);
        }
        for (int r = 0; r < model->rowCount(); ++r) {
            view->setRowHeight(r, grid_->rowHeight(r));
            view->setRowHidden(r, view != column_ && r > 0);
        }
    }
    place();
}

void FrozenGridEdges::place() {
    const QRect area = grid_->viewport()->geometry();
    const int labelWidth = grid_->columnWidth(0);
    const int headerHeight = grid_->rowHeight(0);
    row_->setGeometry(area.left(), area.top(), area.width(), std::min(headerHeight, area.height()));
    column_->setGeometry(area.left(), area.top(), std::min(labelWidth, area.width()),
                         area.height());
    corner_->setGeometry(area.left(), area.top(), std::min(labelWidth, area.width()),
                         std::min(headerHeight, area.height()));
    row_->horizontalScrollBar()->setValue(grid_->horizontalScrollBar()->value());
    column_->verticalScrollBar()->setValue(grid_->verticalScrollBar()->value());
    row_->raise();
    column_->raise();
    corner_->raise();
}

bool FrozenGridEdges::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == grid_ || watched == grid_->viewport()) &&
        (event->type() == QEvent::Resize || event->type() == QEvent::Show ||
         event->type() == QEvent::LayoutRequest)) {
        place();
    }
    return QObject::eventFilter(watched, event);
}
