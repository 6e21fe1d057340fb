// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli todo: loads, lists and changes the to-do list through the view's own store calls.

#include <QCommandLineParser>
#include <QDate>
#include <cstdio>
#include <functional>
#include <memory>

#include "CliCommand.h"
#include "StderrProgress.h"
#include "phone/PhoneLink.h"
#include "phone/SlotMirror.h"
#include "scheduler/ScheduleRules.h"
#include "todo/CToDoListDB.h"

namespace {

using cli::print;

int fail(const QString& message, int exitCode = 2) {
    return cli::failIn("todo", message, exitCode);
}

struct Options {
    QString action;
    int tab = TodoTabAll;
    int subFilter = 0;
    int sortColumn = -1;
    bool descending = false;
    bool hasIndex = false;
    int index = 0;
    bool hasText = false;
    QString text;
    bool hasPriority = false;
    int priority = 0;  // as stored: 0 or 1
    bool hasUntil = false;
    QDate until;
};

int indexOf(const QStringList& names, const QString& value) {
    return static_cast<int>(names.indexOf(value.toLower()));
}

// Returns an error text, empty when the arguments make sense.
QString parse(const QStringList& arguments, Options& options) {
    QCommandLineParser parser;
    parser.addOptions({{"tab", "all, today, completed or priority", "TAB"},
                       {"sub", "sub-filter of the completed and priority tabs: 0 or 1", "N"},
                       {"sort", "contents, priority, until, mark or done", "COLUMN"},
                       {"desc", "sort descending"},
                       {"index", "item index", "N"},
                       {"text", "contents", "TEXT"},
                       {"priority", "1 or 2", "N"},
                       {"until", "until date", "YYYY-MM-DD"}});
    if (!parser.parse(QStringList{"todo"} + arguments)) {
        return parser.errorText();
    }
    const QStringList positional = parser.positionalArguments();
    static const QStringList actions{"load", "list", "add", "edit", "mark", "unmark", "delete"};
    if (positional.size() != 1 || !actions.contains(positional[0])) {
        return "expected one of load, list, add, edit, mark, unmark, delete";
    }
    options.action = positional[0];
    if (parser.isSet("tab")) {
        options.tab = indexOf({"all", "today", "completed", "priority"}, parser.value("tab"));
        if (options.tab < 0) {
            return "--tab must be all, today, completed or priority";
        }
    }
    if (parser.isSet("sub")) {
        const QString sub = parser.value("sub");
        if (sub != "0" && sub != "1") {
            return "--sub must be 0 or 1";
        }
        options.subFilter = sub.toInt();
    }
    if (parser.isSet("sort")) {
        options.sortColumn =
            indexOf({"contents", "priority", "until", "mark", "done"}, parser.value("sort"));
        if (options.sortColumn < 0) {
            return "--sort must be contents, priority, until, mark or done";
        }
    }
    options.descending = parser.isSet("desc");
    if (parser.isSet("index")) {
        bool ok = false;
        options.index = parser.value("index").toInt(&ok);
        if (!ok) {
            return "--index needs a number";
        }
        options.hasIndex = true;
    }
    options.hasText = parser.isSet("text");
    options.text = parser.value("text");
    if (parser.isSet("priority")) {
        const QString priority = parser.value("priority");
        if (priority != "1" && priority != "2") {
            return "--priority must be 1 or 2";
        }
        options.hasPriority = true;
        options.priority = priority.toInt() - 1;
    }
    if (parser.isSet("until")) {
        options.until = QDate::fromString(parser.value("until"), Qt::ISODate);
        if (const QString impossible = impossibleDateProblem(parser.value("until"));
            !impossible.isEmpty()) {
            return impossible;
        }
        if (!options.until.isValid() || options.until.year() < 1900 ||
            options.until.year() > 2099) {
            return "--until needs a date YYYY-MM-DD between 1900 and 2099";
        }
        options.hasUntil = true;
    }
    const bool byIndex = options.action == "edit" || options.action == "mark" ||
                         options.action == "unmark" || options.action == "delete";
    if (byIndex && !options.hasIndex) {
        return "--index is required";
    }
    if (options.action == "add" && !options.hasText) {
        return "--text is required";
    }
    if (options.hasText && options.text.isEmpty()) {
        return todoContentsProblem(options.text);
    }
    if (options.hasText && options.text.size() > kTodoContentsLimit) {
        return QStringLiteral("--text holds at most %1 characters").arg(kTodoContentsLimit);
    }
    return {};
}

// The one line per saved item; a refusal by the phone is said once and fails the command.
int finish(const TodoSaveResult& result) {
    switch (result.outcome) {
        case TodoSaveOutcome::Stored:
            return 0;
        case TodoSaveOutcome::PhoneRefused:
        case TodoSaveOutcome::RewriteRefused:
            showNotice(todoPhoneRefusedNotice());
            return 1;
        case TodoSaveOutcome::UnsafeText:
            return 2;
        case TodoSaveOutcome::TableFailed:
            return 1;
    }
    return 1;
}

int load(PhoneLink& link) {
    if (!link.phoneFound) {
        return fail("no phone answers", 1);
    }
    StderrProgress progress;
    CToDoListDB table;
    const MirrorOutcome outcome = table.LoadFromPhone(link, progress);
    if (outcome.notice) {
        showNotice(*outcome.notice);
    }
    if (!outcome.loaded()) {
        return fail("the to-do list could not be loaded; the previous list is kept", 1);
    }
    print(QString("todo: %1 items").arg(table.FullRecordCount()));
    return 0;
}

int list(CToDoListDB& table, const Options& options) {
    if (options.sortColumn >= 0) {
        table.setSort(CToDoListDB::sortFor(options.sortColumn, options.descending));
    }
    const QList<TodoRow> rows = table.ListRows(options.tab, options.subFilter);
    for (const TodoRow& row : rows) {
        print(QString::number(row.index) + '\t' + row.texts.join('\t'));
    }
    print(CToDoListDB::TotalText(static_cast<int>(rows.size())));
    return 0;
}

int run(const Options& options, const std::function<PhoneLink&()>& link) {
    if (options.action == "load") {
        return load(link());
    }
    CToDoListDB table;
    if (options.action == "list") {
        return list(table, options);
    }
    if (options.hasText) {
        const QString problem = todoContentsProblem(options.text);
        if (!problem.isEmpty()) {
            return fail(problem);
        }
    }
    StderrProgress progress;
    if (options.action == "add") {
        if (table.NextFreeIndex() >= kTodoCapacity) {
            return fail("You can't enter more todolist due to the maximum capacity excess!", 1);
        }
        const QDate until = options.hasUntil ? options.until : QDate::currentDate();
        const TodoSaveResult result =
            table.SaveItem(link(), -1, options.text, options.hasPriority ? options.priority : 0,
                           until.year(), until.month(), until.day(), false, QString());
        if (result.outcome == TodoSaveOutcome::PhoneRefused ||
            result.outcome == TodoSaveOutcome::Stored) {
            print(QString("added: %1").arg(result.index));
        }
        return finish(result);
    }

    std::optional<TodoItem> item = table.itemWithIndex(options.index);
    if (!item) {
        return fail(QString("no item at index %1").arg(options.index), 1);
    }
    if (options.action == "delete") {
        return table.DeleteByIndex(link(), options.index)
                   ? 0
                   : fail(QString("the phone did not delete item %1").arg(options.index), 1);
    }
    if (options.action == "edit") {
        if (options.hasText) {
            item->contents = options.text;
        }
        if (options.hasPriority) {
            item->priority = options.priority;
        }
        if (options.hasUntil) {
            item->year = options.until.year();
            item->month = options.until.month();
            item->day = options.until.day();
        }
        if (!item->mark) {
            item->doneDate.clear();
        }
        return finish(table.SaveItem(link(), *item));
    }
    // mark / unmark: an item already in that state is left alone.
    const bool done = options.action == "mark";
    if (item->mark == done) {
        return 0;
    }
    item->mark = done;
    item->doneDate.clear();
    return finish(table.SaveItem(link(), *item));
}

int runTodo(CliContext& context, const QStringList& arguments) {
    Options options;
    const QString error = parse(arguments, options);
    if (!error.isEmpty()) {
        return fail(error);
    }
    LazyPhone phone(context);
    return run(options, std::ref(phone));
}

CliCommandRegistrar registrar(
    {"todo",
     "todo load | list [--tab all|today|completed|priority] [--sub 0|1] "
     "[--sort contents|priority|until|mark|done] [--desc] | add --text T [--priority 1|2] "
     "[--until YYYY-MM-DD] | edit --index N [--text T] [--priority 1|2] [--until YYYY-MM-DD] | "
     "mark --index N | unmark --index N | delete --index N",
     "Loads the to-do list from the phone, lists it and changes items (on the phone too when "
     "one answers).",
     runTodo});

}  // namespace
