#include "scheduler/ui/CalendarPage.h"

#include <QCalendarWidget>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTableWidget>
#include <QVBoxLayout>

#include <array>

#include "platform/PresentTime.h"
#include "platform/Prompter.h"
#include "scheduler/ScheduleEditing.h"
#include "scheduler/ScheduleSync.h"
#include "scheduler/ScheduleTexts.h"
#include "scheduler/ui/ScheduleContext.h"
#include "scheduler/ui/ScheduleCopyMoveDialog.h"
#include "scheduler/ui/ScheduleEntryDialog.h"
#include "scheduler/ui/ScheduleListDialog.h"

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
constexpr int kLatestYear = 2037;

const QColor kSundayText(200, 0, 0);
const QColor kSaturdayText(4, 0, 197);
const QColor kSundayBack(255, 230, 230);
const QColor kSaturdayBack(214, 224, 255);
const QColor kWeekdayBack(230, 230, 230);
const QColor kPastText(100, 100, 100);
const QColor kPastBack(230, 230, 230);

const std::array<const char*, 4> kMarks = {"(R)", "(C)", "(M)", "(B)"};

QColor dayTextColour(const QDate& day) {
    switch (day.dayOfWeek()) {
        case Qt::Sunday:
            return kSundayText;
        case Qt::Saturday:
            return kSaturdayText;
        default:
            return Qt::black;
    }
}

QColor dayBackColour(const QDate& day) {
    switch (day.dayOfWeek()) {
        case Qt::Sunday:
            return kSundayBack;
        case Qt::Saturday:
            return kSaturdayBack;
        default:
            return kWeekdayBack;
    }
}

QTableWidgetItem* itemAt(QTableWidget* grid, int row, int column) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        grid->setItem(row, column, item);
    }
    return item;
}

