// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QPushButton;

// The small window shown while a print job runs; its Cancel button raises the job's abort flag,
// which the job reads between sheets.
class PrintAbortWindow : public QDialog {
    Q_OBJECT
  public:
    PrintAbortWindow(bool& abortFlag, QWidget* parent = nullptr);
    QPushButton* cancelButton() const { return cancel_; }

  private:
    void raiseAbort();

    bool& abortFlag_;
    QPushButton* cancel_;
};
