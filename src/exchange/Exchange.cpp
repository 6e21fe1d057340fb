// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/Exchange.h"

#include <QDir>

#include "exchange/CalendarExchange.h"
#include "exchange/PhonebookExchange.h"
#include "exchange/SmsExchange.h"
#include "phone/PhoneLink.h"
#include "platform/PresentTime.h"
#include "platform/Progress.h"

namespace {

constexpr ExchangeWhat kEveryWhat[] = {ExchangeWhat::Phonebook, ExchangeWhat::Schedule,
                                       ExchangeWhat::Todo, ExchangeWhat::Sms};
constexpr ExchangeFormat kEveryFormat[] = {ExchangeFormat::VCard, ExchangeFormat::ICalendar,
                                           ExchangeFormat::Csv, ExchangeFormat::Xml};

std::optional<PhonebookMemory> memoryFromText(const QString& text) {
    const QString lower = text.trimmed().toLower();
    if (lower == QLatin1String("sim")) {
        return MemorySim;
    }
    if (lower == QLatin1String("ms")) {
        return MemoryMs;
    }
    if (lower == QLatin1String("pc")) {
        return MemoryPc;
    }
    return std::nullopt;
}

QList<PhonebookMemory> memoriesOf(const QStringList& texts) {
    QList<PhonebookMemory> memories;
    for (const QString& text : texts) {
        if (const auto memory = memoryFromText(text); memory && !memories.contains(*memory)) {
            memories.append(*memory);
        }
    }
    if (memories.isEmpty()) {
        memories = {MemorySim, MemoryMs, MemoryPc};
    }
    return memories;
}

}  // namespace

ExchangeResult exportList(const ExchangeOptions& options,
                          Progress& /*progress: an export reads only the cache*/) {
    if (const QString problem = exchangeOptionsProblem(options, false); !problem.isEmpty()) {
        return ExchangeResult::failed(problem);
    }
    const QDateTime stamp = presentTime();
    switch (options.what) {
        case ExchangeWhat::Phonebook:
            return options.format == ExchangeFormat::Csv
                       ? exportPhonebookCsv(options.file, memoriesOf(options.memories))
                       : exportPhonebookVCard(options.file, memoriesOf(options.memories));
        case ExchangeWhat::Schedule:
            return exportScheduleCalendar(options.file, options.phoneTable, stamp);
        case ExchangeWhat::Todo:
            return exportTodoCalendar(options.file, stamp);
        case ExchangeWhat::Sms:
            return options.format == ExchangeFormat::Csv ? exportSmsCsv(options.file)
                                                         : exportSmsXml(options.file, stamp);
    }
    return ExchangeResult::failed(QStringLiteral("nothing to export"));
}

ExchangeResult importList(const ExchangeOptions& options, PhoneLink* phoneOrNull,
                          Progress& progress) {
    if (const QString problem = exchangeOptionsProblem(options, true); !problem.isEmpty()) {
        return ExchangeResult::failed(problem);
    }
    PhoneLink* phone = phoneOrNull && phoneOrNull->phoneFound ? phoneOrNull : nullptr;
    switch (options.what) {
        case ExchangeWhat::Phonebook: {
            std::optional<PhonebookMemory> target;
            if (!options.memories.isEmpty()) {
                target = memoryFromText(options.memories.first());
            }
            return options.format == ExchangeFormat::Csv
                       ? importPhonebookCsv(options.file, target, phone, progress)
                       : importPhonebookVCard(options.file, target, phone, progress);
        }
        case ExchangeWhat::Schedule:
            return importScheduleCalendar(options.file, phone, progress);
        case ExchangeWhat::Todo:
            return importTodoCalendar(options.file, phone, progress);
        case ExchangeWhat::Sms:
            return options.format == ExchangeFormat::Csv
                       ? importSmsCsv(options.file, phone, progress)
                       : importSmsXml(options.file, phone, progress);
    }
    return ExchangeResult::failed(QStringLiteral("nothing to import"));
}

ExchangeResult backupAll(const QString& folder, Progress& progress) {
    ExchangeResult total;
    if (!QDir().mkpath(folder)) {
        return ExchangeResult::failed(QStringLiteral("cannot create the folder %1").arg(folder));
    }
    const QDir dir(folder);
    struct Part {
        ExchangeWhat what;
        QString fileName;
    };
    const QList<Part> parts = {{ExchangeWhat::Phonebook, QStringLiteral("phonebook.vcf")},
                               {ExchangeWhat::Schedule, QStringLiteral("schedule.ics")},
                               {ExchangeWhat::Todo, QStringLiteral("todo.ics")},
                               {ExchangeWhat::Sms, QStringLiteral("sms.xml")}};
    for (const Part& part : parts) {
        ExchangeOptions options;
        options.what = part.what;
        options.format = defaultExchangeFormat(part.what);
        options.file = dir.filePath(part.fileName);
        const ExchangeResult result = part.what == ExchangeWhat::Schedule
                                          ? exportScheduleBackup(options.file, presentTime())
                                          : exportList(options, progress);
        total.exported += result.exported;
        total.skipped += result.skipped;
        total.skippedReasons += result.skippedReasons;
        if (!result.ok()) {
            total.error = result.error;
            return total;
        }
    }
    return total;
}

