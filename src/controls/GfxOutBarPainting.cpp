// SPDX-License-Identifier: GPL-3.0-or-later
// Painting the headers, the items of the open folder and the scroll arrows.

#include "controls/GfxOutBarCtrl.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>

void CGfxOutBarCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!isAnimating()) {
        paintBar(painter);
        return;
    }
    const int offset = std::min(animationDistance_, (animationFrame_ + 1) * kHeaderHeight);
    const int h = kHeaderHeight;
    const int n = int(folders_.size());
    const int s = selectedFolder_;
    if (s > animationOldFolder_) {
        // The headers down to the new one climb from the bottom stack together, pulling the
        // new items over the old ones.
        painter.drawPixmap(0, 0, animationFrom_);
        const int top = (animationOldFolder_ + 1) * h - 1;
        const QRect source(0, top, width(), height() - top);
        painter.drawPixmap(QPoint(0, top + animationDistance_ - offset), animationTo_, source);
    } else {
        // The headers below the new folder sink to the bottom, uncovering its items.
        painter.drawPixmap(0, 0, animationTo_);
        const int top = (s + 1) * h - 1;
        const int stackTop = height() - h * (n - animationOldFolder_ - 1);
        const QRect source(0, top, width(), std::max(0, stackTop - top));
        painter.setClipRect(QRect(0, top, width(), std::max(0, stackTop - top)));
        painter.drawPixmap(QPoint(0, top + offset), animationFrom_, source);
    }
}

void CGfxOutBarCtrl::paintBar(QPainter& painter) const {
    painter.setFont(font_);
    const Folder* folder = openFolder();
    const QRect area = itemAreaRect();
    if (!folder || !folder->child) {
        painter.fillRect(area, kBackColour);
    }
    // Whatever the headers and the item area leave uncovered (no folders at all).
    if (folders_.isEmpty()) {
        painter.fillRect(rect(), kBackColour);
    }
    for (int i = 0; i < folders_.size(); ++i) {
        paintHeader(painter, i);
    }
    if (folder && !folder->child) {
        paintItems(painter);
    }
    paintKeyCursor(painter);
}

void CGfxOutBarCtrl::paintHeader(QPainter& painter, int folder) const {
    const QRect rect = folderHeaderRect(folder);
    const QPalette& pal = palette();
    const bool pressed = folder == pressedHeader_ && headerDrawnPressed_;
    painter.fillRect(rect, pal.color(QPalette::Button));

    const QColor topLeftOuter = pressed ? pal.color(QPalette::Shadow) : pal.color(QPalette::Light);
    const QColor bottomRightOuter =
        pressed ? pal.color(QPalette::Light) : pal.color(QPalette::Shadow);
    const QColor bottomRightInner =
        pressed ? pal.color(QPalette::Midlight) : pal.color(QPalette::Dark);
    painter.setPen(topLeftOuter);
    painter.drawLine(rect.topLeft(), rect.topRight());
    painter.drawLine(rect.topLeft(), rect.bottomLeft());
    painter.setPen(bottomRightOuter);
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.setPen(bottomRightInner);
    painter.drawLine(rect.bottomLeft() + QPoint(1, -1), rect.bottomRight() + QPoint(-1, -1));
    painter.drawLine(rect.topRight() + QPoint(-1, 1), rect.bottomRight() + QPoint(-1, -1));

    if (folder == hoverHeader_ && !pressed) {
        // Two-line hover border.
        const QRect outer = rect.adjusted(1, 1, -1, -1);
        painter.setPen(pal.color(QPalette::Shadow));
        painter.drawRect(outer.adjusted(0, 0, -1, -1));
        painter.setPen(kBackColour);
        painter.drawRect(outer.adjusted(1, 1, -2, -2));
    }

    painter.setPen(pal.color(QPalette::ButtonText));
    const QRect text = pressed ? rect.translated(1, 1) : rect;
    painter.drawText(text, Qt::AlignCenter | Qt::TextSingleLine, folders_[folder].name);
}

void CGfxOutBarCtrl::paintItems(QPainter& painter) const {
    const Folder* folder = openFolder();
    const QRect area = itemAreaRect();
    const OutBarImageList& images = imagesInUse();
    painter.save();
    painter.setClipRect(area);
    painter.setPen(palette().color(QPalette::Base));
    const int flagsForLabel = isSmallIconView()
                                  ? int(Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine)
                                  : int(Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap);
    for (int i = firstVisibleItem_; i < folder->items.size(); ++i) {
        const QRect rect = itemRect(i);
        if (rect.top() > area.bottom()) {
            break;
        }
        const Item& item = folder->items[i];
        if (item.image >= 0 && item.image < images.images.size()) {
            painter.drawPixmap(itemImageRect(i), images.images[item.image]);
        }
        painter.drawText(itemLabelRect(i), flagsForLabel, item.label);
    }
    const int framed = pressedItem_ >= 0 ? pressedItem_ : hotItem_;
    if (framed >= 0 && framed < folder->items.size()) {
        const bool sunken =
            pressedItem_ >= 0 && hitTest(lastMousePos_) == HitResult{HitItem, framed};
        paintItemFrame(painter, framed, sunken);
    }
    if (isUpArrowShown()) {
        paintArrow(painter, upArrowRect(), true, upArrowPressed_);
    }
    if (isDownArrowShown()) {
        paintArrow(painter, downArrowRect(), false, downArrowPressed_);
    }
    painter.restore();
}

void CGfxOutBarCtrl::paintItemFrame(QPainter& painter, int item, bool sunken) const {
    const QRect frame = itemImageRect(item).adjusted(-1, -1, 1, 1);
    const QColor light = palette().color(QPalette::Button);
    const QColor dark = palette().color(QPalette::Shadow);
    painter.setPen(sunken ? dark : light);
    painter.drawLine(frame.topLeft(), frame.topRight());
    painter.drawLine(frame.topLeft(), frame.bottomLeft());
    painter.setPen(sunken ? light : dark);
    painter.drawLine(frame.bottomLeft(), frame.bottomRight());
    painter.drawLine(frame.topRight(), frame.bottomRight());
}

void CGfxOutBarCtrl::paintArrow(QPainter& painter, const QRect& rect, bool up, bool pressed) const {
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = rect;
    button.state |= pressed ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);
    QStyleOption arrow;
    arrow.initFrom(this);
    arrow.rect = pressed ? rect.adjusted(4, 4, -2, -2) : rect.adjusted(3, 3, -3, -3);
    style()->drawPrimitive(up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown, &arrow,
                           &painter, this);
}
