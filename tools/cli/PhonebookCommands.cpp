// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhonebookCommands.h"

#include <QCommandLineParser>
#include <algorithm>
#include <cstdio>

#include "CliCommand.h"
#include "PhonebookPrintCommand.h"
#include "StderrProgress.h"
#include "phone/AppState.h"
#include "phone/PhoneLink.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/PhonebookCopy.h"
#include "phonebook/PhonebookEntryRules.h"
#include "phonebook/PhonebookEntryText.h"
#include "platform/Notice.h"
#include "platform/QuitRequest.h"

namespace {

using cli::print;
using cli::withNote;

int fail(const QString& message, int exitCode = 2) {
    return cli::failIn("phonebook", message, exitCode);
}

// Prints the notices as the window would show them; false when one of them is an error.
bool told(const Notices& notices) {
    showNotices(notices);
    return std::none_of(notices.begin(), notices.end(),
                        [](const Notice& notice) { return notice.isError(); });
}

int exitCodeOf(const StoreResult& result) {
    return told(result.notices) && result.stored() ? 0 : 1;
}

// A phone lost half-way ends the program, as it does the window's.
MirrorOutcome loadShown(PhoneMemoryTable& table, PhoneLink& link, Progress& progress) {
    const MirrorOutcome outcome = table.LoadFromPhone(link, progress);
    if (outcome.notice) {
        showNotice(*outcome.notice);
    }
    if (outcome.kind == MirrorOutcome::Kind::PhoneLost) {
        requestApplicationQuit();
    }
    return outcome;
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
    // copy
    PhonebookMemory from = MemorySim;
    PhonebookMemory to = MemorySim;
    QList<int> indexes;
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

// --from M --to M --index N[,N...]
QString parseCopy(const QCommandLineParser& parser, Options& options) {
    if (!parser.isSet("from") || !parser.isSet("to") || !parser.isSet("index")) {
        return "copy needs --from sim|ms|pc, --to sim|ms|pc and --index N[,N...]";
    }
    if (!parseMemory(parser.value("from"), options.from) ||
        !parseMemory(parser.value("to"), options.to)) {
        return "--from and --to must be sim, ms or pc";
    }
    for (const QString& part : parser.value("index").split(',')) {
        bool ok = false;
        const int index = part.trimmed().toInt(&ok);
        if (!ok || index < 1) {
            return "--index needs entry numbers from 1 up, separated by commas";
        }
        options.indexes.append(index);
    }
    return {};
}

// Returns an error text, empty when the arguments make sense.
QString parse(const QStringList& arguments, Options& options) {
    QCommandLineParser parser;
    parser.addOptions({{"memory", "sim, ms or pc", "M"},
                       {"index", "entry index", "N"},
                       {"name", "name (list: filter)", "TEXT"},
                       {"number", "dial string (list: filter)", "TEXT"},
                       {"sort", "number, name or mainnumber", "COLUMN"},
                       {"from", "copy: source memory", "M"},
                       {"to", "copy: target memory", "M"}});
    if (!parser.parse(QStringList{"phonebook"} + arguments)) {
        return parser.errorText();
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return "expected one of load, list, add, edit, delete, restore, copy";
    }
    options.action = positional[0];
    static const QStringList actions{"load", "list", "add", "edit", "delete", "restore", "copy"};
    if (!actions.contains(options.action)) {
        return "unknown action " + options.action;
    }
    if (options.action == "copy") {
        return parseCopy(parser, options);
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
    const MirrorOutcome simResult = loadShown(sim, link, progress);
    if (simResult.kind == MirrorOutcome::Kind::PhoneLost) {
        return 1;
    }
    if (!link.phonebookOffered(1)) {
        print(withNote(QString("sim: %1 entries").arg(sim.FullRecordCount()), simResult));
        print(QStringLiteral("ms: none on this phone"));
        return simResult.loaded() ? 0 : 1;
    }
    const MirrorOutcome msResult = loadShown(ms, link, progress);
    if (msResult.kind == MirrorOutcome::Kind::PhoneLost) {
        return 1;
    }
    print(withNote(QString("sim: %1 entries").arg(sim.FullRecordCount()), simResult));
    print(withNote(QString("ms: %1 entries").arg(ms.FullRecordCount()), msResult));
    return simResult.loaded() && msResult.loaded() ? 0 : 1;
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
        return exitCodeOf(table.StoreNewEntry(link(), options.hasIndex ? options.index : 0,
                                              options.name, options.number, mode, prompterAsker()));
    }
    if (options.action == "edit") {
        return exitCodeOf(table.StoreEditedEntry(link(), options.index, options.name,
                                                 options.number, prompterAsker()));
    }
    if (options.action == "delete") {
        table.RefillList(0);
        const int position = table.positionOfIndex(options.index);
        if (position < 0) {
            return fail(QString("no entry at index %1").arg(options.index), 1);
        }
        table.DeleteSelected(link(), {position}, progress);
        return table.deletedCount() == 1 ? 0 : 1;
    }
    const bool clean = told(table.RestoreDeleted(link(), prompterAsker()));
    return clean && table.deletionTable().isEmpty() ? 0 : 1;
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
        return exitCodeOf(table.StoreNewEntry(entry, prompterAsker()));
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
        return exitCodeOf(table.StoreEditedEntry(entry, prompterAsker()));
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

PhonebookTable& tableOf(PhonebookMemory memory, CSimViewDB& sim, CMsListDB& ms, CPCListDB& pc) {
    switch (memory) {
        case MemorySim:
            return sim;
        case MemoryMs:
            return ms;
        default:
            return pc;
    }
}

// The entries go in the order the source list shows them, as in the window; prints the count
// text. A copy to the phone connects; a copy to PC needs no phone.
int copy(const Options& options, const std::function<PhoneLink&()>& link) {
    CSimViewDB sim;
    CMsListDB ms;
    CPCListDB pc;
    QList<int> missing;
    const QList<PhonebookListRow> items = PhonebookCopy::rowsWithIndexes(
        tableOf(options.from, sim, ms, pc), options.indexes, &missing);
    if (!missing.isEmpty()) {
        return fail(QString("no entry at index %1").arg(missing.first()), 1);
    }
    if (options.to != MemoryPc) {
        // Refused before the phone is even reached.
        if (const QString problem = PhonebookCopy::itemsProblem(items); !problem.isEmpty()) {
            return fail(problem);
        }
    }
    PhonebookCopy copier(sim, ms, pc);
    const PhonebookCopyResult result = copier.run(options.to == MemoryPc ? nullptr : &link(),
                                                  options.from, options.to, items, prompterAsker());
    showNotices(result.notices);
    switch (result.end) {
        case PhonebookCopyEnd::Copied:
            print(result.message->text);
            return result.allCopied() ? 0 : 1;
        case PhonebookCopyEnd::UnsafeText:
            return fail(result.message->text, 2);
        case PhonebookCopyEnd::NothingToCopy:
            return 1;
        default:
            return fail(result.message->text, 1);
    }
}

}  // namespace

// The room a name has on the phone. With a set chosen the phone is asked first, so that the name
// is judged by what the phone took and reported.
int nameLimitOf(const Options& options, const std::function<PhoneLink&()>& link) {
    if (options.memory == MemoryPc || (phoneTextCharset() == PhoneCharset::Latin1 &&
                                       runPhoneSettings().profile == PhoneProfile::Quillon)) {
        return kEntryNameLimit;
    }
    return entryNameLimit(link().phonebookNameLength(options.memory == MemorySim ? 0 : 1));
}

// The phone's number field, as "at+cpbr=?" told it (standard phones); 0 when not known.
int numberLimitOf(const Options& options, const std::function<PhoneLink&()>& link) {
    if (options.memory == MemoryPc || runPhoneSettings().profile == PhoneProfile::Quillon) {
        return 0;
    }
    return link().phonebookNumberLength(options.memory == MemorySim ? 0 : 1);
}

int runPhonebookCommand(const QStringList& arguments, const std::function<PhoneLink&()>& link) {
    Options options;
    const QString error = parse(arguments, options);
    if (!error.isEmpty()) {
        return fail(error);
    }
    if (options.action == "load") {
        return load(link());
    }
    if (options.action == "copy") {
        return copy(options, link);
    }
    if (options.action == "add" || options.action == "edit") {
        // Nothing is sent or stored when the text cannot go on the command line; then the entry
        // dialog's rules, checked against the capacity once a phone memory's index is known.
        const int nameLimit = nameLimitOf(options, link);
        const PhoneCharset set = phoneTextCharset();
        if (const QString problem = phonebookEntryTextProblem(options.name, options.number);
            !problem.isEmpty()) {
            return fail(problem);
        }
        if (const auto problem =
                typedEntryProblem(options.name, options.number, 0, 0, nameLimit, set)) {
            return fail(problem->text);
        }
        if (const auto problem = numberFitProblem(options.number, numberLimitOf(options, link))) {
            return fail(problem->text);
        }
        if (options.hasIndex) {
            const qint64 capacity = options.memory == MemoryPc    ? kPcPhonebookCapacity
                                    : options.memory == MemorySim ? link().simPhonebookCapacity
                                                                  : link().mePhonebookCapacity;
            if (const auto problem = typedEntryProblem(options.name, options.number, options.index,
                                                       capacity, nameLimit, set)) {
                return fail(problem->text);
            }
        }
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
    LazyPhone phone(context);
    return runPhonebookCommand(arguments, std::ref(phone));
}

CliCommandRegistrar registrar(
    {"phonebook",
     "phonebook load | list --memory sim|ms|pc [--name TEXT] [--number TEXT] "
     "[--sort number|name|mainnumber] | add --memory M [--index N] --name X --number Y | "
     "edit --memory M --index N --name X --number Y | delete --memory M --index N | "
     "restore --memory M | copy --from sim|ms|pc --to sim|ms|pc --index N[,N...] | "
     "print [--memory sim,ms,pc] --pdf FILE",
     "Loads the phonebooks from the phone, lists them, changes and copies entries (on the "
     "phone too when one answers); copy exits 1 when entries were dropped or refused.",
     runPhonebook});

}  // namespace
