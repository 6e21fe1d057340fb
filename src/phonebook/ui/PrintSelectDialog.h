// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QDialogButtonBox;

// "Print Phone Book": which memories to print. SIM is chosen when the dialog opens.
class PrintSelectDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PrintSelectDialog(QWidget* parent = nullptr);

    bool simChosen() const { return sim_; }
    bool msChosen() const { return ms_; }
    bool pcChosen() const { return pc_; }
    int chosenCount() const { return count_; }

    QCheckBox* simBox() const { return simBox_; }
    QCheckBox* msBox() const { return msBox_; }
    QCheckBox* pcBox() const { return pcBox_; }
    QDialogButtonBox* buttons() const { return buttons_; }

  private:
    QCheckBox* addBox(const QString& text, bool& flag);

    bool sim_ = true;
    bool ms_ = false;
    bool pc_ = false;
    int count_ = 1;
    QCheckBox* simBox_;
    QCheckBox* msBox_;
    QCheckBox* pcBox_;
    QDialogButtonBox* buttons_;
};
