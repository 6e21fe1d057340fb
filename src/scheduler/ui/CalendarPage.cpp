// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ui/CalendarPage.h"

#include <QCalendarWidget>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include "controls/FrozenGridEdges.h"
#include "controls/ListKeys.h"
#include "platform/PresentTime.h"
#include "platform/Prompter.h"
#include "scheduler/ScheduleEditing.h"
#include "scheduler/ScheduleRules.h"
#include "scheduler/ScheduleTexts.h"
#include "scheduler/ui/ScheduleContext.h"

namespace {

constexpr int kLabelColumnTwips = 870;
constexpr int kDailyColumnTwips = 11995;
constexpr int kWeeklyColumnTwips = 1717;
constexpr int kMonthlyColumnTwips = 1837;
constexpr int kHeaderRowTwips = 367;
constexpr int kHourRowTwips = 280;
constexpr int kDayNumberRowTwips = 294;
constexpr int kMonthEntryRowTwips = 895;
constexpr int kLongCellChars = 100;

}  // namespace

CalendarPage::CalendarPage(Kind kind, ScheduleContext& context, QWidget* parent)
    : QWidget(parent), kind_(kind), context_(context) {
    calendar_ = new QCalendarWidget(this);
    calendar_->setObjectName(QStringLiteral("calendar"));
    calendar_->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    colourScheduleCalendar(calendar_);
    calendar_->setSelectedDate(presentTime().date());

    dateLine_ = new QLabel(this);
    dateLine_->setObjectName(QStringLiteral("dateLine"));
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setWeight(QFont::Bold);
    dateLine_->setFont(font);
    dateLine_->setAutoFillBackground(true);
    dateLine_->setBackgroundRole(QPalette::Button);
    dateLine_->setAlignment(Qt::AlignCenter);
    dateLine_->setMinimumHeight(24);

    grid_ = new QTableWidget(this);
    grid_->setObjectName(QStringLiteral("grid"));
    // Tab moves the focus on, as in every report-style list; the arrows move the cell.
    grid_->setTabKeyNavigation(false);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->setSelectionBehavior(QAbstractItemView::SelectItems);
    grid_->horizontalHeader()->hide();
    grid_->verticalHeader()->hide();
    grid_->setContextMenuPolicy(Qt::CustomContextMenu);
    // The grid is wider than its pane: a chosen cell must not scroll the labels away.
    grid_->setAutoScroll(false);
    grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    grid_->viewport()->installEventFilter(this);
    grid_->installEventFilter(this);
    setUpGrid();
    if (kind_ != Monthly) {
        frozenEdges_ = new FrozenGridEdges(grid_);
    }

    auto* side = new QVBoxLayout;
    side->addWidget(calendar_);
    side->addWidget(dateLine_);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side);
    layout->addWidget(grid_, 1);

    connect(calendar_, &QCalendarWidget::selectionChanged, this, &CalendarPage::calendarChanged);
    connect(calendar_, &QCalendarWidget::currentPageChanged, this, &CalendarPage::pageChanged);
    connect(grid_, &QTableWidget::customContextMenuRequested, this, &CalendarPage::gridContextMenu);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, &CalendarPage::gridDoubleClicked);
    onEnterKey(grid_, [this] { gridDoubleClicked(grid_->currentRow(), grid_->currentColumn()); });
    connect(grid_, &QTableWidget::currentCellChanged, this,
            [this](int row, int column) { selectCell(row, column); });

    redraw();
    const QDate today = chosenDate();
    if (kind_ == Monthly) {
        int row = 0;
        int column = 0;
        monthlyDayCell(today, &row, &column);
        setCurrentCell(row + 1, column);
    } else {
        setCurrentCell(1, kind_ == Weekly ? today.dayOfWeek() % 7 + 1 : 1);
    }
}

CalendarPage::~CalendarPage() {
    // The grid and calendar outlive this part of the object while the children go.
    grid_->disconnect(this);
    calendar_->disconnect(this);
    delete frozenEdges_;
    delete tip_;
}

QTableWidgetItem* CalendarPage::itemAt(int row, int column) {
    QTableWidgetItem* item = grid_->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid_->setItem(row, column, item);
    }
    return item;
}

void CalendarPage::setUpGrid() {
    if (kind_ == Monthly) {
        grid_->setColumnCount(7);
        grid_->setRowCount(kMonthRows);
        for (int column = 0; column < 7; ++column) {
            grid_->setColumnWidth(column, pixels(kMonthlyColumnTwips));
        }
        for (int row = 0; row < kMonthRows; ++row) {
            grid_->setRowHeight(row,
                                pixels(row % 2 == 0 ? kDayNumberRowTwips : kMonthEntryRowTwips));
        }
        grid_->setWordWrap(true);
        return;
    }
    const int columns = kind_ == Daily ? 2 : 8;
    grid_->setColumnCount(columns);
    grid_->setRowCount(kHourRows);
    grid_->setColumnWidth(0, pixels(kLabelColumnTwips));
    for (int column = 1; column < columns; ++column) {
        grid_->setColumnWidth(column,
                              pixels(kind_ == Daily ? kDailyColumnTwips : kWeeklyColumnTwips));
    }
    grid_->setRowHeight(0, pixels(kHeaderRowTwips));
    for (int row = 1; row < kHourRows; ++row) {
        grid_->setRowHeight(row, pixels(kHourRowTwips));
        QTableWidgetItem* label = itemAt(row, 0);
        label->setText(hourRowLabel(row));
        label->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setBackground(row <= 12 ? QColor(240, 240, 240) : QColor(230, 230, 230));
    }
    grid_->setWordWrap(false);
}

