// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QList>
#include <QPoint>
#include <QWidget>

#include "scheduler/ScheduleCalendar.h"

class FrozenGridEdges;
class QCalendarWidget;
class QLabel;
class QMenu;
class QTableWidget;
class QTableWidgetItem;
struct ScheduleContext;

// One calendar page of the scheduler: the month calendar, the bold date line and the grid of
// entries of one day (Daily), its week (Weekly) or its month (Monthly), with the scheduler's
// commands on the grid's current cell.
class CalendarPage : public QWidget {
    Q_OBJECT

  public:
    enum Kind { Daily, Weekly, Monthly };

    // Grid sizes are kept in twips, 15 to a pixel.
    static int pixels(int twips) { return (twips + 7) / 15; }

    CalendarPage(Kind kind, ScheduleContext& context, QWidget* parent = nullptr);
    ~CalendarPage() override;

    Kind kind() const { return kind_; }
    QCalendarWidget* calendar() const { return calendar_; }
    QLabel* dateLine() const { return dateLine_; }
    QTableWidget* grid() const { return grid_; }
    // The text of the long-cell tool-tip while it shows, else empty.
    QString toolTipText() const;

    QDate chosenDate() const;
    // Chooses the date in the calendar and redraws (a year above 2037 is refused).
    void setChosenDate(const QDate& date);
    // Date line, header and fill again.
    void redraw();

    // Makes the cell current, as a click does.
    void setCurrentCell(int row, int column);
    // The context menu of a cell, with its greying.
    QMenu* buildContextMenu(int row, int column, QWidget* parent);

  public slots:
    void newEntry(int type);
    void editEntry();
    void copyEntry();
    void moveEntry();
    void deleteEntry();
    void deleteDay();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

  private:
    void setUpGrid();
    void calendarChanged();
    void pageChanged(int year, int month);
    QTableWidgetItem* itemAt(int row, int column);
    void paintDayCell(int row, int column, const QDate& day);
    void drawDateLine();
    void drawHeader();
    void fill();
    void blankFilledCells();
    // Writes the chosen cell's date and hour into the shared selection; false outside the
    // entry cells.
    bool selectCell(int row, int column);
    QString selectedEntryText(int row, int column);
    bool isEntryCell(int row, int column) const;
    QString cellText(int row, int column) const;      // as shown
    QString cellFullText(int row, int column) const;  // uncut, one entry per line
    bool holdsSeveral(const QString& text) const;
    QDate dayOfCell(int row, int column) const;
    // On the Monthly page: the selected time becomes that of the last row of the day whose
    // contents are the selected contents.
    void fixMonthlySelection();
    void copyOrMove(bool move);
    void showLongCellTip(int row, int column, const QPoint& at);
    void hideTip();
    void gridContextMenu(const QPoint& at);
    void gridDoubleClicked(int row, int column);

    Kind kind_;
    ScheduleContext& context_;
    QCalendarWidget* calendar_;
    QLabel* dateLine_;
    QTableWidget* grid_;
    QLabel* tip_ = nullptr;
    FrozenGridEdges* frozenEdges_ = nullptr;
    QList<std::pair<int, int>> filled_;
};
