// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

// "Alarm ": the entry's text large on light yellow and the alarm message below it.
class AlarmDialog : public QDialog {
    Q_OBJECT

  public:
    AlarmDialog(const QString& title, const QString& message, QWidget* parent = nullptr);

    QLineEdit* titleEdit() const { return title_; }
    QLabel* messageLabel() const { return message_; }

  private:
    QLineEdit* title_;
    QLabel* message_;
};
