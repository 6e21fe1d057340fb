#include "PhonebookCommands.h"

#include <QCommandLineParser>
#include <cstdio>

#include "CliCommand.h"
#include "PhonebookPrintCommand.h"
#include "StderrProgress.h"
#include "phone/PhoneLink.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"

namespace {

void print(const QString& line) {
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
}

// Prints the message; returns the exit code given (2 for a usage error).
int fail(const QString& message, int exitCode = 2) {
    std::fprintf(stderr, "dexmoro-cli phonebook: %s\n", message.toLocal8Bit().constData());
    return exitCode;
}

struct Options {
    QString action;
    PhonebookMemory memory = MemorySim;
    bool hasIndex = false;
    int index = 0;
    bool hasName = false;
    QString name;
    bool hasNumber = false;
    QString number;
    QString sort;
};

bool parseMemory(const QString& text, PhonebookMemory& memory) {
    const QString lower = text.toLower();
    if (lower == "sim") {
        memory = MemorySim;
    } else if (lower == "ms") {
        memory = MemoryMs;
    } else if (lower == "pc") {
        memory = MemoryPc;
    } else {
        return false;
    }
    return true;
}

// Returns an error text, empty when the arguments make sense.
QString parse(const QStringList& arguments, Options& options) {
    QCommandLineParser parser;
    parser.addOptions({{"memory", "sim, ms or pc", "M"},
                       {"index", "entry index", "N"},
                       {"name", "name (list: filter)", "TEXT"},
                       {"number", "dial string (list: filter)", "TEXT"},
                       {"sort", "number, name or mainnumber", "COLUMN"}});
    if (!parser.parse(QStringList{"phonebook"} + arguments)) {
        return parser.errorText();
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return "expected one of load, list, add, edit, delete, restore";
    }
    options.action = positional[0];
    static const QStringList actions{"load", "list", "add", "edit", "delete", "restore"};
    if (!actions.contains(options.action)) {
        return "unknown action " + options.action;
    }
    if (options.action != "load") {
        if (!parser.isSet("memory")) {
            return "--memory sim|ms|pc is required";
        }
        if (!parseMemory(parser.value("memory"), options.memory)) {
            return "--memory must be sim, ms or pc";
        }
    }
    if (parser.isSet("index")) {
        bool ok = false;
        options.index = parser.value("index").toInt(&ok);
        if (!ok) {
            return "--index needs a number";
        }
        options.hasIndex = true;
    }
    options.hasName = parser.isSet("name");
    options.name = parser.value("name");
    options.hasNumber = parser.isSet("number");
    options.number = parser.value("number");
    if (parser.isSet("sort")) {
        const QString column = parser.value("sort").toLower();
        if (column == "number") {
            options.sort = "Number ASC";
        } else if (column == "name") {
            options.sort = "Name ASC";
        } else if (column == "mainnumber") {
            options.sort = "MainNumber ASC";
        } else {
            return "--sort must be number, name or mainnumber";
        }
    }
    if ((options.action == "edit" || options.action == "delete") && !options.hasIndex) {
        return "--index is required";
    }
    if ((options.action == "add" || options.action == "edit") &&
        (!options.hasName || !options.hasNumber)) {
        return "--name and --number are required";
    }
    return {};
}

int load(PhoneLink& link) {
    if (!link.phoneFound) {
        return fail("no phone answers", 1);
    }
    StderrProgress progress;
    CSimViewDB sim;
    CMsListDB ms;
    const PhonebookLoadResult simResult = sim.LoadFromPhone(link);
    if (simResult == PhonebookLoadResult::PhoneLost) {
        return 1;
    }
    const PhonebookLoadResult msResult = ms.LoadFromPhone(link);
    if (msResult == PhonebookLoadResult::PhoneLost) {
        return 1;
    }
    print(QString("sim: %1 entries").arg(sim.FullRecordCount()));
    print(QString("ms: %1 entries").arg(ms.FullRecordCount()));
    return simResult == PhonebookLoadResult::Loaded && msResult == PhonebookLoadResult::Loaded ? 0
                                                                                               : 1;
}

void printList(PhonebookTable& table, const Options& options) {
    if (!options.sort.isEmpty()) {
        table.setSort(options.sort);
    }
    table.SetFilterStrings(options.name, options.number);
    for (const PhonebookListRow& row : table.RefillList(0).rows) {
        print(row.number + '\t' + row.name + '\t' + row.phoneNumber);
    }
}

int runPhoneMemory(PhoneMemoryTable& table, const Options& options,
                   const std::function<PhoneLink&()>& link) {
    StderrProgress progress;
    if (options.action == "list") {
        printList(table, options);
        print(table.ShowTotal(link()));
        return 0;
    }
    if (options.action == "add") {
        const int mode = options.memory == MemoryMs ? 2 : 0;
        return table.StoreNewEntry(link(), options.hasIndex ? options.index : 0, options.name,
                                   options.number, mode) == StoreOutcome::Stored
                   ? 0
                   : 1;
    }
    if (options.action == "edit") {
        return table.StoreEditedEntry(link(), options.index, options.name, options.number) ==
                       StoreOutcome::Stored
                   ? 0
                   : 1;
    }
    if (options.action == "delete") {
        table.RefillList(0);
        const int position = table.positionOfIndex(options.index);
        if (position < 0) {
            return fail(QString("no entry at index %1").arg(options.index), 1);
        }
        table.DeleteSelected(link(), {position});
        return table.deletedCount() == 1 ? 0 : 1;
    }
    table.RestoreDeleted(link());
    return table.deletionTable().isEmpty() ? 0 : 1;
}

int runPc(CPCListDB& table, const Options& options) {
    if (options.action == "list") {
        printList(table, options);
        print(table.ShowTotal());
        return 0;
    }
    PcPhonebookEntry entry;
    entry.number = options.hasIndex ? options.index : 0;
    entry.name = options.name;
    entry.mainNumber = options.number;
    if (options.action == "add") {
        return table.StoreNewEntry(entry) ? 0 : 1;
    }
    if (options.action == "edit") {
        // Only the name and main number come from the command line; the rest stays.
        const int position = table.positionOfIndex(options.index);
        if (position >= 0) {
            PcPhonebookEntry existing = table.entryAt(position);
            existing.name = entry.name;
            existing.mainNumber = entry.mainNumber;
            entry = existing;
        }
        return table.StoreEditedEntry(entry) ? 0 : 1;
    }
    if (options.action == "delete") {
        table.RefillList(0);
        const int position = table.positionOfIndex(options.index);
        if (position < 0) {
            return fail(QString("no entry at index %1").arg(options.index), 1);
        }
        return table.DeleteEntryAt(position) ? 0 : 1;
    }
    table.RestoreDeleted();
    return 0;
}

}  // namespace

