// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/ui/PhonebookListWidget.h"

#include <algorithm>

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMimeData>

PhonebookListWidget::PhonebookListWidget(PhonebookMemory memory, QWidget* parent)
    : QTableWidget(0, 3, parent), memory_(memory) {
    setHorizontalHeaderLabels(
        {QStringLiteral("No"), QStringLiteral("Name"), QStringLiteral("Phone Number")});
    setColumnWidth(0, 50);
    setColumnWidth(1, 90);
    setColumnWidth(2, 116);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->hide();
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A report list: Tab moves the focus on to the next control, only the arrow keys move the
    // selection (a table steps cell by cell with Tab and wraps onto the next row).
    setTabKeyNavigation(false);
    setWordWrap(false);
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    setDefaultDropAction(Qt::CopyAction);
}

void PhonebookListWidget::fill(const PhonebookListContents& contents) {
    clearSelection();
    setRowCount(0);
    setRowCount(contents.rows.size());
    for (int row = 0; row < contents.rows.size(); ++row) {
        const PhonebookListRow& texts = contents.rows[row];
        setItem(row, 0, new QTableWidgetItem(texts.number));
        setItem(row, 1, new QTableWidgetItem(texts.name));
        setItem(row, 2, new QTableWidgetItem(texts.phoneNumber));
    }
    if (contents.selectedPosition >= 0 && contents.selectedPosition < rowCount()) {
        setCurrentCell(contents.selectedPosition, 0,
                       QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        scrollToItem(item(contents.selectedPosition, 0));
    }
}

QList<int> PhonebookListWidget::selectedPositions() const {
    QList<int> positions;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        positions.append(index.row());
    }
    std::sort(positions.begin(), positions.end());
    return positions;
}

int PhonebookListWidget::focusedSelectedPosition() const {
    const QModelIndex current = currentIndex();
    if (!current.isValid() || !selectionModel()->isRowSelected(current.row(), QModelIndex())) {
        return -1;
    }
    return current.row();
}

PhonebookListRow PhonebookListWidget::rowTexts(int position) const {
    auto text = [&](int column) {
        const QTableWidgetItem* cell = item(position, column);
        return cell ? cell->text() : QString();
    };
    return PhonebookListRow{text(0), text(1), text(2)};
}

QString PhonebookListWidget::mimeType() {
    return QStringLiteral("application/x-dexmoro-phonebook-list");
}

void PhonebookListWidget::startDrag(Qt::DropActions) {
    if (selectedPositions().isEmpty()) {
        return;
    }
    auto* mime = new QMimeData;
    mime->setData(mimeType(), QByteArray::number(int(memory_)));
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction);
}

void PhonebookListWidget::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasFormat(mimeType())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void PhonebookListWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasFormat(mimeType())) {
        event->acceptProposedAction();
    } else {
        event->ignore();
    }
}

void PhonebookListWidget::dropEvent(QDropEvent* event) {
    if (!event->mimeData()->hasFormat(mimeType())) {
        event->ignore();
        return;
    }
    bool ok = false;
    const int source = event->mimeData()->data(mimeType()).toInt(&ok);
    if (!ok || source < MemorySim || source > MemoryPc) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    // The copy may show message boxes; let the drag finish first.
    const auto from = PhonebookMemory(source);
    QMetaObject::invokeMethod(
        this, [this, from] { emit droppedFrom(from, memory_); }, Qt::QueuedConnection);
}

void PhonebookListWidget::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
        emit deleteKeyPressed();
        return;
    }
    const QModelIndex before = currentIndex();
    QTableWidget::keyPressEvent(event);
    if (currentIndex() != before) {
        emit selectionMovedByKeys();
    }
}
