// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/ui/CSaveToSimDlg.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CSaveToSimDlg::CSaveToSimDlg(QWidget* parent) : QDialog(parent) {
    const QString question = QStringLiteral("Are you Save Message to SIM?");
    setWindowTitle(question);
    auto* yes = new QPushButton(QStringLiteral("YES"), this);
    yes->setObjectName(QStringLiteral("yesButton"));
    yes->setDefault(true);
    auto* no = new QPushButton(QStringLiteral("NO"), this);
    no->setObjectName(QStringLiteral("noButton"));
    connect(yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(no, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(yes);
    buttons->addWidget(no);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(question, this));
    layout->addLayout(buttons);
}
