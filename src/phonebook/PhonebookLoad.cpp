#include <QSet>
#include <QStringList>

#include "phone/PhoneLink.h"
#include "phone/PhonebookAnswers.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/PhonebookDialString.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"
#include "platform/QuitRequest.h"

namespace {
const char* const kLostDuringLoad =
    "Detected off-line during the PhoneBook Loading!\nTry again after confirming the PC "
    "connection";

bool parseEntry(const QString& entryText, PhonebookEntry& entry) {
    PhonebookEntryAnswer answer;
    if (!ParsePhonebookEntry(entryText, answer)) {
        return false;
    }
    entry.index = answer.index;
    entry.dialString = answer.dialString;
    entry.name = answer.name;
    return true;
}
}  // namespace

// The pass reads into a staging list and replaces the table only when every index was read:
// a phone lost half-way leaves the previous cache intact. A read that failed outright is
// followed by the presence probe at once, so a phone that fell silent is noticed there rather
// than after every remaining index has waited out its time-out.
PhonebookLoadResult PhoneMemoryTable::LoadFromPhone(PhoneLink& link) {
    if (!link.phoneFound) {
        return PhonebookLoadResult::NotLoaded;
    }
    if (link.SelectPhonebookMemory(traits_.selectCode) != 0) {
        return PhonebookLoadResult::NotLoaded;
    }
    Progress& progress = currentProgress();
    progress.show(traits_.loadTitle, QStringLiteral("Loading...."));

    const int capacity = this->capacity(link);
    QList<PhonebookEntry> staged;
    QSet<int> stagedIndexes;
    for (int i = 1; i <= capacity; ++i) {
        QString entryText;
        const int code = link.ReadPhonebookEntry(i, entryText);
        PhonebookEntry entry;
        const bool held = code == 0 && !entryText.isEmpty() && parseEntry(entryText, entry);
        const bool probe = code != 0 || (held && i % 5 == 0);
        if (probe && !link.Identify()) {
            progress.destroy();
            showMessage(QString::fromLatin1(kLostDuringLoad), QStringLiteral("Error"),
                        PromptIcon::Error);
            requestApplicationQuit();
            return PhonebookLoadResult::PhoneLost;
        }
        if (held && !stagedIndexes.contains(entry.index)) {
            stagedIndexes.insert(entry.index);
            staged.append(entry);
        }
        progress.setValue(traits_.progressBase + 50 * i / capacity);
    }
    replaceAllRows(staged);
    progress.destroy();
    return PhonebookLoadResult::Loaded;
}
