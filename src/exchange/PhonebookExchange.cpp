// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/PhonebookExchange.h"

#include "exchange/CsvFormat.h"
#include "exchange/ExchangeFile.h"
#include "exchange/PhonebookCards.h"
#include "exchange/PhonebookImport.h"
#include "exchange/VCardFormat.h"

using namespace phonebook_exchange;

namespace {

const QStringList kCsvColumns = {
    QStringLiteral("Memory"),       QStringLiteral("Number"),       QStringLiteral("Name"),
    QStringLiteral("MainNumber"),   QStringLiteral("OfficeNumber"), QStringLiteral("FaxNumber"),
    QStringLiteral("MobileNumber"), QStringLiteral("HomeNumber"),   QStringLiteral("PagerNumber"),
    QStringLiteral("EmailAddress"), QStringLiteral("Address"),      QStringLiteral("Memo")};

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
