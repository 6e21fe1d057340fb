// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QButtonGroup;

// "Add Phone Number?": offers a message's correspondent for a phonebook. "Save" accepts with
// the chosen memory, "Not Save" rejects.
class CAddNumberDlg : public QDialog {
    Q_OBJECT
  public:
    CAddNumberDlg(const QString& name, const QString& number, QWidget* parent = nullptr);

    // 0 SIM, 1 MS, 2 PC ("PC" at first).
    int memory() const;
    void setMemory(int memory);
};

// Installs the dialog as the answer to the phonebook offer after a saved message.
void installAddNumberDialog();
