// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

// A one-line edit that lets only dialling keys through: digits (shifted too, for "*" and "#"),
// "+", "P", "/", editing and navigation keys, and Ctrl+C / Ctrl+V. While Alt is held every key
// is swallowed. Pasted text is not filtered: the dialogs' input rules check what arrives.
class DialStringEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit DialStringEdit(QWidget* parent = nullptr);

    static bool keyPasses(int key, Qt::KeyboardModifiers modifiers);

  protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};
