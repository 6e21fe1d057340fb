// SPDX-License-Identifier: GPL-3.0-or-later
// Where the folders, items and arrows lie, and what a point hits.

#include "controls/GfxOutBarCtrl.h"

#include <QFontMetrics>
#include <QStyle>
#include <QTimer>

#include <algorithm>

namespace {

constexpr int kArrowMargin = 4;
constexpr int kLargeLabelMaxHeight = 10000;

}  // namespace

const CGfxOutBarCtrl::Folder* CGfxOutBarCtrl::openFolder() const {
    if (selectedFolder_ < 0 || selectedFolder_ >= folders_.size()) {
        return nullptr;
    }
    return &folders_[selectedFolder_];
}

const OutBarImageList& CGfxOutBarCtrl::imagesInUse() const {
    const Folder* folder = openFolder();
    if (isSmallIconView()) {
        return folder && !folder->smallImages.isNull() ? folder->smallImages : defaultSmall_;
    }
    return folder && !folder->largeImages.isNull() ? folder->largeImages : defaultLarge_;
}

QSize CGfxOutBarCtrl::imageSizeInUse() const {
    const OutBarImageList& list = imagesInUse();
    return list.isNull() ? QSize(0, 0) : list.imageSize;
}

QRect CGfxOutBarCtrl::folderHeaderRect(int folder) const {
    const int n = int(folders_.size());
    if (folder < 0 || folder >= n) {
        return {};
    }
    const int h = kHeaderHeight;
    if (folder <= selectedFolder_) {
        return QRect(0, folder * h - 1, width(), h);
    }
    return QRect(0, height() - h * (n - folder), width(), h);
}

QRect CGfxOutBarCtrl::itemAreaRect() const {
    const int n = int(folders_.size());
    const int h = kHeaderHeight;
    const int top = (selectedFolder_ + 1) * h - 1;
    const int bottom = height() - (n - selectedFolder_ - 1) * h;  // exclusive
    return QRect(0, top, width(), std::max(0, bottom - top));
}

QRect CGfxOutBarCtrl::largeLabelBounds(const QString& label) const {
    const QFontMetrics metrics(font_);
    const int width = std::max(1, itemAreaRect().width());
    return metrics.boundingRect(QRect(0, 0, width, kLargeLabelMaxHeight),
                                Qt::AlignHCenter | Qt::TextWordWrap, label);
}

QSize CGfxOutBarCtrl::itemSize(int item) const {
    const Folder* folder = openFolder();
    if (!folder || item < 0 || item >= folder->items.size()) {
        return {};
    }
    const QString& label = folder->items[item].label;
    const QSize image = imageSizeInUse();
    if (isSmallIconView()) {
        const QFontMetrics metrics(font_);
        return QSize(metrics.horizontalAdvance(label) + kSmallLabelGap + image.width(),
                     std::max(metrics.height(), image.height()));
    }
    const QRect text = largeLabelBounds(label);
    return QSize(std::max(text.width(), image.width()),
                 kLargeItemSpacing + kLargeLabelGap + text.height() + image.height());
}

int CGfxOutBarCtrl::itemTop(int item) const {
    const int spacing = isSmallIconView() ? kSmallItemSpacing : kLargeItemSpacing;
    int y = itemAreaRect().top() + kItemInsetY;
    if (item >= firstVisibleItem_) {
        for (int i = firstVisibleItem_; i < item; ++i) {
            y += itemSize(i).height() + spacing;
        }
    } else {
        for (int i = item; i < firstVisibleItem_; ++i) {
            y -= itemSize(i).height() + spacing;
        }
    }
    return y;
}

QRect CGfxOutBarCtrl::itemRect(int item) const {
    const QSize size = itemSize(item);
    if (!size.isValid()) {
        return {};
    }
    const QRect area = itemAreaRect();
    if (isSmallIconView()) {
        return QRect(QPoint(area.left() + kItemInsetX, itemTop(item)), size);
    }
    return QRect(area.left(), itemTop(item), area.width(), size.height());
}

