#include "phone/PhoneLink.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/PhonebookDialString.h"
#include "phonebook/PhonebookEntryText.h"
#include "platform/Prompter.h"

namespace {
int numberTypeOf(const QString& dialString) {
    QString passedOn;
    int type = 129;
    PhoneLink::NumberTypeOf(dialString, passedOn, type);
    return type;
}

}  // namespace

StoreOutcome PhoneMemoryTable::StoreNewEntry(PhoneLink& link, int index, const QString& name,
                                             const QString& dialString, int mode) {
    // Checked before anything else, also off-line: the row would reach the phone later.
    if (refuseUnsafeEntryText(name, dialString)) {
        return StoreOutcome::UnsafeText;
    }
    if (IndexExists(index)) {
        const PromptAnswer answer = askQuestion(
            QStringLiteral("Number (%1) is exist. Do you edit old phone book data?").arg(index),
            QStringLiteral("New PB"), PromptButtons::OkCancel, PromptIcon::Question);
        if (answer == PromptAnswer::Ok) {
            return StoreEditedEntry(link, index, name, dialString);
        }
        return StoreOutcome::Declined;
    }
    if (index <= 0) {
        index = FirstFreeIndex();
    }
    QString stored = dialString;
    if (link.phoneFound) {
        const int type = numberTypeOf(dialString);
        if (link.SelectPhonebookMemory(traits_.selectCode) != 0) {
            rememberPositionOf(index);
            return StoreOutcome::Refused;
        }
        const int code = link.WritePhonebookEntry(index, mode, dialString, type, name);
        if (code == 2) {
            if (!hasExtension(dialString)) {
                link.WritePhonebookEntry(index, mode, dialString, type, name);
            } else {
                showMessage(QStringLiteral("Number %1's extension number is not saved due to "
                                           "maximum capacity excess.\n Main number is only saved")
                                .arg(index),
                            QStringLiteral("FULL"), PromptIcon::Information);
                stored = mainNumberOf(dialString);
                link.WritePhonebookEntry(index, mode, stored, type, name);
            }
        } else if (code != 0) {
            rememberPositionOf(index);
            return StoreOutcome::Refused;
        }
    }
    AddRow(index, stored, name);
    rememberPositionOf(index);
    return StoreOutcome::Stored;
}

// The phone entry is deleted before the new one is written; when the phone then refuses the
// write, the old entry is written back so that phone and table still agree.
StoreOutcome PhoneMemoryTable::StoreEditedEntry(PhoneLink& link, int index, const QString& name,
                                                const QString& dialString) {
    if (refuseUnsafeEntryText(name, dialString)) {
        return StoreOutcome::UnsafeText;
    }
    if (!IndexExists(index)) {
        const PromptAnswer answer = askQuestion(
            QStringLiteral("Number (%1) does not exist. \n  Do you want make a new phone book?")
                .arg(index),
            QStringLiteral("Edit PB"), PromptButtons::OkCancel, PromptIcon::Question);
        if (answer == PromptAnswer::Ok) {
            return StoreNewEntry(link, index, name, dialString, 0);
        }
        return StoreOutcome::Declined;
    }
    QString stored = dialString;
    if (link.phoneFound) {
        const PhonebookEntry old = entryWithIndex(index);
        const int type = numberTypeOf(dialString);
        if (link.SelectPhonebookMemory(traits_.selectCode) != 0) {
            rememberPositionOf(index);
            return StoreOutcome::Refused;
        }
        link.DeletePhonebookEntry(index);
        const int code = link.WritePhonebookEntry(index, 0, dialString, type, name);
        if (code == 2 && hasExtension(dialString)) {
            showMessage(QStringLiteral("No %1's extension number is full.\n Main number is only "
                                       "saved")
                            .arg(index),
                        QStringLiteral("FULL"), PromptIcon::Information);
            stored = mainNumberOf(dialString);
            link.WritePhonebookEntry(index, 0, stored, type, name);
        } else if (code != 0 && code != 2) {
            link.WritePhonebookEntry(index, 0, old.dialString, numberTypeOf(old.dialString),
                                     old.name);
            rememberPositionOf(index);
            return StoreOutcome::Refused;
        }
    }
    updateRow(index, name, stored);
    rememberPositionOf(index);
    return StoreOutcome::Stored;
}
