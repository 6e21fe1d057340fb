// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli export, import and backup: every list in the formats other programs read, through
// the same exchange code as the window's Export and Import dialogs.

#include <QCommandLineParser>
#include <QFileInfo>

#include "CliCommand.h"
#include "StderrProgress.h"
#include "exchange/Exchange.h"
#include "phone/PhoneLink.h"
#include "platform/Notice.h"

namespace {

using cli::print;

int fail(const char* group, const QString& message, int exitCode = 2) {
    return cli::failIn(group, message, exitCode);
}

// The format a file's name suggests, for an import given none.
std::optional<ExchangeFormat> formatOfFileName(const QString& file) {
    const QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix == QLatin1String("vcf")) {
        return ExchangeFormat::VCard;
    }
    if (suffix == QLatin1String("ics") || suffix == QLatin1String("vcs")) {
        return ExchangeFormat::ICalendar;
    }
    if (suffix == QLatin1String("csv")) {
        return ExchangeFormat::Csv;
    }
    if (suffix == QLatin1String("xml")) {
        return ExchangeFormat::Xml;
    }
    return std::nullopt;
}

// Returns an error text, empty when the arguments make sense.
QString parse(const QString& command, const QStringList& arguments, ExchangeOptions& options) {
    QCommandLineParser parser;
    parser.addOptions({{"what", "phonebook, schedule, todo or sms", "WHAT"},
                       {"memory", "phonebook memories: sim, ms, pc", "M"},
                       {"format", "vcard, ics, csv or xml", "FORMAT"},
                       {"table", "schedule export: phone", "TABLE"},
                       {"file", "the file", "FILE"}});
    if (!parser.parse(QStringList{command} + arguments)) {
        return parser.errorText();
    }
    if (!parser.positionalArguments().isEmpty()) {
        return "unexpected argument " + parser.positionalArguments().first();
    }
    if (!parser.isSet("what")) {
        return "--what phonebook|schedule|todo|sms is required";
    }
    const auto what = exchangeWhatFromText(parser.value("what"));
    if (!what) {
        return "--what must be phonebook, schedule, todo or sms";
    }
    options.what = *what;
    if (!parser.isSet("file") || parser.value("file").isEmpty()) {
        return "--file is required";
    }
    options.file = parser.value("file");
    if (parser.isSet("format")) {
        const auto format = exchangeFormatFromText(parser.value("format"));
        if (!format) {
            return "--format must be vcard, ics, csv or xml";
        }
        options.format = *format;
    } else if (const auto guessed = formatOfFileName(options.file);
               command == QLatin1String("import") && guessed &&
               exchangeFormatFits(options.what, *guessed)) {
        options.format = *guessed;
    } else {
        options.format = defaultExchangeFormat(options.what);
    }
    if (parser.isSet("memory")) {
        options.memories = parser.value("memory").split(u',', Qt::SkipEmptyParts);
        if (options.memories.isEmpty()) {
            return "--memory needs sim, ms or pc";
        }
    }
    if (parser.isSet("table")) {
        if (command == QLatin1String("import")) {
            return "--table is for export only";
        }
        if (parser.value("table").toLower() != QLatin1String("phone")) {
            return "--table must be phone";
        }
        options.phoneTable = true;
    }
    return exchangeOptionsProblem(options, command == QLatin1String("import"));
}

int runExport(CliContext&, const QStringList& arguments) {
    ExchangeOptions options;
    if (const QString error = parse("export", arguments, options); !error.isEmpty()) {
        return fail("export", error);
    }
    StderrProgress progress;
    const ExchangeResult result = exportList(options, progress);
    if (!result.ok()) {
        return fail("export", result.error, 1);
    }
    print(QStringLiteral("exported: %1").arg(result.exported));
    return 0;
}

// Writes to the phone only when one answers; an import into the PC phonebook alone needs none.
int runImport(CliContext& context, const QStringList& arguments) {
    ExchangeOptions options;
    if (const QString error = parse("import", arguments, options); !error.isEmpty()) {
        return fail("import", error);
    }
    const bool pcOnly = options.what == ExchangeWhat::Phonebook &&
                        options.memories == QStringList{QStringLiteral("pc")};
    std::unique_ptr<PhoneLink> link;
    if (!pcOnly) {
        link = context.connectPhone();
    }
    StderrProgress progress;
    const ExchangeResult result =
        importList(options, link && link->phoneFound ? link.get() : nullptr, progress);
    showNotices(result.notices);
    if (!result.ok()) {
        return fail("import", result.error, 1);
    }
    print(QStringLiteral("imported: %1").arg(result.imported));
    print(QStringLiteral("skipped: %1").arg(result.skipped));
    for (const QString& reason : result.skippedReasons) {
        fail("import", "skipped " + reason);
    }
    for (const QString& note : result.notes) {
        fail("import", note);
    }
    return result.skipped == 0 ? 0 : 1;
}

int runBackup(CliContext&, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOption({"dir", "the folder", "DIR"});
    if (!parser.parse(QStringList{"backup"} + arguments)) {
        return fail("backup", parser.errorText());
    }
    if (!parser.positionalArguments().isEmpty()) {
        return fail("backup", "unexpected argument " + parser.positionalArguments().first());
    }
    if (!parser.isSet("dir") || parser.value("dir").isEmpty()) {
        return fail("backup", "--dir is required");
    }
    StderrProgress progress;
    const ExchangeResult result = backupAll(parser.value("dir"), progress);
    if (!result.ok()) {
        return fail("backup", result.error, 1);
    }
    print(QStringLiteral("exported: %1").arg(result.exported));
    return 0;
}

CliCommandRegistrar exportRegistrar(
    {"export",
     "export --what phonebook|schedule|todo|sms [--memory sim,ms,pc] [--format vcard|ics|csv|xml] "
     "[--table phone] --file F",
     "Writes a list from the cache (no phone needed) as vCard, iCalendar, CSV or message XML; "
     "--table phone writes the phone's schedule instead of the PC's.",
     runExport});

CliCommandRegistrar importRegistrar(
    {"import",
     "import --what phonebook|schedule|todo|sms [--memory sim|ms|pc] [--format vcard|ics|csv|xml] "
     "--file F",
     "Adds the file's entries (to the phone too when one answers); prints imported and skipped "
     "counts, and each skipped item with its reason on stderr; exits 1 when any was skipped. "
     "Messages go to the SIM while a phone answers, else into the cache alone.",
     runImport});

CliCommandRegistrar backupRegistrar(
    {"backup", "backup --dir D",
     "Writes every list in its standard format into one folder: phonebook.vcf, schedule.ics, "
     "todo.ics, sms.xml.",
     runBackup});

}  // namespace