int runPhonebookCommand(const QStringList& arguments, const std::function<PhoneLink&()>& link) {
    Options options;
    const QString error = parse(arguments, options);
    if (!error.isEmpty()) {
        return fail(error);
    }
    if (options.action == "load") {
        return load(link());
    }
    if (options.memory == MemoryPc) {
        CPCListDB pc;
        return runPc(pc, options);
    }
    if (options.memory == MemorySim) {
        CSimViewDB sim;
        return runPhoneMemory(sim, options, link);
    }
    CMsListDB ms;
    return runPhoneMemory(ms, options, link);
}

namespace {

int runPhonebook(CliContext& context, const QStringList& arguments) {
    if (arguments.value(0) == "print") {
        return runPhonebookPrintCommand(context, arguments.mid(1));
    }
    std::unique_ptr<PhoneLink> link;
    return runPhonebookCommand(arguments, [&]() -> PhoneLink& {
        if (!link) {
            link = context.connectPhone();
        }
        return *link;
    });
}

CliCommandRegistrar registrar(
    {"phonebook",
     "phonebook load | list --memory sim|ms|pc [--name TEXT] [--number TEXT] "
     "[--sort number|name|mainnumber] | add --memory M [--index N] --name X --number Y | "
     "edit --memory M --index N --name X --number Y | delete --memory M --index N | "
     "restore --memory M | print [--memory sim,ms,pc] --pdf FILE",
     "Loads the phonebooks from the phone, lists them and changes entries (on the phone too "
     "when one answers).",
     runPhonebook});

}  // namespace
