// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>

#include "phone/PhoneLink.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/ui/CPhonebookView.h"
#include "phonebook/ui/FilterSettingDialog.h"
#include "phonebook/ui/PhonebookListWidget.h"
#include "phonebook/ui/PrintPhonebooks.h"
#include "phonebook/ui/PrintTableFromView.h"
#include "platform/Notice.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"
#include "platform/QuitRequest.h"

// Deletion and its undoing, reload from the phone, the filter and printing.

void CPhonebookView::deleteEntry() {
    lastAction_ = 3;
    deleteSelected();
}

void CPhonebookView::deleteSelected() {
    const QList<int> positions = lists_[currentMemory_]->selectedPositions();
    if (PhoneMemoryTable* phone = phoneTable(currentMemory_)) {
        phone->DeleteSelected(*link_, positions, currentProgress());
    } else {
        pc_->DeleteSelected(positions);
    }
    refill(currentMemory_, lastAction_);
}

void CPhonebookView::deleteAll() {
    const QString text = QStringLiteral("Do you want to delete all %1 data of phone book ?")
                             .arg(listTitle(currentMemory_));
    if (askQuestion(text, QStringLiteral("Delete All")) != PromptAnswer::Yes) {
        return;
    }
    if (PhoneMemoryTable* phone = phoneTable(currentMemory_)) {
        phone->DeleteAll(*link_, currentProgress());
    } else {
        pc_->DeleteAll();
    }
    refill(currentMemory_, lastAction_);
}

void CPhonebookView::cancelDeletion() {
    if (PhoneMemoryTable* phone = phoneTable(currentMemory_)) {
        showNotices(phone->RestoreDeleted(*link_, prompterAsker()));
    } else {
        pc_->RestoreDeleted();
    }
    refill(currentMemory_, lastAction_);
}

void CPhonebookView::reload() {
    if (link_->Identify()) {
        link_->QueryCapacities();
        if (!loadKept(*sim_) || !loadKept(*ms_)) {
            // The phone went away in the middle of a load: the program ends.
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                      Qt::QueuedConnection);
        }
    } else {
        showMessage(QStringLiteral("Now is Off line"), QStringLiteral("Load"), PromptIcon::Error);
    }
    refillAll(lastAction_);
}

bool CPhonebookView::loadKept(PhoneMemoryTable& table) {
    const MirrorOutcome outcome = table.LoadFromPhone(*link_, currentProgress());
    if (outcome.notice) {
        showNotice(*outcome.notice);
    }
    if (outcome.kind == MirrorOutcome::Kind::PhoneLost) {
        requestApplicationQuit();
        return false;
    }
    return true;
}

bool CPhonebookView::openFilterDialog() {
    FilterSettingDialog dialog(nameFilter_, numberFilter_, this);
    if (runDialog(dialog) != QDialog::Accepted) {
        return false;
    }
    nameFilter_ = dialog.nameText();
    numberFilter_ = dialog.numberText();
    return true;
}

void CPhonebookView::filterSetting() {
    openFilterDialog();
    showStatus(QStringLiteral("Name(%1),PhoneNumber(%2) Setted").arg(nameFilter_, numberFilter_));
}

void CPhonebookView::toggleFilter() {
    filterOn_ = !filterOn_;
    QString nameText;
    QString numberText;
    if (filterOn_) {
        if (nameFilter_.isEmpty() && numberFilter_.isEmpty()) {
            const PromptAnswer answer = askQuestion(
                QStringLiteral("You have to set the filter setting first. Do you want to set the "
                               "filter now?"),
                QStringLiteral("No Filter Setting"), PromptButtons::OkCancel,
                PromptIcon::Information);
            if (answer != PromptAnswer::Ok || !openFilterDialog()) {
                filterOn_ = !filterOn_;
                return;
            }
        }
        nameText = nameFilter_;
        numberText = numberFilter_;
    }
    for (int memory = MemorySim; memory <= MemoryPc; ++memory) {
        table(memory).SetFilterStrings(nameText, numberText);
    }
    refillAll(lastAction_);
}

void CPhonebookView::print() {
    printPhonebooks(window(), phonebookPrintTableFromList(MemorySim, *lists_[MemorySim]),
                    phonebookPrintTableFromList(MemoryMs, *lists_[MemoryMs]),
                    phonebookPrintTableFromList(MemoryPc, *lists_[MemoryPc]));
}
