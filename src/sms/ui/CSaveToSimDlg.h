// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// "Are you Save Message to SIM?": "YES" accepts (save), "NO" rejects (do not save).
class CSaveToSimDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CSaveToSimDlg(QWidget* parent = nullptr);
};
