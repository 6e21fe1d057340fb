// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// "About Dexmoro": the program's picture, name and version.
class AboutDialog : public QDialog {
    Q_OBJECT

  public:
    explicit AboutDialog(QWidget* parent = nullptr);
};
