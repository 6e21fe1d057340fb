#include "todo/ui/CTodolistView.h"

#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QTabBar>
#include <QTableWidget>
#include <QVBoxLayout>

#include "phone/ApplicationPhone.h"
#include "phone/DetachedPhoneLink.h"
#include "phone/PhoneLink.h"
#include "phone/PhoneSafeText.h"
#include "platform/Prompter.h"
#include "todo/ui/TodoItemDialog.h"

namespace {

bool loadedOnce = false;

// A port number beyond any serial port: the link stays closed without touching a device.
constexpr int kTabWidth = 100;
constexpr int kTabHeight = 30;
constexpr int kImageWidth = 10;

const char* const kTabCaptions[] = {"    All    ", "    Today    ", "    Completed   ",
                                    "    Priority    "};
const char* const kHeadings[] = {"Contents", "Priority", "Until Date", "Mark", "Done Date"};
constexpr int kColumnWidths[] = {302, 100, 150, 100, 150};

// The right-click bands of the tab captions that open a sub-filter menu.
constexpr int kCompletedBandLeft = 150;
constexpr int kCompletedBandRight = 260;
constexpr int kPriorityBandLeft = 253;
constexpr int kPriorityBandRight = 353;

const QString kSelectFirst = QStringLiteral("Please Select To Do List");

void warn(const QString& text) {
    showMessage(text, QStringLiteral("Warning"), PromptIcon::Warning);
}

// Tabs of a fixed size, as the form lays them out.
class TodoTabBar : public QTabBar {
  public:
    using QTabBar::QTabBar;

  protected:
    QSize tabSizeHint(int) const override { return QSize(kTabWidth, kTabHeight); }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }
};

// The strip of tab images: image 0 marks the current tab, image 1 the others; grey is
// transparent.
QList<QIcon> tabImages() {
    const QColor transparent(128, 128, 128);
    QImage strip(2 * kImageWidth, kImageWidth, QImage::Format_RGB32);
    strip.fill(transparent);
    QPainter painter(&strip);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(200, 40, 40));
    painter.drawEllipse(QRect(1, 1, 8, 8));
    painter.setPen(QColor(40, 40, 40));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRect(kImageWidth + 2, 2, 6, 6));
    painter.end();
    QPixmap pixmap = QPixmap::fromImage(strip);
    pixmap.setMask(pixmap.createMaskFromColor(transparent, Qt::MaskInColor));
    return {QIcon(pixmap.copy(0, 0, kImageWidth, kImageWidth)),
            QIcon(pixmap.copy(kImageWidth, 0, kImageWidth, kImageWidth))};
}

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

QWidget* CTodolistView::buildForm() {
    auto* form = new QWidget;
    form->setObjectName(QStringLiteral("todoForm"));

    tabs_ = new TodoTabBar(form);
    tabs_->setObjectName(QStringLiteral("todoTabs"));
    tabs_->setExpanding(false);
    // The captions carry their own blanks; a fixed tab shows what fits rather than an ellipsis.
    tabs_->setElideMode(Qt::ElideNone);
    tabs_->setUsesScrollButtons(false);
    tabs_->setIconSize(QSize(kImageWidth, kImageWidth));
    for (const char* caption : kTabCaptions) {
        tabs_->addTab(QString::fromLatin1(caption));
    }
    tabs_->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(tabs_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& point) { showTabMenu(point); });

    auto* frame = new QFrame(form);
    frame->setFrameShape(QFrame::StyledPanel);

    list_ = new QTableWidget(0, 5, frame);
    list_->setObjectName(QStringLiteral("todoList"));
    QStringList headings;
    for (const char* heading : kHeadings) {
        headings << QString::fromLatin1(heading);
    }
    list_->setHorizontalHeaderLabels(headings);
    int listWidth = 0;
    for (int column = 0; column < 5; ++column) {
        list_->setColumnWidth(column, kColumnWidths[column]);
        list_->horizontalHeaderItem(column)->setTextAlignment(Qt::AlignCenter);
        listWidth += kColumnWidths[column];
    }
    list_->horizontalHeader()->setSectionsClickable(true);
    list_->horizontalHeader()->setHighlightSections(false);
    list_->verticalHeader()->hide();
    list_->setShowGrid(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setTabKeyNavigation(false);
    list_->setWordWrap(false);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->installEventFilter(this);
    connect(list_, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { showListMenu(list_->viewport()->mapToGlobal(at)); });
    connect(list_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { headerClicked(column); });
    connect(list_, &QTableWidget::cellDoubleClicked, this, [this] { viewContents(); });

    total_ = new QLabel(form);
    total_->setObjectName(QStringLiteral("todoTotal"));

    const int listFrameWidth = listWidth + 24;
    tabs_->setGeometry(10, 10, 4 * kTabWidth, kTabHeight);
    frame->setGeometry(10, 10 + kTabHeight, listFrameWidth, 400);
    list_->setGeometry(4, 4, listFrameWidth - 8, 392);
    total_->setGeometry(10, 10 + kTabHeight + 408, 200, 20);
    form->setFixedSize(listFrameWidth + 20, 10 + kTabHeight + 408 + 30);

    tabs_->setCurrentIndex(TodoTabAll);
    drawTabImages();
    // Connected last: the tab control's own change shows the tab with sub-filter 0.
    connect(tabs_, &QTabBar::currentChanged, this, [this](int tab) {
        if (tab != tab_) {
            showTab(tab, 0);
        }
    });
    return form;
}

