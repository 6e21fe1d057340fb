// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>

#include "phone/PhoneLink.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/ui/CPhonebookView.h"
#include "phonebook/ui/PhonebookEntryDialog.h"
#include "phonebook/ui/PhonebookListWidget.h"
#include "platform/Notice.h"
#include "platform/Prompter.h"

// New and View/Edit: the entry dialogs and the stores behind them.

namespace {
void warn(const QString& text) {
    showMessage(text, QStringLiteral("Warning"), PromptIcon::Warning);
}

PcPhonebookEntry pcEntryOf(const PhonebookEntryValues& values, const QString& mobileNumber) {
    PcPhonebookEntry entry;
    entry.number = int(values.index);
    entry.name = values.name;
    entry.mainNumber = values.dialString;
    entry.officeNumber = values.office;
    entry.faxNumber = values.fax;
    entry.mobileNumber = mobileNumber;
    entry.homeNumber = values.home;
    entry.pagerNumber = values.pager;
    entry.emailAddress = values.email;
    entry.address = values.address;
    entry.memo = values.memo;
    return entry;
}

PhonebookEntryValues valuesOf(const PcPhonebookEntry& entry) {
    PhonebookEntryValues values;
    values.index = entry.number;
    values.name = entry.name;
    values.dialString = entry.mainNumber;
    values.memory = MemoryPc;
    values.office = entry.officeNumber;
    values.pager = entry.pagerNumber;
    values.fax = entry.faxNumber;
    values.home = entry.homeNumber;
    values.email = entry.emailAddress;
    values.address = entry.address;
    values.memo = entry.memo;
    return values;
}
}  // namespace

void CPhonebookView::newEntry() {
    lastAction_ = 1;
    storeNewEntry();
}

void CPhonebookView::editEntry() {
    lastAction_ = 2;
    if (lists_[currentMemory_]->focusedSelectedPosition() < 0) {
        warn(QStringLiteral("You must select phone book item to view the data"));
        return;
    }
    viewEdit();
}

void CPhonebookView::storeNewEntry() {
    if (currentMemory_ == MemorySim && link_->simPhonebookCapacity < sim_->FirstFreeIndex()) {
        warn(QStringLiteral(
            "You can not enter more data to SIM PB due to the maximum capacity excess!"));
        return;
    }
    if (currentMemory_ == MemoryMs && link_->mePhonebookCapacity < ms_->FirstFreeIndex()) {
        warn(QStringLiteral(
            "You can not enter more data to MS PB due to the maximum capacity excess!"));
        return;
    }

    PhonebookEntryDialog::Context context;
    context.simCapacity = link_->simPhonebookCapacity;
    context.msCapacity = link_->mePhonebookCapacity;
    context.simNameLength = link_->phonebookNameLength(0);
    context.msNameLength = link_->phonebookNameLength(1);
    context.simNumberLength = link_->phonebookNumberLength(0);
    context.msNumberLength = link_->phonebookNumberLength(1);
    context.firstFreeIndex = [this](int memory) { return table(memory).FirstFreeIndex(); };
    PhonebookEntryDialog dialog(PhonebookEntryDialog::Kind::New, context, this);
    dialog.setMemory(currentMemory_);
    if (runDialog(dialog) != QDialog::Accepted) {
        return;
    }
    const PhonebookEntryValues values = dialog.values();
    const int index = int(values.index);
    switch (values.memory) {
        case MemorySim:
            showNotices(sim_->StoreNewEntry(*link_, index, values.name, values.dialString, 0,
                                            prompterAsker())
                            .notices);
            refill(MemorySim, lastAction_);
            break;
        case MemoryMs:
            showNotices(ms_->StoreNewEntry(*link_, index, values.name, values.dialString, 2,
                                           prompterAsker())
                            .notices);
            refill(MemoryMs, lastAction_);
            break;
        default:
            showNotices(
                pc_->StoreNewEntry(pcEntryOf(values, pcMobileAt(index, QString())), prompterAsker())
                    .notices);
            refill(MemoryPc, lastAction_);
            break;
    }
}

void CPhonebookView::viewEdit() {
    const int position = lists_[currentMemory_]->focusedSelectedPosition();
    if (position < 0) {
        storeNewEntry();
        return;
    }

    PhonebookEntryValues stored;
    PcPhonebookEntry storedPc;
    if (PhoneMemoryTable* phone = phoneTable(currentMemory_)) {
        const PhonebookEntry entry = phone->entryAt(position);
        stored.index = entry.index;
        stored.name = entry.name;
        stored.dialString = entry.dialString;
        stored.memory = currentMemory_;
    } else {
        storedPc = pc_->entryAt(position);
        stored = valuesOf(storedPc);
    }

    PhonebookEntryDialog::Context context;
    context.simCapacity = link_->simPhonebookCapacity;
    context.msCapacity = link_->mePhonebookCapacity;
    context.simNameLength = link_->phonebookNameLength(0);
    context.msNameLength = link_->phonebookNameLength(1);
    context.simNumberLength = link_->phonebookNumberLength(0);
    context.msNumberLength = link_->phonebookNumberLength(1);
    PhonebookEntryDialog dialog(PhonebookEntryDialog::Kind::Edit, context, this);
    dialog.setValues(stored);
    if (runDialog(dialog) != QDialog::Accepted || !dialog.changed()) {
        return;
    }
    const PhonebookEntryValues values = dialog.values();
    const int index = int(values.index);
    if (PhoneMemoryTable* phone = phoneTable(currentMemory_)) {
        showNotices(
            phone->StoreEditedEntry(*link_, index, values.name, values.dialString, prompterAsker())
                .notices);
        refill(currentMemory_, lastAction_);
        return;
    }

    const QString keptMobile = index == storedPc.number ? storedPc.mobileNumber : QString();
    showNotices(
        pc_->StoreEditedEntry(pcEntryOf(values, pcMobileAt(index, keptMobile)), prompterAsker())
            .notices);
    refill(MemoryPc, lastAction_);
}

QString CPhonebookView::pcMobileAt(int index, const QString& fallback) const {
    // The dialogs have no mobile number field: rewriting a row keeps the one it holds.
    const int position = pc_->positionOfIndex(index);
    return position >= 0 ? pc_->entryAt(position).mobileNumber : fallback;
}
