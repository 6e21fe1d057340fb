// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/PhoneLink.h"
#include "phonebook/PhoneAnswerCodes.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/PhonebookDialString.h"
#include "phonebook/PhonebookEntryText.h"

namespace {
using phonebook_answer::kDone;
using phonebook_answer::kExtensionStoreFull;

int numberTypeOf(const QString& dialString) {
    QString passedOn;
    int type = 129;
    PhoneLink::NumberTypeOf(dialString, passedOn, type);
    return type;
}

Notice extensionFullNotice(const QString& text) {
    return Notice{text, QStringLiteral("FULL"), PromptIcon::Information};
}

bool answeredOk(const Asker& ask, const QString& text, const QString& caption) {
    return ask(Prompt{text, caption, PromptIcon::Question, PromptButtons::OkCancel}) ==
           PromptAnswer::Ok;
}
}  // namespace

StoreResult PhoneMemoryTable::StoreNewEntry(PhoneLink& link, int index, const QString& name,
                                            const QString& dialString, int mode, const Asker& ask) {
    // Checked before anything else, also off-line: the row would reach the phone later.
    if (auto unsafe = unsafeEntryTextNotice(name, dialString)) {
        return {StoreOutcome::UnsafeText, {*unsafe}};
    }
    if (IndexExists(index)) {
        if (answeredOk(
                ask,
                QStringLiteral("Number (%1) is exist. Do you edit old phone book data?").arg(index),
                QStringLiteral("New PB"))) {
            return StoreEditedEntry(link, index, name, dialString, ask);
        }
        return {StoreOutcome::Declined, {}};
    }
    if (index <= 0) {
        index = FirstFreeIndex();
    }
    StoreResult result{StoreOutcome::Stored, {}};
    QString stored = dialString;
    if (link.phoneFound) {
        const int type = numberTypeOf(dialString);
        if (link.SelectPhonebookMemory(traits_.selectCode) != kDone) {
            rememberPositionOf(index);
            return {StoreOutcome::Refused, {}};
        }
        const int code = link.WritePhonebookEntry(index, mode, dialString, type, name);
        if (code == kExtensionStoreFull) {
            if (!hasExtension(dialString)) {
                link.WritePhonebookEntry(index, mode, dialString, type, name);
            } else {
                result.notices.append(extensionFullNotice(
                    QStringLiteral("Number %1's extension number is not saved due to maximum "
                                   "capacity excess.\n Main number is only saved")
                        .arg(index)));
                stored = mainNumberOf(dialString);
                link.WritePhonebookEntry(index, mode, stored, type, name);
            }
        } else if (code != kDone) {
            rememberPositionOf(index);
            return {StoreOutcome::Refused, {}};
        }
    }
    AddRow(index, stored, name);
    rememberPositionOf(index);
    return result;
}

// The phone entry is deleted before the new one is written; when the phone then refuses the
// write, the old entry is written back so that phone and table still agree.
StoreResult PhoneMemoryTable::StoreEditedEntry(PhoneLink& link, int index, const QString& name,
                                               const QString& dialString, const Asker& ask) {
    if (auto unsafe = unsafeEntryTextNotice(name, dialString)) {
        return {StoreOutcome::UnsafeText, {*unsafe}};
    }
    if (!IndexExists(index)) {
        if (answeredOk(
                ask,
                QStringLiteral("Number (%1) does not exist. \n  Do you want make a new phone book?")
                    .arg(index),
                QStringLiteral("Edit PB"))) {
            return StoreNewEntry(link, index, name, dialString, 0, ask);
        }
        return {StoreOutcome::Declined, {}};
    }
    StoreResult result{StoreOutcome::Stored, {}};
    QString stored = dialString;
    if (link.phoneFound) {
        const PhonebookEntry old = entryWithIndex(index);
        const int type = numberTypeOf(dialString);
        if (link.SelectPhonebookMemory(traits_.selectCode) != kDone) {
            rememberPositionOf(index);
            return {StoreOutcome::Refused, {}};
        }
        link.DeletePhonebookEntry(index);
        const int code = link.WritePhonebookEntry(index, 0, dialString, type, name);
        if (code == kExtensionStoreFull && hasExtension(dialString)) {
            result.notices.append(extensionFullNotice(
                QStringLiteral("No %1's extension number is full.\n Main number is only saved")
                    .arg(index)));
            stored = mainNumberOf(dialString);
            link.WritePhonebookEntry(index, 0, stored, type, name);
        } else if (code != kDone && code != kExtensionStoreFull) {
            link.WritePhonebookEntry(index, 0, old.dialString, numberTypeOf(old.dialString),
                                     old.name);
            rememberPositionOf(index);
            return {StoreOutcome::Refused, {}};
        }
    }
    updateRow(index, name, stored);
    rememberPositionOf(index);
    return result;
}
