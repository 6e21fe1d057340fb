#include "exchange/PhonebookExchange.h"

#include <QSet>
#include <memory>

#include "exchange/CsvFormat.h"
#include "exchange/ExchangeFile.h"
#include "exchange/VCardFormat.h"
#include "phone/DetachedPhoneLink.h"
#include "phone/PhoneLink.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/PhonebookEntryRules.h"
#include "phonebook/PhonebookEntryText.h"
#include "platform/Progress.h"

namespace {

const QString kMemoryProperty = QStringLiteral("X-DEXMORO-MEMORY");
const QString kIndexProperty = QStringLiteral("X-DEXMORO-INDEX");

const QStringList kCsvColumns = {
    QStringLiteral("Memory"),       QStringLiteral("Number"),       QStringLiteral("Name"),
    QStringLiteral("MainNumber"),   QStringLiteral("OfficeNumber"), QStringLiteral("FaxNumber"),
    QStringLiteral("MobileNumber"), QStringLiteral("HomeNumber"),   QStringLiteral("PagerNumber"),
    QStringLiteral("EmailAddress"), QStringLiteral("Address"),      QStringLiteral("Memo")};

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

// A dial string as the lists show it: a caller-ID prefix stored with the "+" in front reads
// with the "+" behind it, which is also what the entry dialogs take.
QString shownNumber(const QString& stored) {
    return stored.startsWith(QLatin1String("+*31#")) || stored.startsWith(QLatin1String("+#31#"))
               ? PhoneLink::ToDisplayForm(stored)
               : stored;
}

// Address books write numbers for reading ("+44 (20) 7946-0000"); the phone takes dialling
// characters only.
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

// One entry of every memory as the exports see it: the PC row's columns, of which the phone
// memories fill only the number, name and main number.
struct ListedEntry {
    PhonebookMemory memory = MemoryPc;
    PcPhonebookEntry entry;
};

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

// ---- vCard out ----

void writeCard(VCardWriter& out, const ListedEntry& listed) {
    const PcPhonebookEntry& entry = listed.entry;
    const QString name = VCardWriter::escapeText(entry.name);
    out.begin();
    out.property(QStringLiteral("FN"), name);
    out.property(QStringLiteral("N"), name + QStringLiteral(";;;;"));
    auto optional = [&out](const QString& property, const QString& value) {
        if (!value.isEmpty()) {
            out.property(property, VCardWriter::escapeText(value));
        }
    };
    if (listed.memory != MemoryPc) {
        optional(QStringLiteral("TEL;TYPE=VOICE"), entry.mainNumber);
    } else {
        optional(QStringLiteral("TEL;TYPE=VOICE,PREF"), entry.mainNumber);
        optional(QStringLiteral("TEL;TYPE=WORK,VOICE"), entry.officeNumber);
        optional(QStringLiteral("TEL;TYPE=FAX"), entry.faxNumber);
        optional(QStringLiteral("TEL;TYPE=CELL,VOICE"), entry.mobileNumber);
        optional(QStringLiteral("TEL;TYPE=HOME,VOICE"), entry.homeNumber);
        optional(QStringLiteral("TEL;TYPE=PAGER"), entry.pagerNumber);
        optional(QStringLiteral("EMAIL;TYPE=INTERNET"), entry.emailAddress);
        if (!entry.address.isEmpty()) {
            // The address is one free text: it goes whole into the street part.
            out.property(QStringLiteral("ADR"), QStringLiteral(";;") +
                                                    VCardWriter::escapeText(entry.address) +
                                                    QStringLiteral(";;;;"));
        }
        optional(QStringLiteral("NOTE"), entry.memo);
    }
    out.property(kMemoryProperty, memoryText(listed.memory));
    out.property(kIndexProperty, QString::number(entry.number));
    out.end();
}

// ---- into the stores ----

// An entry read from a file, with where it came from for the messages.
struct IncomingEntry {
    QString origin;  // "card at line 12", "line 12"
    std::optional<PhonebookMemory> memory;
    int index = 0;
    PcPhonebookEntry entry;
};

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
        if (memory == MemoryPc) {
            PcPhonebookEntry entry = incoming.entry;
            entry.number = index;
            entry.mainNumber = number;
            if (!pc_.StoreNewEntry(entry)) {
                skip(QStringLiteral("not stored"));
                return;
            }
        } else {
            auto& phoneTable = static_cast<PhoneMemoryTable&>(table);
            // The entry dialog's write modes: 0 for the SIM, 2 for the phone memory.
            const int mode = memory == MemoryMs ? 2 : 0;
            if (phoneTable.StoreNewEntry(*link_, index, name, number, mode) !=
                StoreOutcome::Stored) {
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

// ---- vCard in ----

QString nameOfCard(const VCardCard& card) {
    if (const VCardProperty* fn = card.first(QStringLiteral("FN"))) {
        if (const QString name = fn->text().trimmed(); !name.isEmpty()) {
            return name;
        }
    }
    if (const VCardProperty* n = card.first(QStringLiteral("N"))) {
        // Family; Given; Middle; Prefix; Suffix, read in the order a name is spoken.
        const QStringList parts = n->components();
        QStringList spoken;
        for (const int part : {3, 1, 2, 0, 4}) {
            if (const QString text = parts.value(part).trimmed(); !text.isEmpty()) {
                spoken << text;
            }
        }
        if (!spoken.isEmpty()) {
            return spoken.join(u' ');
        }
    }
    // A company's card may name the company alone.
    if (const VCardProperty* org = card.first(QStringLiteral("ORG"))) {
        return org->components().value(0).trimmed();
    }
    return {};
}

QString addressOf(const VCardCard& card) {
    if (const VCardProperty* adr = card.first(QStringLiteral("ADR"))) {
        QStringList parts;
        for (const QString& part : adr->components()) {
            if (!part.trimmed().isEmpty()) {
                parts << part.trimmed();
            }
        }
        return parts.join(QStringLiteral(", "));
    }
    if (const VCardProperty* label = card.first(QStringLiteral("LABEL"))) {
        return label->text();
    }
    return {};
}

IncomingEntry entryOfCard(const VCardCard& card) {
    IncomingEntry incoming;
    incoming.origin = QStringLiteral("card at line %1").arg(card.line);
    if (const VCardProperty* memory = card.first(kMemoryProperty)) {
        incoming.memory = memoryOfText(memory->text());
    }
    if (const VCardProperty* index = card.first(kIndexProperty)) {
        incoming.index = index->text().trimmed().toInt();
    }
    PcPhonebookEntry& entry = incoming.entry;
    entry.name = nameOfCard(card);

    QStringList extras;
    QString firstNumber;
    for (const VCardProperty* tel : card.all(QStringLiteral("TEL"))) {
        QString number = tel->text().trimmed();
        if (number.startsWith(QLatin1String("tel:"), Qt::CaseInsensitive)) {
            number = number.mid(4);  // 4.0 writes numbers as URIs
        }
        if (number.isEmpty()) {
            continue;
        }
        if (firstNumber.isEmpty()) {
            firstNumber = number;
        }
        const QSet<QString>& types = tel->types;
        QString* slot = &entry.mainNumber;
        if (types.contains(QStringLiteral("PREF"))) {
            slot = &entry.mainNumber;
        } else if (types.contains(QStringLiteral("FAX"))) {
            slot = &entry.faxNumber;
        } else if (types.contains(QStringLiteral("PAGER"))) {
            slot = &entry.pagerNumber;
        } else if (types.contains(QStringLiteral("CELL"))) {
            slot = &entry.mobileNumber;
        } else if (types.contains(QStringLiteral("WORK"))) {
            slot = &entry.officeNumber;
        } else if (types.contains(QStringLiteral("HOME"))) {
            slot = &entry.homeNumber;
        }
        if (slot->isEmpty()) {
            *slot = number;
        } else if (entry.mainNumber.isEmpty()) {
            entry.mainNumber = number;
        } else {
            extras << QStringLiteral("Phone: ") + number;
        }
    }
    if (entry.mainNumber.isEmpty()) {
        // The lists and the phone show the main number: a card whose numbers are all typed
        // still gets one.
        entry.mainNumber = firstNumber;
    }
    const QList<const VCardProperty*> emails = card.all(QStringLiteral("EMAIL"));
    for (qsizetype i = 0; i < emails.size(); ++i) {
        if (i == 0) {
            entry.emailAddress = emails[i]->text().trimmed();
        } else {
            extras << QStringLiteral("E-mail: ") + emails[i]->text().trimmed();
        }
    }
    entry.address = addressOf(card);
    if (const VCardProperty* note = card.first(QStringLiteral("NOTE"))) {
        entry.memo = note->text();
    }
    if (!extras.isEmpty()) {
        // Nothing of the card is lost: what has no column of its own goes into the memo.
        entry.memo +=
            (entry.memo.isEmpty() ? QString() : QStringLiteral("\n")) + extras.join(u'\n');
    }
    return incoming;
}

// ---- CSV ----

QStringList csvFieldsOf(const ListedEntry& listed) {
    const PcPhonebookEntry& e = listed.entry;
    return {memoryText(listed.memory),
            QString::number(e.number),
            e.name,
            e.mainNumber,
            e.officeNumber,
            e.faxNumber,
            e.mobileNumber,
            e.homeNumber,
            e.pagerNumber,
            e.emailAddress,
            e.address,
            e.memo};
}

}  // namespace

ExchangeResult exportPhonebookVCard(const QString& file, const QList<PhonebookMemory>& memories) {
    ExchangeResult result;
    VCardWriter out;
    for (const ListedEntry& listed : listedEntries(memories)) {
        writeCard(out, listed);
        ++result.exported;
    }
    result.error = writeExchangeFile(file, out.bytes());
    return result;
}

ExchangeResult importPhonebookVCard(const QString& file, std::optional<PhonebookMemory> target,
                                    PhoneLink* phoneOrNull, Progress& progress) {
    QByteArray bytes;
    if (const QString error = readExchangeFile(file, bytes); !error.isEmpty()) {
        return ExchangeResult::failed(error);
    }
    const VCardReadResult read = readVCards(bytes);
    if (read.cards.isEmpty() && !read.problems.isEmpty() &&
        read.problems.first().startsWith(QLatin1String("line"))) {
        return ExchangeResult::failed(
            QStringLiteral("%1 is no vCard file: %2").arg(file, read.problems.first()));
    }
    ExchangeResult result;
    for (const QString& problem : read.problems) {
        result.skip(problem);
    }
    QList<IncomingEntry> entries;
    for (const VCardCard& card : read.cards) {
        entries.append(entryOfCard(card));
    }
    return importEntries(entries, target, phoneOrNull, progress, result);
}

ExchangeResult exportPhonebookCsv(const QString& file, const QList<PhonebookMemory>& memories) {
    ExchangeResult result;
    QByteArray bytes = csvLine(kCsvColumns);
    for (const ListedEntry& listed : listedEntries(memories)) {
        bytes += csvLine(csvFieldsOf(listed));
        ++result.exported;
    }
    result.error = writeExchangeFile(file, bytes);
    return result;
}

ExchangeResult importPhonebookCsv(const QString& file, std::optional<PhonebookMemory> target,
                                  PhoneLink* phoneOrNull, Progress& progress) {
    CsvReadResult read;
    if (const QString error = readCsvFile(file, read); !error.isEmpty()) {
        return ExchangeResult::failed(error);
    }
    const QStringList& header = read.records.first().fields;
    auto column = [&header](const QString& name) {
        for (qsizetype i = 0; i < header.size(); ++i) {
            if (header[i].trimmed().compare(name, Qt::CaseInsensitive) == 0) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    if (column(QStringLiteral("Name")) < 0) {
        return ExchangeResult::failed(
            QStringLiteral("%1: line 1: the header has no Name column").arg(file));
    }
    ExchangeResult result;
    QList<IncomingEntry> entries;
    for (qsizetype r = 1; r < read.records.size(); ++r) {
        const CsvRecord& record = read.records[r];
        const QString origin = QStringLiteral("line %1").arg(record.line);
        if (record.fields.size() != header.size()) {
            result.skip(QStringLiteral("%1: %2 fields where the header has %3")
                            .arg(origin)
                            .arg(record.fields.size())
                            .arg(header.size()));
            continue;
        }
        auto field = [&](const QString& name) {
            const int at = column(name);
            return at < 0 ? QString() : record.fields[at];
        };
        IncomingEntry incoming;
        incoming.origin = origin;
        if (const QString memory = field(QStringLiteral("Memory")); !memory.isEmpty()) {
            incoming.memory = memoryOfText(memory);
            if (!incoming.memory) {
                result.skip(QStringLiteral("%1: unknown memory %2").arg(origin, memory));
                continue;
            }
        }
        incoming.index = field(QStringLiteral("Number")).trimmed().toInt();
        PcPhonebookEntry& e = incoming.entry;
        e.name = field(QStringLiteral("Name"));
        e.mainNumber = field(QStringLiteral("MainNumber"));
        e.officeNumber = field(QStringLiteral("OfficeNumber"));
        e.faxNumber = field(QStringLiteral("FaxNumber"));
        e.mobileNumber = field(QStringLiteral("MobileNumber"));
        e.homeNumber = field(QStringLiteral("HomeNumber"));
        e.pagerNumber = field(QStringLiteral("PagerNumber"));
        e.emailAddress = field(QStringLiteral("EmailAddress"));
        e.address = field(QStringLiteral("Address"));
        e.memo = field(QStringLiteral("Memo"));
        entries.append(incoming);
    }
    return importEntries(entries, target, phoneOrNull, progress, result);
}
