// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QTableWidget>

#include "phonebook/PhonebookEntry.h"

// One phonebook list of the view: three columns ("No", "Name", "Phone Number"), grid lines,
// full-row and extended selection. Selected rows can be dragged onto any phonebook list; the
// list under the cursor reports the drop with the list it came from.
class PhonebookListWidget : public QTableWidget {
    Q_OBJECT
  public:
    PhonebookListWidget(PhonebookMemory memory, QWidget* parent = nullptr);

    PhonebookMemory memory() const { return memory_; }

    // Replaces every row and selects the given position (none when -1).
    void fill(const PhonebookListContents& contents);
    // Selected rows in list order.
    QList<int> selectedPositions() const;
    // The current row when it is also selected, else -1.
    int focusedSelectedPosition() const;
    // The three column texts of a row.
    PhonebookListRow rowTexts(int position) const;

    static QString mimeType();

  signals:
    void droppedFrom(PhonebookMemory source, PhonebookMemory target);
    void deleteKeyPressed();
    // The arrow (or paging) keys moved the current row of this list.
    void selectionMovedByKeys();

  protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    PhonebookMemory memory_;
};
