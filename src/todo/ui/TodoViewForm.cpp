// SPDX-License-Identifier: GPL-3.0-or-later
// The to-do view's form: the fixed-size tabs with their images, the list and the total line.

#include <QFrame>
#include <QHeaderView>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTabBar>
#include <QTableWidget>

#include "controls/ListKeys.h"
#include "todo/ui/CTodolistView.h"

namespace {

constexpr int kTabWidth = 100;
constexpr int kImageWidth = 10;

const char* const kTabCaptions[] = {"    All    ", "    Today    ", "    Completed   ",
                                    "    Priority    "};
const char* const kHeadings[] = {"Contents", "Priority", "Until Date", "Mark", "Done Date"};
constexpr int kColumnWidths[] = {302, 100, 150, 100, 150};

// Tabs of a fixed size, as the form lays them out.
class TodoTabBar : public QTabBar {
  public:
    using QTabBar::QTabBar;

  protected:
    QSize tabSizeHint(int) const override { return QSize(kTabWidth, CTodolistView::kTabHeight); }
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

}  // namespace

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
    onEnterKey(list_, [this] { viewContents(); });

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
