// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/PhonebookImport.h"

#include <QSet>
#include <memory>

#include "phone/DetachedPhoneLink.h"
#include "phone/PhoneLink.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/PhonebookEntryRules.h"
#include "phonebook/PhonebookEntryText.h"
#include "platform/Progress.h"

namespace phonebook_exchange {

namespace {

// The importer hands the stores free indexes only, so the question whether to overwrite an
// entry never comes; were it to, nothing is overwritten.
const Asker kNeverOverwrite = [](const Prompt&) { return PromptAnswer::Cancel; };

QString keyOf(const QString& name, const QString& number) {
    return name + u'\n' + number;
}

class EntryImporter {
  public:
    EntryImporter(PhoneLink* phoneOrNull, std::optional<PhonebookMemory> target,
                  ExchangeResult& result)
        : target_(target), result_(result) {
        if (phoneOrNull && phoneOrNull->phoneFound) {
            link_ = phoneOrNull;
        } else {
            offline_ = makeDetachedPhoneLink();
            link_ = offline_.get();
        }
        for (const PhonebookEntry& row : sim_.rows()) {
            known_[MemorySim].insert(keyOf(row.name, shownNumber(row.dialString)));
        }
        for (const PhonebookEntry& row : ms_.rows()) {
            known_[MemoryMs].insert(keyOf(row.name, shownNumber(row.dialString)));
        }
        for (const PcPhonebookEntry& row : pc_.rows()) {
            known_[MemoryPc].insert(keyOf(row.name, row.mainNumber));
        }
    }

    void add(const IncomingEntry& incoming) {
        const PhonebookMemory memory = target_ ? *target_ : incoming.memory.value_or(MemoryPc);
        const QString& name = incoming.entry.name;
        // The phone memories hold a caller-ID prefix as a load from the phone gives it, so an
        // exported list comes back row for row.
        const QString dialled = dialledNumber(incoming.entry.mainNumber);
        const QString number = memory == MemoryPc ? dialled : storedNumber(dialled);
        auto skip = [&](const QString& why) {
            result_.skip(
                QStringLiteral("%1 (%2): %3")
                    .arg(incoming.origin, name.isEmpty() ? QStringLiteral("no name") : name, why));
        };
        if (phoneLost_) {
            skip(QStringLiteral("the phone stopped answering"));
            return;
        }
        if (memory != MemoryPc && number.isEmpty()) {
            skip(QStringLiteral("no phone number for the %1").arg(phonebookName(memory)));
            return;
        }
        if (!name.isEmpty()) {
            if (const QString problem = phonebookEntryTextProblem(name, number);
                !problem.isEmpty()) {
                skip(problem);
                return;
            }
        }
        const QString key = keyOf(name, memory == MemoryPc ? number : shownNumber(number));
        if (known_[memory].contains(key)) {
            skip(QStringLiteral("already in the %1").arg(phonebookName(memory)));
            return;
        }
        PhonebookTable& table = tableOf(memory);
        const qint64 capacity = memory == MemoryPc
                                    ? kPcPhonebookCapacity
                                    : static_cast<PhoneMemoryTable&>(table).capacity(*link_);
        int index = incoming.index;
        if (index < 1 || index > capacity || table.IndexExists(index)) {
            index = table.FirstFreeIndex();
        }
        if (index > capacity) {
            skip(QStringLiteral("the %1 is full (%2 entries)")
                     .arg(phonebookName(memory))
                     .arg(capacity));
            return;
        }
        if (const auto problem = entryInputProblem(name, number, index, capacity)) {
            skip(problem->text);
            return;
        }
        // Only where the phone said how long a name may be (a set was chosen): the default
        // exchange has always left names to the phone.
        if (const int reported =
                memory == MemoryPc ? 0 : link_->phonebookNameLength(memory == MemorySim ? 0 : 1);
            reported > 0) {
            if (const auto problem = nameFitProblem(name, reported, link_->charsetInUse())) {
                skip(problem->text);
                return;
            }
        }
        if (memory == MemoryPc) {
            PcPhonebookEntry entry = incoming.entry;
            entry.number = index;
            entry.mainNumber = number;
            if (!pc_.StoreNewEntry(entry, kNeverOverwrite).stored()) {
                skip(QStringLiteral("not stored"));
                return;
            }
        } else {
            auto& phoneTable = static_cast<PhoneMemoryTable&>(table);
            // The entry dialog's write modes: 0 for the SIM, 2 for the phone memory.
            const int mode = memory == MemoryMs ? 2 : 0;
            const StoreResult stored =
                phoneTable.StoreNewEntry(*link_, index, name, number, mode, kNeverOverwrite);
            result_.notices += stored.notices;
            if (!stored.stored()) {
                if (link_->phoneFound && !link_->Identify()) {
                    phoneLost_ = true;
                    skip(QStringLiteral("the phone stopped answering"));
                } else {
                    skip(QStringLiteral("the phone refused it"));
                }
                return;
            }
        }
        known_[memory].insert(key);
        ++result_.imported;
    }

  private:
    PhonebookTable& tableOf(PhonebookMemory memory) {
        switch (memory) {
            case MemorySim:
                return sim_;
            case MemoryMs:
                return ms_;
            default:
                return pc_;
        }
    }

    std::optional<PhonebookMemory> target_;
    ExchangeResult& result_;
    std::unique_ptr<PhoneLink> offline_;
    PhoneLink* link_ = nullptr;
    CSimViewDB sim_;
    CMsListDB ms_;
    CPCListDB pc_;
    QSet<QString> known_[3];
    bool phoneLost_ = false;
};

}  // namespace

ExchangeResult importEntries(const QList<IncomingEntry>& entries,
                             std::optional<PhonebookMemory> target, PhoneLink* phoneOrNull,
                             Progress& progress, ExchangeResult result) {
    EntryImporter importer(phoneOrNull, target, result);
    progress.show(QStringLiteral("Import"), QStringLiteral("Phonebook entries"));
    for (qsizetype i = 0; i < entries.size(); ++i) {
        importer.add(entries[i]);
        progress.setValue(static_cast<int>(100 * (i + 1) / entries.size()));
    }
    progress.destroy();
    return result;
}

}  // namespace phonebook_exchange
