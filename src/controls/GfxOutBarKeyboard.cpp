// SPDX-License-Identifier: GPL-3.0-or-later
// The bar without a mouse: a cursor over the headers and the open folder's items.

#include <QFocusEvent>
#include <QPainter>

#include "controls/GfxOutBarCtrl.h"

QList<CGfxOutBarCtrl::HitResult> CGfxOutBarCtrl::keyStops() const {
    QList<HitResult> stops;
    const Folder* open = openFolder();
    for (int folder = 0; folder < folders_.size(); ++folder) {
        stops.append({HitFolder, folder});
        if (folder == selectedFolder_ && open && !open->child) {
            for (int item = 0; item < open->items.size(); ++item) {
                stops.append({HitItem, item});
            }
        }
    }
    return stops;
}

bool CGfxOutBarCtrl::handleNavigationKey(int key) {
    const QList<HitResult> stops = keyStops();
    if (stops.isEmpty()) {
        return false;
    }
    qsizetype at = stops.indexOf(keyCursor_);
    switch (key) {
        case Qt::Key_Up:
            at = at < 0 ? 0 : std::max<qsizetype>(0, at - 1);
            break;
        case Qt::Key_Down:
            at = at < 0 ? 0 : std::min(stops.size() - 1, at + 1);
            break;
        case Qt::Key_Home:
            at = 0;
            break;
        case Qt::Key_End:
            at = stops.size() - 1;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            activateKeyCursor();
            return true;
        default:
            return false;
    }
    keyCursor_ = stops[at];
    if (keyCursor_.area == HitItem) {
        scrollItemIntoView(keyCursor_.index);
    }
    update();
    return true;
}

void CGfxOutBarCtrl::activateKeyCursor() {
    if (!keyStops().contains(keyCursor_)) {
        return;
    }
    if (keyCursor_.area == HitFolder) {
        setSelFolder(keyCursor_.index);
        emit folderChanged(keyCursor_.index);
    } else {
        emit itemClicked(keyCursor_.index);
    }
    update();
}

void CGfxOutBarCtrl::scrollItemIntoView(int item) {
    const QRect area = itemAreaRect();
    while (item < firstVisibleItem_) {
        scrollOneStep(false);
    }
    for (int guard = 0; itemRect(item).bottom() > area.bottom() && guard < 1000; ++guard) {
        const int before = firstVisibleItem_;
        scrollOneStep(true);
        if (firstVisibleItem_ == before) {
            break;
        }
    }
}

void CGfxOutBarCtrl::focusInEvent(QFocusEvent* event) {
    // Arriving with nothing chosen: the open folder's header.
    if (!keyStops().contains(keyCursor_)) {
        keyCursor_ = {HitFolder, selectedFolder_};
    }
    update();
    QWidget::focusInEvent(event);
}

void CGfxOutBarCtrl::focusOutEvent(QFocusEvent* event) {
    update();
    QWidget::focusOutEvent(event);
}

void CGfxOutBarCtrl::paintKeyCursor(QPainter& painter) const {
    if (!hasFocus() || !keyStops().contains(keyCursor_)) {
        return;
    }
    // Dotted, in the colour that stands out on what it frames: items lie on the dark bar.
    const bool header = keyCursor_.area == HitFolder;
    const QRect rect = header ? folderHeaderRect(keyCursor_.index).adjusted(3, 3, -4, -4)
                              : itemRect(keyCursor_.index).adjusted(-2, -1, 1, 0);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(
        QPen(header ? palette().color(QPalette::ButtonText) : QColor(Qt::white), 1, Qt::DotLine));
    painter.drawRect(rect);
    painter.restore();
}
