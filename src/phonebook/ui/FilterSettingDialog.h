// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLineEdit;

// "Filter Setting": the name and number texts that the filter switch applies to all three
// phonebook lists. "SET" accepts.
class FilterSettingDialog : public QDialog {
    Q_OBJECT
  public:
    FilterSettingDialog(const QString& nameText, const QString& numberText,
                        QWidget* parent = nullptr);
    QString nameText() const;
    QString numberText() const;

  private:
    QLineEdit* name_;
    QLineEdit* number_;
};