void CTodolistView::drawTabImages() {
    static const QList<QIcon> images = tabImages();
    for (int tab = 0; tab < tabs_->count(); ++tab) {
        tabs_->setTabIcon(tab, images[tab == tab_ ? 0 : 1]);
    }
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

bool CTodolistView::warnWithoutSelection() const {
    if (chosenRow() < 0) {
        warn(kSelectFirst);
        return true;
    }
    return false;
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

void CTodolistView::reloadTodo() {
    if (link_->Identify()) {
        table_->LoadFromPhone(*link_);
    } else {
        showMessage(QStringLiteral("Now is OFF line"), QStringLiteral("Load"), PromptIcon::Error);
    }
    showTab(tab_, 0);
}

void CTodolistView::newTodo() {
    if (table_->NextFreeIndex() >= kTodoCapacity) {
        showMessage(QStringLiteral("You can't enter more todolist due to the maximum capacity "
                                   "excess!"),
                    QStringLiteral("Warining"), PromptIcon::Warning);
        return;
    }
    TodoItemDialog dialog(TodoItemDialog::Kind::New, this);
    if (runDialog(dialog) != QDialog::Accepted) {
        refill();
        return;
    }
    const TodoDialogValues values = dialog.values();
    report({table_->SaveItem(*link_, -1, values.contents, values.priority, values.until.year(),
                             values.until.month(), values.until.day(), false, QString())});
    showTab(TodoTabAll, 0);
}

void CTodolistView::editTodo() {
    if (warnWithoutSelection()) {
        return;
    }
    const std::optional<TodoItem> record = table_->FindRecordForRow(rowAt(chosenRow()).texts);
    if (!record) {
        refill();
        return;
    }
    TodoItemDialog dialog(TodoItemDialog::Kind::Edit, this);
    dialog.setValues({record->contents, record->priority, record->untilDate()});
    if (runDialog(dialog) != QDialog::Accepted || !dialog.changed()) {
        refill();
        return;
    }
    const TodoDialogValues values = dialog.values();
    report({table_->SaveItem(*link_, record->index, values.contents, values.priority,
                             values.until.year(), values.until.month(), values.until.day(),
                             record->mark, record->mark ? record->doneDate : QString())});
    showTab(tab_, 0);
}

void CTodolistView::copyTodo() {
    if (table_->NextFreeIndex() >= kTodoCapacity) {
        warn(QStringLiteral("Maximum Capacity Exceeded!"));
        return;
    }
    const QList<TodoRow> rows = selectedRows();
    if (rows.isEmpty()) {
        warn(kSelectFirst);
        return;
    }
    int copied = 0;
    int dropped = 0;
    QList<TodoSaveResult> results;
    QString unsafeContents;
    for (const TodoRow& row : rows) {
        const int priority = row.texts.value(TodoPriorityColumn).toInt() - 1;
        const QDate until = CToDoListDB::ParseUntilText(row.texts.value(TodoUntilColumn));
        const bool marked = row.texts.value(TodoMarkColumn) == QLatin1String("Done");
        const QString doneDate = marked ? row.texts.value(TodoDoneColumn) : QString();
        if (table_->NextFreeIndex() >= kTodoCapacity) {
            ++dropped;
            continue;
        }
        TodoItem item{-1,
                      row.texts.value(TodoContentsColumn),
                      priority,
                      until.year(),
                      until.month(),
                      until.day(),
                      marked,
                      doneDate};
        if (askQuestion(QStringLiteral("Do you want to edit selected Item?"),
                        QStringLiteral("Question")) == PromptAnswer::Yes) {
            TodoItemDialog dialog(TodoItemDialog::Kind::Edit, this);
            dialog.setValues({item.contents, item.priority, until});
            if (runDialog(dialog) != QDialog::Accepted) {
                continue;
            }
            const TodoDialogValues values = dialog.values();
            item.contents = values.contents;
            item.priority = values.priority;
            item.year = values.until.year();
            item.month = values.until.month();
            item.day = values.until.day();
        }
        const TodoSaveResult result = table_->SaveItem(*link_, item);
        results.append(result);
        if (result.outcome == TodoSaveOutcome::UnsafeText) {
            unsafeContents = item.contents;
        }
        if (result.outcome != TodoSaveOutcome::UnsafeText &&
            result.outcome != TodoSaveOutcome::TableFailed) {
            ++copied;
        }
    }
    refill();
    if (dropped > 0) {
        warn(QStringLiteral("%1 entries are copied. %2 entries are dropped. \nMaximum Capacity "
                            "Exceeded!")
                 .arg(copied)
                 .arg(dropped));
    }
    report(results, unsafeContents);
}

void CTodolistView::deleteTodo() {
    const QList<TodoRow> rows = selectedRows();
    if (rows.isEmpty()) {
        warn(kSelectFirst);
        return;
    }
    table_->DeleteSelectedRows(*link_, rows);
    refill();
}

void CTodolistView::deleteAllTodo() {
    if (askQuestion(QStringLiteral("Do you want to delete all To Do List data?"),
                    QStringLiteral("Delete All")) == PromptAnswer::Yes) {
        QList<TodoRow> listed;
        for (int row = 0; row < list_->rowCount(); ++row) {
            listed.append(rowAt(row));
        }
        table_->DeleteAllRows(*link_, listed);
    }
    refill();
}

void CTodolistView::markTodo() {
    mark(true);
}

void CTodolistView::unmarkTodo() {
    mark(false);
}

void CTodolistView::mark(bool done) {
    if (warnWithoutSelection()) {
        return;
    }
    const TodoRow row = rowAt(chosenRow());
    // Already in the wanted state: nothing to do.
    if (row.texts.value(TodoMarkColumn) == (done ? QLatin1String("Done") : QLatin1String("Undo"))) {
        refill();
        return;
    }
    std::optional<TodoItem> record = table_->FindRecordForRow(row.texts);
    if (!record) {
        refill();
        return;
    }
    record->mark = done;
    record->doneDate.clear();  // marking: the phone stamps the date
    report({table_->SaveItem(*link_, *record)}, record->contents);
    showTab(TodoTabAll, 0);
}

void CTodolistView::viewContents() {
    const int chosen = chosenRow();
    if (chosen < 0) {
        warn(kSelectFirst);
        return;
    }
    const TodoRow row = rowAt(chosen);
    const std::optional<TodoItem> record = table_->FindRecordForRow(row.texts);
    if (!record) {
        return;
    }
    TodoContentsDialog dialog(contentsText(*record, row.texts.value(TodoMarkColumn)), this);
    runDialog(dialog);
}

QString CTodolistView::contentsText(const TodoItem& item, const QString& markText) {
    const QString end = QStringLiteral("\r\n");
    return QStringLiteral("Contents : ") + item.contents + end + QStringLiteral("Order : ") +
           QString::number(item.priority + 1) + end + QStringLiteral("Until Date : ") +
           CToDoListDB::UntilText(item.year, item.month, item.day) + end +
           QStringLiteral("Mark : ") + markText + end + QStringLiteral("Done Date : ") +
           (item.mark ? item.doneDate : QStringLiteral("None")) + end;
}

void CTodolistView::report(const QList<TodoSaveResult>& results, const QString& contents) {
    bool refused = false;
    bool unsafe = false;
    for (const TodoSaveResult& result : results) {
        refused = refused || result.phoneRefused();
        unsafe = unsafe || result.outcome == TodoSaveOutcome::UnsafeText;
    }
    if (unsafe) {
        warn(phoneSafeTextProblem(contents, PhoneTextKind::Contents));
    }
    if (refused) {
        warnTodoPhoneRefused();
    }
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

void CTodolistView::headerClicked(int column) {
    table_->ToggleSort(column);
    refill();
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
    menu->exec(globalPos);
}

void CTodolistView::showTabMenu(const QPoint& point) {
    if (std::unique_ptr<QMenu> menu = tabContextMenu(point)) {
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
