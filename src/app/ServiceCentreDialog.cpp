// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ServiceCentreDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "shell/ServiceCentre.h"

ServiceCentreDialog::ServiceCentreDialog(const QString& address, QWidget* parent)
    : QDialog(parent), edit_(new QLineEdit(this)) {
    setWindowTitle("Service Center");
    edit_->setObjectName("scaEdit");
    edit_->setMaxLength(kServiceCentreMaxLength);
    // Only what the phone's command can carry can be typed; the phone's own text is shown as
    // it came, so that an odd answer is seen rather than hidden.
    edit_->setText(address);
    edit_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\+?[0-9*#]*")), edit_));

    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("SCA :", this));
    row->addWidget(edit_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

QString ServiceCentreDialog::address() const {
    return edit_->text();
}

std::optional<QString> ServiceCentreDialog::edit(const QString& address, QWidget* parent) {
    ServiceCentreDialog dialog(address, parent);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.address();
}
