// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

#include "platform/Progress.h"

class QDialog;
class QLabel;
class QProgressBar;
class QWidget;

// The modeless "Phone Data Load" window behind the Progress interface. The window is made
// on demand (create, or the first show after destroy) and owned by the main window. Every
// change repaints at once, since the GUI thread is busy with the phone while it is shown.
class LoadProgressWindow : public Progress {
  public:
    explicit LoadProgressWindow(QWidget* owner = nullptr);
    ~LoadProgressWindow() override;

    // Makes the window, hidden, with its default caption and text.
    void create();

    void show(const QString& caption, const QString& text) override;
    void setCaption(const QString& caption) override;
    void setText(const QString& text) override;
    void setValue(int value) override;
    void destroy() override;

    // The window while it exists (tests, and the frame for its owner).
    QDialog* window() const { return dialog_; }

  private:
    void repaintNow();

    QWidget* owner_;
    QPointer<QDialog> dialog_;
    QLabel* text_ = nullptr;
    QProgressBar* bar_ = nullptr;
};
