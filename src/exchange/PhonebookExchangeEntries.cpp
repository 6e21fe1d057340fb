// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/PhonebookExchangeEntries.h"

#include <memory>

#include "phone/PhoneLink.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"

namespace phonebook_exchange {

QString memoryText(PhonebookMemory memory) {
    switch (memory) {
        case MemorySim:
            return QStringLiteral("SIM");
        case MemoryMs:
            return QStringLiteral("MS");
        default:
            return QStringLiteral("PC");
    }
}

std::optional<PhonebookMemory> memoryOfText(const QString& text) {
    const QString upper = text.trimmed().toUpper();
    if (upper == QLatin1String("SIM")) {
        return MemorySim;
    }
    if (upper == QLatin1String("MS")) {
        return MemoryMs;
    }
    if (upper == QLatin1String("PC")) {
        return MemoryPc;
    }
    return std::nullopt;
}

QString phonebookName(PhonebookMemory memory) {
    return memoryText(memory) + QStringLiteral(" phonebook");
}

QString shownNumber(const QString& stored) {
    return stored.startsWith(QLatin1String("+*31#")) || stored.startsWith(QLatin1String("+#31#"))
               ? PhoneLink::ToDisplayForm(stored)
               : stored;
}

QString dialledNumber(QString number) {
    static const QString kLayout = QStringLiteral(" -().\u00A0\t");
    number.removeIf([](QChar c) { return kLayout.contains(c); });
    return number;
}

QString storedNumber(const QString& shown) {
    return shown.startsWith(QLatin1String("*31#+")) || shown.startsWith(QLatin1String("#31#+"))
               ? PhoneLink::ToPhoneForm(shown)
               : shown;
}

QList<ListedEntry> listedEntries(const QList<PhonebookMemory>& memories) {
    QList<ListedEntry> listed;
    for (const PhonebookMemory memory : memories) {
        if (memory == MemoryPc) {
            CPCListDB pc;
            for (const PcPhonebookEntry& entry : pc.rows()) {
                listed.append({memory, entry});
            }
            continue;
        }
        std::unique_ptr<PhoneMemoryTable> table;
        if (memory == MemorySim) {
            table = std::make_unique<CSimViewDB>();
        } else {
            table = std::make_unique<CMsListDB>();
        }
        for (const PhonebookEntry& row : table->rows()) {
            PcPhonebookEntry entry;
            entry.number = row.index;
            entry.name = row.name;
            entry.mainNumber = shownNumber(row.dialString);
            listed.append({memory, entry});
        }
    }
    return listed;
}

}  // namespace phonebook_exchange
