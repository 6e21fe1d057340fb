// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/ui/PhonebookPickerDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"

PhonebookPickerDialog::PhonebookPickerDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Display Phonebook Data"));
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("pickerList"));
    list_->setHeaderLabels(
        {QStringLiteral("No"), QStringLiteral("Name"), QStringLiteral("Phone Number")});
    list_->setColumnWidth(0, 50);
    list_->setColumnWidth(1, 90);
    list_->setColumnWidth(2, 116);
    list_->setRootIsDecorated(false);
    list_->setAllColumnsShowFocus(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(list_, &QTreeWidget::itemDoubleClicked, this, &PhonebookPickerDialog::accept);

    memories_ = new QButtonGroup(this);
    auto* radios = new QHBoxLayout;
    const char* names[] = {"SIM", "MS", "PC"};
    for (int memory = 0; memory < 3; ++memory) {
        auto* radio = new QRadioButton(QString::fromLatin1(names[memory]), this);
        radio->setObjectName(QString::fromLatin1(names[memory]).toLower() + "Radio");
        memories_->addButton(radio, memory);
        radios->addWidget(radio);
    }
    connect(memories_, &QButtonGroup::idClicked, this, &PhonebookPickerDialog::showMemory);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PhonebookPickerDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PhonebookPickerDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(radios);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(300, 320);

    showMemory(MemorySim);
}

PhonebookPickerDialog::~PhonebookPickerDialog() = default;

PhonebookTable& PhonebookPickerDialog::table(int memory) {
    if (!tables_[memory]) {
        switch (memory) {
            case MemorySim:
                tables_[memory] = std::make_unique<CSimViewDB>();
                break;
            case MemoryMs:
                tables_[memory] = std::make_unique<CMsListDB>();
                break;
            default:
                tables_[memory] = std::make_unique<CPCListDB>();
                break;
        }
    }
    return *tables_[memory];
}

void PhonebookPickerDialog::showMemory(int memory) {
    if (memory < MemorySim || memory > MemoryPc) {
        return;
    }
    memories_->button(memory)->setChecked(true);
    list_->clear();
    const PhonebookListContents contents = table(memory).RefillList(0);
    for (const PhonebookListRow& row : contents.rows) {
        new QTreeWidgetItem(list_, {row.number, row.name, row.phoneNumber});
    }
}

void PhonebookPickerDialog::accept() {
    const QTreeWidgetItem* item = list_->currentItem();
    if (!item || !item->isSelected()) {
        // Nothing picked: the opener keeps what it has.
        QDialog::reject();
        return;
    }
    name_ = item->text(1);
    number_ = item->text(2);
    QDialog::accept();
}
