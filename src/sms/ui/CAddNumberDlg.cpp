// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/ui/CAddNumberDlg.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "sms/MessageCompose.h"
#include "sms/ui/SmsDialogRunner.h"

CAddNumberDlg::CAddNumberDlg(const QString& name, const QString& number, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Add Phone Number?"));
    auto* shownName = new QLabel(name, this);
    shownName->setObjectName(QStringLiteral("nameLabel"));
    auto* shownNumber = new QLabel(number, this);
    shownNumber->setObjectName(QStringLiteral("numberLabel"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name :"), shownName);
    form->addRow(QStringLiteral("Phone Number :"), shownNumber);

    auto* memoryBox = new QGroupBox(QStringLiteral("Select memory"), this);
    auto* memories = new QButtonGroup(this);
    memories->setObjectName(QStringLiteral("memories"));
    auto* memoryLayout = new QHBoxLayout(memoryBox);
    const char* texts[] = {"SIM", "MS", "PC"};
    for (int memory = 0; memory < 3; ++memory) {
        auto* button = new QRadioButton(QString::fromLatin1(texts[memory]), memoryBox);
        button->setObjectName(QString::fromLatin1(texts[memory]).toLower() + "Radio");
        memories->addButton(button, memory);
        memoryLayout->addWidget(button);
    }
    memories->button(2)->setChecked(true);

    auto* save = new QPushButton(QStringLiteral("Save"), this);
    save->setObjectName(QStringLiteral("saveButton"));
    save->setDefault(true);
    auto* notSave = new QPushButton(QStringLiteral("Not Save"), this);
    notSave->setObjectName(QStringLiteral("notSaveButton"));
    connect(save, &QPushButton::clicked, this, &QDialog::accept);
    connect(notSave, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(save);
    buttons->addWidget(notSave);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(memoryBox);
    layout->addLayout(buttons);
}

int CAddNumberDlg::memory() const {
    return findChild<QButtonGroup*>(QStringLiteral("memories"))->checkedId();
}

void CAddNumberDlg::setMemory(int memory) {
    if (QAbstractButton* button =
            findChild<QButtonGroup*>(QStringLiteral("memories"))->button(memory)) {
        button->setChecked(true);
    }
}

void installAddNumberDialog() {
    setAddNumberAsker([](const QString& name, const QString& number) {
        CAddNumberDlg dialog(name, number);
        return runSmsDialog(dialog) == QDialog::Accepted ? dialog.memory() : -1;
    });
}
