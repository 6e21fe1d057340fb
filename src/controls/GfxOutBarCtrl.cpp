// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/GfxOutBarCtrl.h"

#include <QFontMetrics>
#include <QPainter>
#include <QTimer>

#include <algorithm>

const QColor CGfxOutBarCtrl::kBackColour(70, 70, 123);

CGfxOutBarCtrl::CGfxOutBarCtrl(QWidget* parent, int flags)
    : QWidget(parent),
      flags_(flags),
      hoverTimer_(new QTimer(this)),
      arrowTimer_(new QTimer(this)),
      animationTimer_(new QTimer(this)) {
    font_ = labelFont();
    setFont(font_);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);

    hoverTimer_->setInterval(kHoverCheckInterval);
    connect(hoverTimer_, &QTimer::timeout, this, &CGfxOutBarCtrl::hoverTimerTick);
    arrowTimer_->setInterval(kArrowRepeatInterval);
    connect(arrowTimer_, &QTimer::timeout, this, &CGfxOutBarCtrl::arrowTimerTick);
    animationTimer_->setInterval(animationDelay_);
    connect(animationTimer_, &QTimer::timeout, this, [this] { advanceAnimation(); });
}

CGfxOutBarCtrl::~CGfxOutBarCtrl() = default;

QFont CGfxOutBarCtrl::labelFont() {
    QFont font(QStringLiteral("Arial"));
    // Metric-compatible stand-ins keep the labels' widths where Arial itself is missing;
    // a generic sans font would be wider and cut "Cancel Delete" at the bar's width.
    font.setFamilies(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")});
    font.setStyleHint(QFont::SansSerif);
    font.setWeight(QFont::Normal);
    // The height names the whole character cell, not the em: take the largest pixel size
    // whose cell still fits.
    int pixels = kFontHeight;
    font.setPixelSize(pixels);
    while (pixels > 1 && QFontMetrics(font).height() > kFontHeight) {
        font.setPixelSize(--pixels);
    }
    return font;
}

// ---------------------------------------------------------------- content

int CGfxOutBarCtrl::addFolder(const QString& name, int data) {
    Folder folder;
    folder.name = name;
    folder.data = data;
    folders_.append(folder);
    update();
    return int(folders_.size()) - 1;
}

int CGfxOutBarCtrl::insertItem(int folder, int position, const QString& label, int image,
                               int data) {
    if (folder < 0 || folder >= folders_.size()) {
        return -1;
    }
    auto& items = folders_[folder].items;
    if (position < 0 || position > items.size()) {
        position = int(items.size());
    }
    items.insert(position, Item{label, image, data});
    if (folder == selectedFolder_) {
        update();
    }
    return position;
}

void CGfxOutBarCtrl::removeFolder(int position) {
    if (position < 0 || position >= folders_.size()) {
        return;
    }
    finishAnimation();
    cancelLabelEdit();
    endTracking();
    if (QWidget* child = folders_[position].child) {
        child->hide();
    }
    folders_.removeAt(position);
    if (selectedFolder_ == position) {
        firstVisibleItem_ = 0;
    }
    if (selectedFolder_ >= position) {
        selectedFolder_ = std::max(selectedFolder_ - 1, folders_.isEmpty() ? -1 : 0);
    }
    setHover(-1, -1);
    placeChildren();
    update();
    emit folderRemoved(position);
}

void CGfxOutBarCtrl::removeItem(int position) {
    if (selectedFolder_ < 0 || selectedFolder_ >= folders_.size()) {
        return;
    }
    auto& items = folders_[selectedFolder_].items;
    if (position < 0 || position >= items.size()) {
        return;
    }
    cancelLabelEdit();
    endTracking();
    items.removeAt(position);
    firstVisibleItem_ = std::clamp(firstVisibleItem_, 0, std::max(0, int(items.size()) - 1));
    setHover(hoverHeader_, -1);
    update(itemAreaRect());
    emit itemRemoved(position);
}

int CGfxOutBarCtrl::folderCount() const {
    return int(folders_.size());
}

QString CGfxOutBarCtrl::folderText(int folder) const {
    return folder >= 0 && folder < folders_.size() ? folders_[folder].name : QString();
}

int CGfxOutBarCtrl::folderData(int folder) const {
    return folder >= 0 && folder < folders_.size() ? folders_[folder].data : 0;
}

int CGfxOutBarCtrl::itemCount(int folder) const {
    return folder >= 0 && folder < folders_.size() ? int(folders_[folder].items.size()) : 0;
}

QString CGfxOutBarCtrl::itemText(int folder, int item) const {
    if (item < 0 || item >= itemCount(folder)) {
        return {};
    }
    return folders_[folder].items[item].label;
}

int CGfxOutBarCtrl::itemData(int folder, int item) const {
    if (item < 0 || item >= itemCount(folder)) {
        return 0;
    }
    return folders_[folder].items[item].data;
}

int CGfxOutBarCtrl::itemImage(int folder, int item) const {
    if (item < 0 || item >= itemCount(folder)) {
        return 0;
    }
    return folders_[folder].items[item].image;
}

void CGfxOutBarCtrl::setFolderText(int folder, const QString& name) {
    if (folder < 0 || folder >= folders_.size()) {
        return;
    }
    folders_[folder].name = name;
    update(folderHeaderRect(folder));
}

void CGfxOutBarCtrl::setItemText(int item, const QString& label) {
    if (item < 0 || item >= itemCount(selectedFolder_)) {
        return;
    }
    folders_[selectedFolder_].items[item].label = label;
    update(itemAreaRect());
}

OutBarImageList CGfxOutBarCtrl::setImageList(const OutBarImageList& list, ImageListKind kind) {
    OutBarImageList& slot = kind == LargeImages ? defaultLarge_ : defaultSmall_;
    OutBarImageList previous = slot;
    slot = list;
    update();
    return previous;
}

OutBarImageList CGfxOutBarCtrl::imageList(ImageListKind kind) const {
    return kind == LargeImages ? defaultLarge_ : defaultSmall_;
}

void CGfxOutBarCtrl::setFolderImageList(int folder, const OutBarImageList& list,
                                        ImageListKind kind) {
    if (folder < 0 || folder >= folders_.size()) {
        return;
    }
    (kind == LargeImages ? folders_[folder].largeImages : folders_[folder].smallImages) = list;
    update();
}

void CGfxOutBarCtrl::setFolderChild(int folder, QWidget* child) {
    if (folder < 0 || folder >= folders_.size()) {
        return;
    }
    if (QWidget* old = folders_[folder].child; old && old != child) {
        old->hide();
    }
    folders_[folder].child = child;
    if (child) {
        child->setParent(this);
        child->hide();
    }
    placeChildren();
    update();
}

// ---------------------------------------------------------------- display state

void CGfxOutBarCtrl::setSmallIconView(bool on) {
    firstVisibleItem_ = 0;
    const bool was = isSmallIconView();
    if (on) {
        flags_ |= SmallIconFlag;
    } else {
        flags_ &= ~SmallIconFlag;
    }
    if (was != on) {
        setHover(hoverHeader_, -1);
        update();
    }
}

void CGfxOutBarCtrl::setAnimated(bool on) {
    if (on) {
        flags_ |= AnimateFlag;
    } else {
        flags_ &= ~AnimateFlag;
    }
}

void CGfxOutBarCtrl::setAnimationDelay(int ms) {
    animationDelay_ = std::max(0, ms);
    animationTimer_->setInterval(animationDelay_);
}

void CGfxOutBarCtrl::setSelFolder(int position) {
    if (position == selectedFolder_ || position < 0 || position >= folders_.size()) {
        return;
    }
    finishAnimation();
    cancelLabelEdit();
    if (const Folder* open = openFolder(); open && open->child) {
        open->child->hide();
    }
    const int oldFolder = selectedFolder_;
    keyCursor_ = {HitFolder, position};
    const bool animate = isAnimated() && oldFolder >= 0 && oldFolder < folders_.size() &&
                         isVisible() && !size().isEmpty();
    if (animate) {
        animationFrom_ = QPixmap(size());
        QPainter painter(&animationFrom_);
        paintBar(painter);
    }
    setHover(-1, -1);
    selectedFolder_ = position;
    firstVisibleItem_ = 0;
    placeChildren();
    if (animate) {
        animationTo_ = QPixmap(size());
        QPainter painter(&animationTo_);
        paintBar(painter);
        painter.end();
        // The moving header travels from its old place to its new one.
        const int n = int(folders_.size());
        const int h = kHeaderHeight;
        const int bottom = height();
        if (position > oldFolder) {
            animationDistance_ = (bottom - h * (n - position)) - (position * h - 1);
        } else {
            animationDistance_ = (bottom - h * (n - position - 1)) - ((position + 1) * h - 1);
        }
        animationDistance_ = std::max(0, animationDistance_);
        animationFrames_ = (animationDistance_ + h - 1) / h;
        animationOldFolder_ = oldFolder;
        if (animationFrames_ > 0) {
            animationFrame_ = 0;
            animationTimer_->start();
        } else {
            finishAnimation();
        }
    }
    update();
}

bool CGfxOutBarCtrl::advanceAnimation() {
    if (!isAnimating()) {
        return false;
    }
    ++animationFrame_;
    if (animationFrame_ >= animationFrames_) {
        finishAnimation();
        return false;
    }
    update();
    return true;
}

void CGfxOutBarCtrl::finishAnimation() {
    if (!isAnimating()) {
        return;
    }
    animationTimer_->stop();
    animationFrame_ = -1;
    animationFrom_ = QPixmap();
    animationTo_ = QPixmap();
    placeChildren();
    update();
}
