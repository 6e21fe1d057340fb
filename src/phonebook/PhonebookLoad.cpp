// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/ListAnswers.h"
#include "phone/PhoneLink.h"
#include "phone/PhonebookAnswers.h"
#include "phone/SlotMirror.h"
#include "phonebook/PhoneAnswerCodes.h"
#include "phonebook/PhoneMemoryTable.h"

namespace {
// Entries a range asks for: a line lost on the way costs no more than one range.
constexpr int kRangeEntries = 50;

Notice lostDuringLoadNotice() {
    return Notice{QStringLiteral("Detected off-line during the PhoneBook Loading!\nTry again "
                                 "after confirming the PC connection"),
                  QStringLiteral("Error"), PromptIcon::Error};
}

bool parseEntry(const QString& entryText, PhonebookEntry& entry, PhoneCharset set) {
    PhonebookEntryAnswer answer;
    if (!ParsePhonebookEntry(entryText, answer, set)) {
        return false;
    }
    entry.index = answer.index;
    entry.dialString = answer.dialString;
    entry.name = answer.name;
    return true;
}
}  // namespace

// Besides the probe after a failed read, every fifth entry the phone held is followed by one:
// a phone that fell silent is noticed there rather than after every remaining index has waited
// out its time-out.
MirrorOutcome PhoneMemoryTable::LoadFromPhone(PhoneLink& link, Progress& progress) {
    if (!link.phoneFound ||
        link.SelectPhonebookMemory(traits_.selectCode) != phonebook_answer::kDone) {
        return {};
    }
    const int capacity = this->capacity(link);
    SlotStaging<PhonebookEntry> staging;
    bool held = false;
    SlotMirrorPlan plan;
    plan.caption = traits_.loadTitle;
    plan.first = 1;
    plan.last = capacity;
    plan.readSlot = [&](int slot) {
        QString entryText;
        const int code = link.ReadPhonebookEntry(slot, entryText);
        PhonebookEntry entry;
        held = code == phonebook_answer::kDone && !entryText.isEmpty() &&
               parseEntry(entryText, entry, link.charsetInUse());
        if (held) {
            staging.add(entry.index, entry);
        }
        return code;
    };
    if (link.settings.fastLoad) {
        // The probe resets the phone, which may select another memory.
        plan.resumeAfterProbe = [&] {
            return link.SelectPhonebookMemory(traits_.selectCode) == phonebook_answer::kDone;
        };
        plan.rangeSlots = kRangeEntries;
        plan.readRange = [&](int first, int last) {
            QList<PhonebookEntryAnswer> entries;
            const int code = link.ReadPhonebookRange(first, last, entries);
            for (const PhonebookEntryAnswer& answer : entries) {
                // A line from outside the range is a late echo of an earlier answer.
                if (answer.index >= first && answer.index <= last) {
                    staging.add(answer.index,
                                PhonebookEntry{answer.index, answer.name, answer.dialString});
                }
            }
            return code;
        };
    }
    plan.probeAfter = [&](int slot, int code) {
        return code != phonebook_answer::kDone || (held && slot % 5 == 0);
    };
    plan.progressValue = [&](int slot) { return traits_.progressBase + 50 * slot / capacity; };
    plan.stagedCount = [&] { return staging.size(); };
    plan.replaceTable = [&] { return replaceAllRows(staging.rows()); };
    plan.lostNotice = lostDuringLoadNotice();
    return mirrorSlots(link, progress, plan);
}
