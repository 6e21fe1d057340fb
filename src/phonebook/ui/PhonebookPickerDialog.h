// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include <QDialog>

class QButtonGroup;
class QTreeWidget;
class QTreeWidgetItem;
class PhonebookTable;

// "Display Phonebook Data": picks a name and number from one of the three phonebooks for the
// message and Call dialogs. A double-click on a row or OK takes the selected row.
class PhonebookPickerDialog : public QDialog {
    Q_OBJECT
  public:
    explicit PhonebookPickerDialog(QWidget* parent = nullptr);
    ~PhonebookPickerDialog() override;

    // Fills the list from a memory (0 SIM, 1 MS, 2 PC) and checks its radio button.
    void showMemory(int memory);
    QTreeWidget* list() const { return list_; }

    // Valid after the dialog ended with OK.
    QString pickedName() const { return name_; }
    QString pickedNumber() const { return number_; }

    void accept() override;

  private:
    PhonebookTable& table(int memory);

    QTreeWidget* list_;
    QButtonGroup* memories_;
    std::unique_ptr<PhonebookTable> tables_[3];
    QString name_;
    QString number_;
};
