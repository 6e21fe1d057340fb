// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/PhonebookCopy.h"

#include <QSet>

#include "phone/PhoneLink.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/PhonebookEntryText.h"

namespace {
Notice warning(const QString& text, const QString& caption = QStringLiteral("Warning")) {
    return Notice{text, caption, PromptIcon::Warning};
}

Notice error(const QString& text) {
    return Notice{text, QStringLiteral("ERROR"), PromptIcon::Error};
}

QString captionOf(PhonebookMemory target) {
    switch (target) {
        case MemorySim:
            return QStringLiteral("Copy to SIM");
        case MemoryMs:
            return QStringLiteral("Copy to MS");
        default:
            return QStringLiteral("Copy to PC");
    }
}

// The count message; entries the phone refused are named apart, since they are neither copied
// nor dropped for lack of room.
Notice countNotice(int copied, int requested, int refused, PhonebookMemory target) {
    Notice prompt = copyCountNotice(copied, requested - refused, captionOf(target));
    if (refused > 0) {
        prompt.text += (refused == 1 ? QStringLiteral("\n%1 entry is refused by the phone.")
                                     : QStringLiteral("\n%1 entries are refused by the phone."))
                           .arg(refused);
        prompt.caption = QStringLiteral("Warning");
    }
    return prompt;
}
}  // namespace

QString phonebookNameOf(PhonebookMemory memory) {
    switch (memory) {
        case MemorySim:
            return QStringLiteral("SIM PhoneBook");
        case MemoryMs:
            return QStringLiteral("MS PhoneBook");
        default:
            return QStringLiteral("PC PhoneBook");
    }
}

int copySourceCode(PhonebookMemory source, PhonebookMemory target) {
    switch (source) {
        case MemorySim:
            return 1;
        case MemoryMs:
            return 3;
        default:
            return target == MemoryMs ? 2 : 0;
    }
}

Notice copyCountNotice(int copied, int requested, const QString& caption) {
    const int dropped = requested - copied;
    QString text;
    if (dropped == 0) {
        text = (copied == 1 ? QStringLiteral("%1 entry is copied.")
                            : QStringLiteral("%1 entries are copied."))
                   .arg(copied);
    } else {
        // The wording of the four mixed cases is kept as users have always seen it.
        QString pattern;
        if (copied == 1 && dropped == 1) {
            pattern = QStringLiteral(
                "%1 entries are copied. %2 entries are dropped. \nMaximum Capacity Exceeded!");
        } else if (copied == 1) {
            pattern = QStringLiteral(
                "%1 entriy is copied. %2 entries are dropped. \nMaximum Capacity Exceeded!");
        } else if (dropped == 1) {
            pattern = QStringLiteral(
                "%1 entriies are copied. %2 entry is are dropped. \nMaximum Capacity Exceeded!");
        } else {
            pattern = QStringLiteral(
                "%1 entries are copied. %2 entries are dropped. \nMaximum Capacity Exceeded!");
        }
        text = pattern.arg(copied).arg(dropped);
    }
    return warning(text, dropped == 0 ? caption : QStringLiteral("Warning"));
}

PhonebookCopy::PhonebookCopy(CSimViewDB& sim, CMsListDB& ms, CPCListDB& pc)
    : sim_(sim), ms_(ms), pc_(pc) {}

PhonebookCopyResult PhonebookCopy::run(PhoneLink* link, PhonebookMemory source,
                                       PhonebookMemory target, const QList<PhonebookListRow>& items,
                                       const Asker& ask) {
    if (target == MemoryPc) {
        return copyToPc(source, items);
    }
    if (link == nullptr) {
        // Without a phone nothing can be probed: the same end as a pulled cable.
        PhonebookCopyResult result;
        result.end = PhonebookCopyEnd::PhoneLost;
        result.requested = static_cast<int>(items.size());
        result.message = error(QStringLiteral("The cable is not connected to the phone"));
        return result;
    }
    return copyToPhone(*link, source, target, items, ask);
}

