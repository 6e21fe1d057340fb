// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModalScript.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QRadioButton>

ModalScript::ModalScript() {
    timer_.setInterval(5);
    connect(&timer_, &QTimer::timeout, this, &ModalScript::poll);
    timer_.start();
}

ModalScript::~ModalScript() = default;

ModalScript& ModalScript::then(std::function<void(QWidget*)> action) {
    actions_.append(std::move(action));
    return *this;
}

void ModalScript::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || actions_.isEmpty()) {
        return;
    }
    for (const QPointer<QWidget>& done : handled_) {
        if (done == modal) {
            return;
        }
    }
    handled_.append(modal);
    titles.append(modal->windowTitle());
    // Run outside the timer's own callback: Qt does not re-enter a timer, so a dialog that the
    // action opens could not be answered from inside it.
    QMetaObject::invokeMethod(
        this,
        [action = actions_.takeFirst(), target = QPointer<QWidget>(modal)] {
            if (target) {
                action(target);
            }
        },
        Qt::QueuedConnection);
}

void clickButton(QWidget* root, const QString& text) {
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>()) {
        if (button->text() == text) {
            button->click();
            return;
        }
    }
    ADD_FAILURE() << "no button \"" << text.toStdString() << "\" in "
                  << root->windowTitle().toStdString();
}

void checkRadio(QWidget* root, const QString& text) {
    for (QRadioButton* radio : root->findChildren<QRadioButton*>()) {
        if (radio->text() == text) {
            radio->setChecked(true);
            return;
        }
    }
    ADD_FAILURE() << "no radio button \"" << text.toStdString() << "\"";
}
