// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/ui/PrintSelectDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QVBoxLayout>

PrintSelectDialog::PrintSelectDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PrintSelectDialog"));
    setWindowTitle(QStringLiteral("Print Phone Book"));
    auto* group = new QGroupBox(QStringLiteral("Print Select"), this);
    auto* groupLayout = new QVBoxLayout(group);
    simBox_ = addBox(QStringLiteral("SIM"), sim_);
    msBox_ = addBox(QStringLiteral("MS"), ms_);
    pcBox_ = addBox(QStringLiteral("PC"), pc_);
    for (QCheckBox* box : {simBox_, msBox_, pcBox_}) {
        box->setParent(group);
        groupLayout->addWidget(box);
    }
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(buttons_);
}

QCheckBox* PrintSelectDialog::addBox(const QString& text, bool& flag) {
    auto* box = new QCheckBox(text, this);
    box->setChecked(flag);
    connect(box, &QCheckBox::toggled, this, [this, &flag](bool checked) {
        flag = checked;
        count_ += checked ? 1 : -1;
    });
    return box;
}