QRect CGfxOutBarCtrl::itemImageRect(int item) const {
    const QRect rect = itemRect(item);
    if (!rect.isValid()) {
        return {};
    }
    const QSize image = imageSizeInUse();
    if (isSmallIconView()) {
        return QRect(QPoint(rect.left() + 2, rect.top() + (rect.height() - image.height()) / 2),
                     image);
    }
    return QRect(QPoint(rect.left() + (rect.width() - image.width()) / 2, rect.top()), image);
}

QRect CGfxOutBarCtrl::itemLabelRect(int item) const {
    const QRect rect = itemRect(item);
    if (!rect.isValid()) {
        return {};
    }
    const QSize image = imageSizeInUse();
    const QString& label = openFolder()->items[item].label;
    if (isSmallIconView()) {
        const QFontMetrics metrics(font_);
        const int left = rect.left() + 2 + image.width() + kSmallLabelGap;
        return QRect(left, rect.top() + (rect.height() - metrics.height()) / 2,
                     metrics.horizontalAdvance(label), metrics.height());
    }
    const QRect text = largeLabelBounds(label);
    return QRect(rect.left() + (rect.width() - text.width()) / 2,
                 rect.top() + image.height() + kLargeLabelGap, text.width(), text.height());
}

int CGfxOutBarCtrl::arrowExtent() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
}

QRect CGfxOutBarCtrl::upArrowRect() const {
    const QRect area = itemAreaRect();
    const int side = arrowExtent();
    return QRect(area.right() - kArrowMargin - side + 1, area.top() + kArrowMargin, side, side);
}

QRect CGfxOutBarCtrl::downArrowRect() const {
    const QRect area = itemAreaRect();
    const int side = arrowExtent();
    return QRect(area.right() - kArrowMargin - side + 1, area.bottom() - kArrowMargin - side + 1,
                 side, side);
}

bool CGfxOutBarCtrl::isLastItemFullyVisible() const {
    const Folder* folder = openFolder();
    if (!folder || folder->child || folder->items.isEmpty()) {
        return true;
    }
    return itemRect(int(folder->items.size()) - 1).bottom() <= itemAreaRect().bottom();
}

bool CGfxOutBarCtrl::isUpArrowShown() const {
    const Folder* folder = openFolder();
    return folder && !folder->child && firstVisibleItem_ > 0;
}

bool CGfxOutBarCtrl::isDownArrowShown() const {
    return !isLastItemFullyVisible();
}

CGfxOutBarCtrl::HitResult CGfxOutBarCtrl::hitTest(const QPoint& point) const {
    if (isUpArrowShown() && upArrowRect().contains(point)) {
        return {HitUpArrow, -1};
    }
    if (isDownArrowShown() && downArrowRect().contains(point)) {
        return {HitDownArrow, -1};
    }
    for (int i = 0; i < folders_.size(); ++i) {
        if (folderHeaderRect(i).contains(point)) {
            return {HitFolder, i};
        }
    }
    const Folder* folder = openFolder();
    if (!folder || folder->child) {
        return {};
    }
    const QRect area = itemAreaRect();
    if (!area.contains(point)) {
        return {};
    }
    for (int i = firstVisibleItem_; i < folder->items.size(); ++i) {
        const QRect rect = itemRect(i);
        if (rect.top() > area.bottom()) {
            break;
        }
        const bool hit = isSmallIconView()
                             ? rect.contains(point)
                             : itemImageRect(i).contains(point) || itemLabelRect(i).contains(point);
        if (hit) {
            return {HitItem, i};
        }
    }
    return {};
}

bool CGfxOutBarCtrl::isHoverTimerActive() const {
    return hoverTimer_->isActive();
}

bool CGfxOutBarCtrl::isArrowTimerActive() const {
    return arrowTimer_->isActive();
}
