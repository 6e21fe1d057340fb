// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/ui/FilterSettingDialog.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

FilterSettingDialog::FilterSettingDialog(const QString& nameText, const QString& numberText,
                                         QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Filter Setting"));
    name_ = new QLineEdit(nameText, this);
    name_->setObjectName(QStringLiteral("filterNameEdit"));
    number_ = new QLineEdit(numberText, this);
    number_->setObjectName(QStringLiteral("filterNumberEdit"));

    auto* set = new QPushButton(QStringLiteral("SET"), this);
    set->setObjectName(QStringLiteral("setButton"));
    set->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cancelButton"));
    connect(set, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Name :"), name_);
    form->addRow(QStringLiteral("Phone Number :"), number_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(set);
    buttons->addWidget(cancel);
    form->addRow(buttons);
}

QString FilterSettingDialog::nameText() const {
    return name_->text();
}

QString FilterSettingDialog::numberText() const {
    return number_->text();
}
