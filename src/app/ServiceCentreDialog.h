// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <optional>

class QLineEdit;

// "Service Center": the phone's SMS service centre address, at most 21 characters.
class ServiceCentreDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ServiceCentreDialog(const QString& address, QWidget* parent = nullptr);

    QString address() const;
    QLineEdit* addressEdit() const { return edit_; }

    // Shows the dialog modally: the text on OK, nothing on Cancel.
    static std::optional<QString> edit(const QString& address, QWidget* parent);

  private:
    QLineEdit* edit_;
};
