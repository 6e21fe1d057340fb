// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers modal dialogs as they open: each queued action runs on the next modal widget that
// has not been handled yet (nested dialogs included). Polls the active modal widget, so it
// waits as long as the code under test takes to open the dialog.
class ModalScript : public QObject {
    Q_OBJECT

  public:
    ModalScript();
    ~ModalScript() override;

    ModalScript& then(std::function<void(QWidget*)> action);
    int pending() const { return int(actions_.size()); }
    // The window titles of the dialogs handled, in order.
    QStringList titles;

  private:
    void poll();

    QList<std::function<void(QWidget*)>> actions_;
    QList<QPointer<QWidget>> handled_;
    QTimer timer_;
};

// Clicks the button with this text inside the widget; fails the test when there is none.
void clickButton(QWidget* root, const QString& text);
// Checks the radio button with this text inside the widget.
void checkRadio(QWidget* root, const QString& text);
