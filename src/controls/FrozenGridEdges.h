// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QTableView;

// Keeps a grid's first row (its header) and first column (its labels) in place while the rest
// of the grid scrolls under them: views of the same cells laid over the grid's edges, sharing
// its model and selection. Its owner deletes it before the grid goes.
class FrozenGridEdges : public QObject {
    Q_OBJECT

  public:
    explicit FrozenGridEdges(QTableView* grid);
    // Takes the overlays along: they share the grid's model, which goes with the grid.
    ~FrozenGridEdges() override;

    QTableView* rowView() const { return row_; }
    QTableView* columnView() const { return column_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QTableView* makeOverlay();
    void syncSizes();
    void place();

    QTableView* grid_;
    QTableView* row_;
    QTableView* column_;
    QTableView* corner_;
};