std::optional<ExchangeWhat> exchangeWhatFromText(const QString& text) {
    const QString lower = text.trimmed().toLower();
    for (const ExchangeWhat what : kEveryWhat) {
        if (lower == exchangeWhatText(what)) {
            return what;
        }
    }
    return std::nullopt;
}

std::optional<ExchangeFormat> exchangeFormatFromText(const QString& text) {
    const QString lower = text.trimmed().toLower();
    if (lower == QLatin1String("icalendar")) {
        return ExchangeFormat::ICalendar;
    }
    for (const ExchangeFormat format : kEveryFormat) {
        if (lower == exchangeFormatText(format) || lower == exchangeFileSuffix(format)) {
            return format;
        }
    }
    return std::nullopt;
}

QString exchangeWhatText(ExchangeWhat what) {
    switch (what) {
        case ExchangeWhat::Phonebook:
            return QStringLiteral("phonebook");
        case ExchangeWhat::Schedule:
            return QStringLiteral("schedule");
        case ExchangeWhat::Todo:
            return QStringLiteral("todo");
        case ExchangeWhat::Sms:
            return QStringLiteral("sms");
    }
    return {};
}

QString exchangeFormatText(ExchangeFormat format) {
    switch (format) {
        case ExchangeFormat::VCard:
            return QStringLiteral("vcard");
        case ExchangeFormat::ICalendar:
            return QStringLiteral("ics");
        case ExchangeFormat::Csv:
            return QStringLiteral("csv");
        case ExchangeFormat::Xml:
            return QStringLiteral("xml");
    }
    return {};
}

ExchangeFormat defaultExchangeFormat(ExchangeWhat what) {
    switch (what) {
        case ExchangeWhat::Phonebook:
            return ExchangeFormat::VCard;
        case ExchangeWhat::Schedule:
        case ExchangeWhat::Todo:
            return ExchangeFormat::ICalendar;
        case ExchangeWhat::Sms:
            return ExchangeFormat::Xml;
    }
    return ExchangeFormat::VCard;
}

bool exchangeFormatFits(ExchangeWhat what, ExchangeFormat format) {
    switch (what) {
        case ExchangeWhat::Phonebook:
            return format == ExchangeFormat::VCard || format == ExchangeFormat::Csv;
        case ExchangeWhat::Schedule:
        case ExchangeWhat::Todo:
            return format == ExchangeFormat::ICalendar;
        case ExchangeWhat::Sms:
            return format == ExchangeFormat::Csv || format == ExchangeFormat::Xml;
    }
    return false;
}

QString exchangeFileSuffix(ExchangeFormat format) {
    switch (format) {
        case ExchangeFormat::VCard:
            return QStringLiteral("vcf");
        case ExchangeFormat::ICalendar:
            return QStringLiteral("ics");
        case ExchangeFormat::Csv:
            return QStringLiteral("csv");
        case ExchangeFormat::Xml:
            return QStringLiteral("xml");
    }
    return {};
}

QString exchangeOptionsProblem(const ExchangeOptions& options, bool forImport) {
    if (options.file.isEmpty()) {
        return QStringLiteral("no file given");
    }
    if (!exchangeFormatFits(options.what, options.format)) {
        return QStringLiteral("%1 cannot be written as %2")
            .arg(exchangeWhatText(options.what), exchangeFormatText(options.format));
    }
    if (!options.memories.isEmpty() && options.what != ExchangeWhat::Phonebook) {
        return QStringLiteral("memories belong to the phonebook only");
    }
    for (const QString& memory : options.memories) {
        if (!memoryFromText(memory)) {
            return QStringLiteral("unknown memory %1 (sim, ms or pc)").arg(memory);
        }
    }
    if (forImport && options.memories.size() > 1) {
        return QStringLiteral("an import goes into one memory");
    }
    if (options.phoneTable && options.what != ExchangeWhat::Schedule) {
        return QStringLiteral("the phone table belongs to the schedule only");
    }
    if (forImport && options.phoneTable) {
        return QStringLiteral("an import goes into the PC's schedule");
    }
    return {};
}
