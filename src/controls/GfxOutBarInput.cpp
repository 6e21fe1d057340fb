// SPDX-License-Identifier: GPL-3.0-or-later
// Mouse, keys, the scroll arrows' repeat, layout of the children and the label editor.

#include "controls/GfxOutBarCtrl.h"

#include <QCursor>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>

#include <algorithm>

void CGfxOutBarCtrl::setHover(int header, int item) {
    if (header == hoverHeader_ && item == hotItem_) {
        return;
    }
    hoverHeader_ = header;
    hotItem_ = item;
    update();
}

void CGfxOutBarCtrl::mouseMoveEvent(QMouseEvent* event) {
    lastMousePos_ = event->position().toPoint();
    const HitResult hit = hitTest(lastMousePos_);
    switch (tracking_) {
        case Tracking::Header: {
            const bool over = hit == HitResult{HitFolder, pressedHeader_};
            if (over != headerDrawnPressed_) {
                headerDrawnPressed_ = over;
                update(folderHeaderRect(pressedHeader_));
            }
            return;
        }
        case Tracking::Item:
            update(itemAreaRect());
            return;
        case Tracking::UpArrow:
        case Tracking::DownArrow: {
            const bool up = tracking_ == Tracking::UpArrow;
            const bool over = hit.area == (up ? HitUpArrow : HitDownArrow);
            bool& drawn = up ? upArrowPressed_ : downArrowPressed_;
            if (over != drawn) {
                drawn = over;
                update(itemAreaRect());
            }
            return;
        }
        case Tracking::None:
            break;
    }
    if (isAnimating()) {
        return;
    }
    if (hit.area == HitFolder) {
        setHover(hit.index, -1);
        hoverTimer_->start();
    } else if (hit.area == HitItem) {
        setHover(-1, hit.index);
        hoverTimer_->start();
    } else {
        setHover(-1, -1);
    }
}

void CGfxOutBarCtrl::hoverTimerTick() {
    if (!rect().contains(mapFromGlobal(QCursor::pos()))) {
        setHover(-1, -1);
        hoverTimer_->stop();
    }
}

void CGfxOutBarCtrl::leaveEvent(QEvent* event) {
    if (tracking_ == Tracking::None) {
        setHover(-1, -1);
        hoverTimer_->stop();
    }
    QWidget::leaveEvent(event);
}

void CGfxOutBarCtrl::mousePressEvent(QMouseEvent* event) {
    lastMousePos_ = event->position().toPoint();
    finishAnimation();
    if (editor_) {
        commitLabelEdit();
    }
    const HitResult hit = hitTest(lastMousePos_);
    if (event->button() == Qt::RightButton) {
        rightClicked_ = hit;
        return;
    }
    if (event->button() != Qt::LeftButton || tracking_ != Tracking::None) {
        return;
    }
    if (!hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
    switch (hit.area) {
        case HitFolder:
            tracking_ = Tracking::Header;
            pressedHeader_ = hit.index;
            headerDrawnPressed_ = true;
            setHover(-1, -1);
            update(folderHeaderRect(hit.index));
            break;
        case HitItem:
            tracking_ = Tracking::Item;
            pressedItem_ = hit.index;
            hotItem_ = hit.index;
            update(itemAreaRect());
            break;
        case HitUpArrow:
        case HitDownArrow:
            tracking_ = hit.area == HitUpArrow ? Tracking::UpArrow : Tracking::DownArrow;
            (hit.area == HitUpArrow ? upArrowPressed_ : downArrowPressed_) = true;
            setHover(-1, -1);
            arrowTimer_->start();
            update(itemAreaRect());
            break;
        default:
            break;
    }
}

void CGfxOutBarCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || tracking_ == Tracking::None) {
        return;
    }
    lastMousePos_ = event->position().toPoint();
    const HitResult hit = hitTest(lastMousePos_);
    const Tracking tracking = tracking_;
    const int item = pressedItem_;
    endTracking();
    switch (tracking) {
        case Tracking::Header:
            // A release over any header opens that header's folder; elsewhere, nothing.
            if (hit.area == HitFolder) {
                setSelFolder(hit.index);
                emit folderChanged(hit.index);
            }
            break;
        case Tracking::Item:
            if (hit == HitResult{HitItem, item}) {
                emit itemClicked(item);
            }
            break;
        case Tracking::UpArrow:
            if (hit.area == HitUpArrow) {
                scrollOneStep(false);
            }
            break;
        case Tracking::DownArrow:
            if (hit.area == HitDownArrow) {
                scrollOneStep(true);
            }
            break;
        case Tracking::None:
            break;
    }
}

void CGfxOutBarCtrl::endTracking() {
    if (tracking_ == Tracking::None) {
        return;
    }
    tracking_ = Tracking::None;
    arrowTimer_->stop();
    pressedHeader_ = -1;
    pressedItem_ = -1;
    headerDrawnPressed_ = false;
    upArrowPressed_ = false;
    downArrowPressed_ = false;
    update();
}

