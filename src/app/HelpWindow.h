// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QTextBrowser;

// The help window: the program's help page, opened on its contents.
class HelpWindow : public QDialog {
    Q_OBJECT

  public:
    static inline const char* const PageUrl = "qrc:/help/Dexmoro_Help.html";

    explicit HelpWindow(QWidget* parent = nullptr);
    QTextBrowser* browser() const { return browser_; }

    // Shows the one help window of the program, made on first use, at the contents or at the
    // section of this anchor.
    static HelpWindow* showContents(QWidget* parent);
    static HelpWindow* showTopic(QWidget* parent, const QString& anchor);

  private:
    QTextBrowser* browser_;
};