void paintDayCell(QTableWidget* grid, int row, int column, const QDate& day) {
    QTableWidgetItem* item = itemAt(grid, row, column);
    item->setText(day.isValid() ? QString::number(day.day()) : QString());
    item->setForeground(day.isValid() ? dayTextColour(day) : QColor(Qt::black));
    item->setBackground(day.isValid() ? dayBackColour(day) : QColor(Qt::white));
}

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

    auto* side = new QVBoxLayout;
    side->addWidget(calendar_);
    side->addWidget(dateLine_);
    side->addStretch(1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(side);
    layout->addWidget(grid_, 1);

    connect(calendar_, &QCalendarWidget::selectionChanged, this, &CalendarPage::calendarChanged);
    connect(grid_, &QTableWidget::customContextMenuRequested, this, &CalendarPage::gridContextMenu);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, &CalendarPage::gridDoubleClicked);
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
    delete tip_;
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
        QTableWidgetItem* label = itemAt(grid_, row, 0);
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
    if (chosenDate().year() > kLatestYear) {
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

void CalendarPage::redraw() {
    drawDateLine();
    drawHeader();
    fill();
}

void CalendarPage::drawDateLine() {
    const QDate day = chosenDate();
    dateLine_->setText(scheduleDateText(day.year(), day.month(), day.day()));
    QPalette palette = dateLine_->palette();
    // On the button-face background the label draws in the button text colour.
    palette.setColor(QPalette::WindowText, dayTextColour(day));
    palette.setColor(QPalette::ButtonText, dayTextColour(day));
    dateLine_->setPalette(palette);
}

void CalendarPage::drawHeader() {
    const QDate day = chosenDate();
    if (kind_ == Daily) {
        paintDayCell(grid_, 0, 1, day);
        itemAt(grid_, 0, 1)->setTextAlignment(Qt::AlignCenter);
    } else if (kind_ == Weekly) {
        const QDate sunday = weekStart(day);
        for (int column = 1; column <= 7; ++column) {
            paintDayCell(grid_, 0, column, sunday.addDays(column - 1));
            itemAt(grid_, 0, column)->setTextAlignment(Qt::AlignCenter);
        }
    } else {
        for (int row = 0; row < kMonthRows; row += 2) {
            for (int column = 0; column < 7; ++column) {
                const QDate cellDay = monthlyCellDay(day, row, column);
                paintDayCell(grid_, row, column, cellDay);
                QTableWidgetItem* item = itemAt(grid_, row, column);
                item->setForeground(cellDay.isValid() ? dayTextColour(cellDay) : QColor(Qt::black));
                // The column, not the day, gives the background.
                item->setBackground(column == 0   ? kSundayBack
                                    : column == 6 ? kSaturdayBack
                                                  : kWeekdayBack);
            }
        }
    }
}

void CalendarPage::blankFilledCells() {
    for (const auto& [row, column] : filled_) {
        QTableWidgetItem* item = itemAt(grid_, row, column);
        item->setText(QString());
        item->setData(Qt::UserRole, QVariant());
        item->setForeground(QColor(Qt::black));
        item->setBackground(QColor(Qt::white));
    }
    filled_.clear();
}

void CalendarPage::fill() {
    blankFilledCells();
    const QList<ScheduleEntry> entries =
        shownScheduleEntries(context_.link, *context_.phoneSchedule, *context_.reminders);
    const QDate day = chosenDate();
    QList<CalendarCell> cells;
    switch (kind_) {
        case Daily:
            cells = dailyCells(entries, day, presentTime());
            break;
        case Weekly:
            cells = weeklyCells(entries, day, presentTime());
            break;
        case Monthly:
            cells = monthlyCells(entries, day);
            break;
    }
    for (const CalendarCell& cell : cells) {
        QTableWidgetItem* item = itemAt(grid_, cell.row, cell.column);
        item->setText(cell.text);
        item->setData(Qt::UserRole, cell.fullText);
        item->setTextAlignment(Qt::AlignLeft |
                               (kind_ == Monthly ? Qt::AlignTop : Qt::AlignVCenter));
        item->setForeground(cell.past ? kPastText : QColor(Qt::black));
        item->setBackground(cell.past ? kPastBack : QColor(Qt::white));
        filled_.append({cell.row, cell.column});
    }
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

void CalendarPage::newEntry(int type) {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    if (!selectCell(row, column)) {
        // No entry cell chosen: the chosen day, at the first hour row.
        context_.selected =
            kind_ == Monthly ? QDateTime(chosenDate(), QTime(0, 0)) : hourRowTime(chosenDate(), 1);
    }
    ScheduleEntryDialog dialog(type, context_, false, this);
    if (dialog.exec() == QDialog::Accepted) {
        fill();
    }
}

void CalendarPage::editEntry() {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    if (!selectCell(row, column)) {
        return;
    }
    const QString text = cellText(row, column);
    if (holdsSeveral(text)) {
        ScheduleListDialog dialog(ScheduleListDialog::Edit, context_, kind_ == Monthly, this);
        dialog.exec();
        if (dialog.changed()) {
            fill();
        }
        return;
    }
    const QString full = cellFullText(row, column);
    for (int type = ScheduleReminder; type <= ScheduleBirthday; ++type) {
        const QString mark = QString::fromLatin1(kMarks[static_cast<size_t>(type - 1)]);
        if (full.contains(mark)) {
            context_.contents = QString(full).remove(mark);
            fixMonthlySelection();
            ScheduleEntryDialog dialog(type, context_, true, this);
            if (dialog.exec() == QDialog::Accepted) {
                fill();
            }
            return;
        }
    }
}

void CalendarPage::copyOrMove(bool move) {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    const QString text = cellText(row, column);
    if (!selectCell(row, column) || text.isEmpty()) {
        showMessage(QStringLiteral("Please select Schedule"), QStringLiteral("Warning"),
                    PromptIcon::Warning);
        return;
    }
    if (holdsSeveral(text)) {
        ScheduleListDialog dialog(move ? ScheduleListDialog::Move : ScheduleListDialog::Copy,
                                  context_, kind_ == Monthly, this);
        dialog.exec();
        if (dialog.changed()) {
            fill();
        }
        return;
    }
    context_.contents = contentsOfCellText(cellFullText(row, column));
    fixMonthlySelection();
    ScheduleCopyMoveDialog dialog(move, context_, this);
    if (dialog.exec() == QDialog::Accepted) {
        fill();
    }
}

void CalendarPage::copyEntry() {
    copyOrMove(false);
}

void CalendarPage::moveEntry() {
    copyOrMove(true);
}

void CalendarPage::deleteEntry() {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    const QString text = cellText(row, column);
    if (!selectCell(row, column) || text.isEmpty()) {
        showMessage(QStringLiteral("Please select Schedule"), QStringLiteral("Warning"),
                    PromptIcon::Warning);
        return;
    }
    if (holdsSeveral(text)) {
        ScheduleListDialog dialog(ScheduleListDialog::Delete, context_, kind_ == Monthly, this);
        dialog.exec();
        fill();
        return;
    }
    if (askQuestion(QStringLiteral("Do you delete Schedule?"), QStringLiteral("Delete"),
                    PromptButtons::OkCancel) != PromptAnswer::Ok) {
        return;
    }
    context_.contents = contentsOfCellText(cellFullText(row, column));
    RemoveScheduleEntry(context_.link, *context_.phoneSchedule, *context_.reminders,
                        context_.selection(kind_ == Monthly));
    fill();
}

void CalendarPage::deleteDay() {
    const int row = grid_->currentRow();
    const int column = grid_->currentColumn();
    QDate day = chosenDate();
    if (selectCell(row, column)) {
        day = dayOfCell(row, column);
    } else if (kind_ == Weekly && column >= 1) {
        day = dayOfCell(row, column);
    }
    if (askQuestion(QStringLiteral("Do you want to delete Day schedule?"),
                    kind_ == Monthly ? QStringLiteral("Delete Day") : QStringLiteral("Delete"),
                    PromptButtons::OkCancel) != PromptAnswer::Ok) {
        return;
    }
    removeDaySchedules(context_.link, *context_.phoneSchedule, *context_.reminders, day,
                       kind_ == Monthly ? DayRule::CalendarDay : DayRule::HourRows);
    fill();
}

QMenu* CalendarPage::buildContextMenu(int row, int column, QWidget* parent) {
    auto* menu = new QMenu(parent);
    QMenu* newMenu = menu->addMenu(QStringLiteral("New"));
    const QStringList kinds = {QStringLiteral("Reminder"), QStringLiteral("Call"),
                               QStringLiteral("Meeting"), QStringLiteral("Birthday")};
    for (int type = ScheduleReminder; type <= ScheduleBirthday; ++type) {
        connect(newMenu->addAction(kinds[type - 1]), &QAction::triggered, this,
                [this, type] { newEntry(type); });
    }
    const bool holdsEntry = isEntryCell(row, column) && !cellText(row, column).isEmpty();
    const std::array<std::pair<const char*, void (CalendarPage::*)()>, 5> commands = {{
        {"Edit", &CalendarPage::editEntry},
        {"Copy", &CalendarPage::copyEntry},
        {"Move", &CalendarPage::moveEntry},
        {"Delete", &CalendarPage::deleteEntry},
        {"Delete Day", &CalendarPage::deleteDay},
    }};
    for (const auto& [text, slot] : commands) {
        QAction* action = menu->addAction(QString::fromLatin1(text));
        action->setEnabled(holdsEntry || QLatin1String(text) == QLatin1String("Delete Day"));
        connect(action, &QAction::triggered, this, slot);
    }
    return menu;
}

void CalendarPage::gridContextMenu(const QPoint& at) {
    const QModelIndex index = grid_->indexAt(at);
    if (!index.isValid()) {
        return;
    }
    setCurrentCell(index.row(), index.column());
    QMenu* menu = buildContextMenu(index.row(), index.column(), this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(grid_->viewport()->mapToGlobal(at));
}

void CalendarPage::gridDoubleClicked(int row, int column) {
    if (!isEntryCell(row, column)) {
        return;
    }
    setCurrentCell(row, column);
    if (cellText(row, column).isEmpty()) {
        newEntry(ScheduleReminder);
    } else {
        editEntry();
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
