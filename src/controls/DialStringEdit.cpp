// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/DialStringEdit.h"

#include <QKeyEvent>

namespace {
// What the digit row types with Shift on a US layout; the key reaches us as that character.
bool isShiftedDigit(int key) {
    switch (key) {
        case Qt::Key_Exclam:
        case Qt::Key_At:
        case Qt::Key_NumberSign:
        case Qt::Key_Dollar:
        case Qt::Key_Percent:
        case Qt::Key_AsciiCircum:
        case Qt::Key_Ampersand:
        case Qt::Key_Asterisk:
        case Qt::Key_ParenLeft:
        case Qt::Key_ParenRight:
            return true;
        default:
            return false;
    }
}

bool isEditingKey(int key) {
    switch (key) {
        case Qt::Key_Backspace:
        case Qt::Key_Delete:
        case Qt::Key_Insert:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_CapsLock:
            return true;
        default:
            return false;
    }
}
}  // namespace

DialStringEdit::DialStringEdit(QWidget* parent) : QLineEdit(parent) {}

bool DialStringEdit::keyPasses(int key, Qt::KeyboardModifiers modifiers) {
    if (modifiers & Qt::AltModifier) {
        return false;
    }
    if ((modifiers & Qt::ControlModifier) && (key == Qt::Key_C || key == Qt::Key_V)) {
        return true;
    }
    if ((modifiers & Qt::ShiftModifier) && isShiftedDigit(key)) {
        return true;
    }
    // Shift with "=" arrives as "+", like the keypad plus; the keypad digits as digits.
    return (key >= Qt::Key_0 && key <= Qt::Key_9) || key == Qt::Key_Plus || key == Qt::Key_P ||
           key == Qt::Key_Slash || isEditingKey(key);
}

bool DialStringEdit::event(QEvent* event) {
    // Alt combinations would otherwise reach the dialog's mnemonics before keyPressEvent; taking
    // the override keeps them here, where they are swallowed.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & Qt::AltModifier) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void DialStringEdit::keyPressEvent(QKeyEvent* event) {
    if (!keyPasses(event->key(), event->modifiers())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}
