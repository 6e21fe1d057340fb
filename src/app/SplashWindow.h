// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

// The start-up picture: a borderless window centred on the screen that closes itself after
// 750 ms, or at once when the user presses a key or a mouse button anywhere in the program.
class SplashWindow : public QWidget {
    Q_OBJECT

  public:
    static constexpr int LifetimeMs = 750;

    // Whether the frame shows the splash while it is created (on unless a caller says not).
    static void setEnabled(bool enabled);
    static bool isEnabled();
    // Shows a new splash when enabled; it deletes itself when it closes.
    static SplashWindow* showIfEnabled();

    SplashWindow();
    ~SplashWindow() override;

    // The picture the window paints, also used by the About dialog.
    static QPixmap picture();

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