QDate CalendarPage::chosenDate() const {
    return calendar_->selectedDate();
}

void CalendarPage::setChosenDate(const QDate& date) {
    if (date == chosenDate()) {
        redraw();
        return;
    }
    calendar_->setSelectedDate(date);
}

void CalendarPage::calendarChanged() {
    if (chosenDate().year() > kScheduleLastYear) {
        showMessage(QStringLiteral("You must input year within 1900 - 2037."),
                    QStringLiteral("Warning"), PromptIcon::Warning);
        calendar_->setSelectedDate(presentTime().date());
        return;  // the change back redraws
    }
    redraw();
    if (kind_ == Weekly && grid_->currentColumn() > 0) {
        setCurrentCell(std::max(1, grid_->currentRow()), chosenDate().dayOfWeek() % 7 + 1);
    } else if (kind_ == Monthly) {
        int row = 0;
        int column = 0;
        monthlyDayCell(chosenDate(), &row, &column);
        setCurrentCell(row + 1, column);
    } else {
        selectCell(grid_->currentRow(), grid_->currentColumn());
    }
}

// Paging the small calendar to another month takes the chosen day along (the same day of the
// month, or the month's last), so the grid shows the month the calendar shows.
void CalendarPage::pageChanged(int year, int month) {
    const QDate chosen = chosenDate();
    if (chosen.year() == year && chosen.month() == month) {
        return;
    }
    const QDate first(year, month, 1);
    calendar_->setSelectedDate(first.addDays(std::min(chosen.day(), first.daysInMonth()) - 1));
}

void CalendarPage::redraw() {
    drawDateLine();
    drawHeader();
    fill();
}

void CalendarPage::setCurrentCell(int row, int column) {
    grid_->setCurrentCell(row, column);
    selectCell(row, column);
}

QDate CalendarPage::dayOfCell(int row, int column) const {
    const QDate day = chosenDate();
    switch (kind_) {
        case Daily:
            return day;
        case Weekly:
            return column >= 1 ? weekStart(day).addDays(column - 1) : day;
        case Monthly:
            return monthlyCellDay(day, row, column);
    }
    return day;
}

bool CalendarPage::isEntryCell(int row, int column) const {
    if (row < 0 || column < 0 || row >= grid_->rowCount() || column >= grid_->columnCount()) {
        return false;
    }
    if (kind_ == Monthly) {
        return row % 2 == 1 && dayOfCell(row, column).isValid();
    }
    return row >= 1 && column >= 1;
}

bool CalendarPage::selectCell(int row, int column) {
    if (!isEntryCell(row, column)) {
        return false;
    }
    const QDate day = dayOfCell(row, column);
    context_.selected = kind_ == Monthly ? QDateTime(day, QTime(0, 0)) : hourRowTime(day, row);
    return true;
}

QString CalendarPage::cellText(int row, int column) const {
    const QTableWidgetItem* item = grid_->item(row, column);
    return item ? item->text() : QString();
}

QString CalendarPage::cellFullText(int row, int column) const {
    const QTableWidgetItem* item = grid_->item(row, column);
    return item ? item->data(Qt::UserRole).toString() : QString();
}

bool CalendarPage::holdsSeveral(const QString& text) const {
    switch (kind_) {
        case Daily:
            return text.contains(kDailyJoin);
        case Weekly:
            return text.contains(kWeeklyJoin);
        case Monthly:
            return text.contains(QLatin1Char('\n'));
    }
    return false;
}

void CalendarPage::fixMonthlySelection() {
    if (kind_ != Monthly) {
        return;
    }
    const QDate day = context_.selected.date();
    for (const ScheduleEntry& entry :
         shownScheduleEntries(context_.link, *context_.phoneSchedule, *context_.reminders)) {
        if (entryDate(entry) == day && entry.contents == context_.contents) {
            context_.selected = QDateTime(day, QTime(entry.hour, entry.minute));
        }
    }
}

QString CalendarPage::toolTipText() const {
    return tip_ && tip_->isVisible() ? tip_->text() : QString();
}

void CalendarPage::showLongCellTip(int row, int column, const QPoint& at) {
    hideTip();
    if (!isEntryCell(row, column)) {
        return;
    }
    const QString text = cellText(row, column);
    if (text.size() <= kLongCellChars) {
        return;
    }
    tip_ =
        new QLabel(QString(text).replace(kDailyJoin, QStringLiteral("   \n")), grid_, Qt::ToolTip);
    tip_->setStyleSheet(QStringLiteral(
        "QLabel { background-color: rgb(210, 255, 200); color: black; border: 1px solid gray;"
        " padding: 2px; }"));
    tip_->adjustSize();
    tip_->move(at + QPoint(12, 12));
    tip_->show();
}

void CalendarPage::hideTip() {
    delete tip_;
    tip_ = nullptr;
}

bool CalendarPage::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid_->viewport()) {
        if (event->type() == QEvent::MouseButtonPress) {
            hideTip();
        } else if (event->type() == QEvent::MouseButtonRelease) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            const QModelIndex index = grid_->indexAt(mouse->position().toPoint());
            if (index.isValid()) {
                showLongCellTip(index.row(), index.column(),
                                grid_->viewport()->mapToGlobal(mouse->position().toPoint()));
            }
        }
    } else if (watched == grid_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Delete) {
            deleteEntry();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CalendarPage::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
