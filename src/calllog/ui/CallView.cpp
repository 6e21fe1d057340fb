// SPDX-License-Identifier: GPL-3.0-or-later
#include "calllog/ui/CallView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kTitleLeft = 10;
constexpr int kTitleRight = 200;
constexpr int kTitleHeight = 50;

}  // namespace

CCallView::CCallView(QWidget* parent) : QWidget(parent) {
    callLogGroup_ = new QGroupBox(QStringLiteral("Call Log"), this);
    callList_ = new QTreeWidget(callLogGroup_);
    callList_->setColumnCount(0);
    callList_->setRootIsDecorated(false);
    callList_->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* callLogLayout = new QVBoxLayout(callLogGroup_);
    callLogLayout->addWidget(callList_);

    optionGroup_ = new QGroupBox(QStringLiteral("Option"), this);
    outgoing_ = new QCheckBox(QStringLiteral("Out going"), optionGroup_);
    incoming_ = new QCheckBox(QStringLiteral("In coming"), optionGroup_);
    auto* optionLayout = new QVBoxLayout(optionGroup_);
    optionLayout->addWidget(outgoing_);
    optionLayout->addWidget(incoming_);

    messageGroup_ = new QGroupBox(QStringLiteral("Message"), this);
    items_ = new QComboBox(messageGroup_);
    items_->setEditable(true);
    items_->setInsertPolicy(QComboBox::InsertAlphabetically);
    items_->addItems(
        {QStringLiteral("Phone Number"), QStringLiteral("Date / Time"), QStringLiteral("Name")});
    items_->model()->sort(0);
    items_->setCurrentIndex(-1);
    search_ = new QLineEdit(messageGroup_);
    auto* messageLayout = new QFormLayout(messageGroup_);
    messageLayout->addRow(QStringLiteral("Items"), items_);
    messageLayout->addRow(QStringLiteral("Search Value"), search_);

    auto* side = new QVBoxLayout;
    side->addWidget(optionGroup_);
    side->addWidget(messageGroup_);
    side->addStretch();

    auto* body = new QHBoxLayout;
    body->addWidget(callLogGroup_, 1);
    body->addLayout(side);

    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(10, kTitleHeight, 10, 10);
    page->addLayout(body);

    onInitialUpdate();
}

void CCallView::onInitialUpdate() {
    titleFont_ = QFont(QStringLiteral("Arial"));
    titleFont_.setPixelSize(24);
    titleFont_.setWeight(QFont::Bold);
    titleFont_.setItalic(true);
    titleFont_.setUnderline(false);
    titleText_ = QStringLiteral("Dexmoro Call Log");
    update(titleRect());
}

QRect CCallView::titleRect() const {
    // The band is 190 pixels wide, stretched when this font needs more so the title is never cut.
    const int needed = QFontMetrics(titleFont_).horizontalAdvance(titleText_) + 2;
    return QRect(kTitleLeft, 0, std::max(kTitleRight - kTitleLeft, needed), kTitleHeight);
}

void CCallView::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    if (titleText_.isEmpty()) {
        return;
    }
    // Highlight one pixel down-right, shadow on top: engraved on any colour scheme.
    QPainter painter(this);
    painter.setFont(titleFont_);
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;
    painter.setPen(palette().color(QPalette::Light));
    painter.drawText(titleRect().translated(1, 1), flags, titleText_);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawText(titleRect(), flags, titleText_);
}