void CGfxOutBarCtrl::arrowTimerTick() {
    if (tracking_ == Tracking::UpArrow && upArrowPressed_) {
        scrollOneStep(false);
    } else if (tracking_ == Tracking::DownArrow && downArrowPressed_) {
        scrollOneStep(true);
    }
}

void CGfxOutBarCtrl::scrollOneStep(bool down) {
    if (down) {
        if (!isLastItemFullyVisible()) {
            ++firstVisibleItem_;
        }
    } else if (firstVisibleItem_ > 0) {
        --firstVisibleItem_;
    }
    // The arrow that vanished with this step can no longer be held.
    if (tracking_ == Tracking::DownArrow && !isDownArrowShown()) {
        endTracking();
    } else if (tracking_ == Tracking::UpArrow && !isUpArrowShown()) {
        endTracking();
    }
    setHover(hoverHeader_, -1);
    update(itemAreaRect());
}

void CGfxOutBarCtrl::keyPressEvent(QKeyEvent* event) {
    if (tracking_ != Tracking::None) {
        if (event->key() == Qt::Key_Escape) {
            endTracking();
        }
        return;
    }
    if (event->modifiers() == Qt::NoModifier || event->modifiers() == Qt::KeypadModifier) {
        if (handleNavigationKey(event->key())) {
            return;
        }
    }
    QWidget::keyPressEvent(event);
}

// ---------------------------------------------------------------- layout and commands

void CGfxOutBarCtrl::resizeEvent(QResizeEvent* event) {
    finishAnimation();
    cancelLabelEdit();
    placeChildren();
    QWidget::resizeEvent(event);
}

void CGfxOutBarCtrl::placeChildren() {
    const QRect area = itemAreaRect();
    for (int i = 0; i < folders_.size(); ++i) {
        QWidget* child = folders_[i].child;
        if (!child) {
            continue;
        }
        child->setGeometry(area);
        child->setVisible(i == selectedFolder_ && !isAnimating());
    }
}

void CGfxOutBarCtrl::runCommand(int command) {
    const HitResult target = rightClicked_;
    switch (command) {
        case CmdLargeIcons:
            setSmallIconView(false);
            break;
        case CmdSmallIcons:
            setSmallIconView(true);
            break;
        case CmdRemove:
            if (target.area == HitFolder) {
                removeFolder(target.index);
            } else if (target.area == HitItem) {
                removeItem(target.index);
            }
            rightClicked_ = {};
            break;
        case CmdRename:
            if (target.area == HitFolder || target.area == HitItem) {
                startLabelEdit(target);
            }
            break;
        default:
            break;
    }
}

void CGfxOutBarCtrl::startLabelEdit(const HitResult& target) {
    cancelLabelEdit();
    QRect rect;
    QString text;
    if (target.area == HitFolder && target.index < folders_.size()) {
        rect = folderHeaderRect(target.index).adjusted(2, 2, -2, -2);
        text = folders_[target.index].name;
    } else if (target.area == HitItem && target.index < itemCount(selectedFolder_)) {
        rect = itemLabelRect(target.index).adjusted(-2, -2, 2, 2);
        rect.setWidth(std::max(rect.width(), 60));
        text = folders_[selectedFolder_].items[target.index].label;
    } else {
        return;
    }
    editTarget_ = target;
    editor_ = new QLineEdit(text, this);
    editor_->setFont(font_);
    editor_->setGeometry(rect);
    editor_->selectAll();
    editor_->installEventFilter(this);
    connect(editor_, &QLineEdit::returnPressed, this, &CGfxOutBarCtrl::commitLabelEdit);
    editor_->show();
    editor_->setFocus();
}

bool CGfxOutBarCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (editor_ && watched == editor_) {
        if (event->type() == QEvent::KeyPress &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
            cancelLabelEdit();
            return true;
        }
        if (event->type() == QEvent::FocusOut) {
            QMetaObject::invokeMethod(this, &CGfxOutBarCtrl::commitLabelEdit, Qt::QueuedConnection);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CGfxOutBarCtrl::commitLabelEdit() {
    if (!editor_) {
        return;
    }
    const QString text = editor_->text();
    const HitResult target = editTarget_;
    cancelLabelEdit();
    if (target.area == HitFolder) {
        emit folderLabelEditRequested(target.index, text);
    } else if (target.area == HitItem) {
        emit itemLabelEditRequested(target.index, text);
    }
}

void CGfxOutBarCtrl::cancelLabelEdit() {
    if (!editor_) {
        return;
    }
    QLineEdit* editor = editor_;
    editor_ = nullptr;
    editTarget_ = {};
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
}