PhonebookCopyResult PhonebookCopy::copyToPhone(PhoneLink& link, PhonebookMemory source,
                                               PhonebookMemory target,
                                               const QList<PhonebookListRow>& items,
                                               const Asker& ask) {
    PhoneMemoryTable& table = target == MemorySim ? static_cast<PhoneMemoryTable&>(sim_)
                                                  : static_cast<PhoneMemoryTable&>(ms_);
    PhonebookCopyResult result;
    if (table.capacity(link) < table.FirstFreeIndex()) {
        result.end = PhonebookCopyEnd::TargetFull;
        result.message = warning(QStringLiteral("Maximum Capacity Exceeded!"));
        return result;
    }
    result.requested = static_cast<int>(items.size());
    if (items.isEmpty()) {
        return result;
    }
    if (const QString problem = itemsProblem(items); !problem.isEmpty()) {
        result.end = PhonebookCopyEnd::UnsafeText;
        result.message = error(problem);
        return result;
    }

    const int code = copySourceCode(source, target);
    int refused = 0;
    started(source, target);
    for (const PhonebookListRow& item : items) {
        const int index = table.FirstFreeIndex();
        if (table.capacity(link) < index) {
            break;
        }
        if (!link.Identify()) {
            result.end = PhonebookCopyEnd::PhoneLost;
            const bool capitalised = source == MemorySim && target == MemoryMs;
            result.message =
                error(capitalised ? QStringLiteral("The Cable is not connected to the phone")
                                  : QStringLiteral("The cable is not connected to the phone"));
            return result;
        }
        const StoreResult stored =
            table.StoreNewEntry(link, index, item.name, item.phoneNumber, code, ask);
        result.notices += stored.notices;
        if (stored.stored()) {
            ++result.copied;
        } else {
            ++refused;
        }
        itemDone(source, target);
    }
    result.end = PhonebookCopyEnd::Copied;
    result.message = countNotice(result.copied, result.requested, refused, target);
    return result;
}

PhonebookCopyResult PhonebookCopy::copyToPc(PhonebookMemory source,
                                            const QList<PhonebookListRow>& items) {
    PhonebookCopyResult result;
    result.requested = static_cast<int>(items.size());
    if (items.isEmpty()) {
        return result;
    }
    started(source, MemoryPc);
    for (const PhonebookListRow& item : items) {
        PcPhonebookEntry entry;
        if (source == MemoryPc) {
            entry = pc_.findRow(item.number.toInt(), item.name, item.phoneNumber);
        }
        if (entry.number == 0) {
            // From a phone list, or a PC row that is gone: the three texts are all there is.
            entry = PcPhonebookEntry{};
            entry.name = item.name;
            entry.mainNumber = item.phoneNumber;
        }
        entry.number = pc_.FirstFreeIndex();
        pc_.AddRow(entry);
        ++result.copied;
        itemDone(source, MemoryPc);
    }
    result.end = PhonebookCopyEnd::Copied;
    result.message = countNotice(result.copied, result.requested, 0, MemoryPc);
    return result;
}

QString PhonebookCopy::itemsProblem(const QList<PhonebookListRow>& items) {
    for (const PhonebookListRow& item : items) {
        if (QString problem = phonebookEntryTextProblem(item.name, item.phoneNumber);
            !problem.isEmpty()) {
            return problem;
        }
    }
    return {};
}

QList<PhonebookListRow> PhonebookCopy::rowsWithIndexes(PhonebookTable& table,
                                                       const QList<int>& indexes,
                                                       QList<int>* missing) {
    QSet<int> wanted(indexes.begin(), indexes.end());
    QList<PhonebookListRow> rows;
    for (const PhonebookListRow& row : table.RefillList(0).rows) {
        if (wanted.remove(row.number.toInt())) {
            rows.append(row);
        }
    }
    if (missing) {
        missing->clear();
        for (int index : indexes) {
            if (wanted.contains(index) && !missing->contains(index)) {
                missing->append(index);
            }
        }
    }
    return rows;
}

void PhonebookCopy::started(PhonebookMemory source, PhonebookMemory target) {
    if (observer_) {
        observer_->copyStarted(phonebookNameOf(source), phonebookNameOf(target));
    }
}

void PhonebookCopy::itemDone(PhonebookMemory source, PhonebookMemory target) {
    if (observer_) {
        observer_->itemCopied(phonebookNameOf(source), phonebookNameOf(target));
    }
}
