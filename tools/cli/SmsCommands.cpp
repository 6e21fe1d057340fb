// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli sms: loads, lists, shows and deletes short messages through the message store.

#include <QCommandLineParser>
#include <cstdio>
#include <functional>

#include "CliCommand.h"
#include "SmsSendCommand.h"
#include "StderrProgress.h"
#include "db/TableColumns.h"
#include "phone/PhoneLink.h"
#include "platform/Notice.h"
#include "platform/Prompter.h"
#include "sms/CSmsDB.h"

namespace {

using cli::print;
using cli::withNote;

int fail(const QString& message, int exitCode) {
    return cli::failIn("sms", message, exitCode);
}

using LinkSource = std::function<PhoneLink&()>;

struct Options {
    QString action;
    int statusMask = kSmsAllStatuses;
    int sortColumn = -1;  // as the list's columns: 0 name ... 4 status
    bool descending = false;
    bool hasIndex = false;
    int index = 0;
    bool all = false;
};

// Returns an error text, empty when the arguments make sense.
QString parse(const QStringList& arguments, Options& options) {
    QCommandLineParser parser;
    parser.addOptions({{"status", "unread,read,unsent,sent", "LIST"},
                       {"sort", "name, number, message, time or status", "COLUMN"},
                       {"desc", "sort descending"},
                       {"index", "SIM location", "N"},
                       {"all", "every message"}});
    if (!parser.parse(QStringList{"sms"} + arguments)) {
        return parser.errorText();
    }
    const QStringList positional = parser.positionalArguments();
    static const QStringList actions{"load", "list", "show", "delete"};
    if (positional.size() != 1 || !actions.contains(positional[0])) {
        return "expected one of load, list, show, delete, send, save";
    }
    options.action = positional[0];
    if (parser.isSet("status")) {
        static const QStringList words{"unread", "read", "unsent", "sent"};
        options.statusMask = 0;
        for (const QString& word : parser.value("status").split(',', Qt::SkipEmptyParts)) {
            const qsizetype bit = words.indexOf(word.trimmed().toLower());
            if (bit < 0) {
                return "--status takes unread, read, unsent and sent";
            }
            options.statusMask |= 1 << bit;
        }
    }
    if (parser.isSet("sort")) {
        static const QStringList columns{"name", "number", "message", "time", "status"};
        options.sortColumn = static_cast<int>(columns.indexOf(parser.value("sort").toLower()));
        if (options.sortColumn < 0) {
            return "--sort must be name, number, message, time or status";
        }
    }
    options.descending = parser.isSet("desc");
    if (options.descending && options.sortColumn < 0) {
        return "--desc needs --sort";
    }
    if (parser.isSet("index")) {
        bool ok = false;
        options.index = parser.value("index").toInt(&ok);
        if (!ok || options.index < 1) {
            return "--index needs a location from 1 up";
        }
        options.hasIndex = true;
    }
    options.all = parser.isSet("all");
    if (options.action == "show" && !options.hasIndex) {
        return "--index is required";
    }
    if (options.action == "delete" && options.hasIndex == options.all) {
        return "delete takes either --index N or --all";
    }
    return {};
}

int load(PhoneLink& link) {
    if (!link.phoneFound) {
        return fail("no phone answers", 1);
    }
    StderrProgress progress;
    CSmsDB store;
    const MirrorOutcome outcome = store.LoadFromPhone(link, progress);
    if (outcome.notice) {
        showNotice(*outcome.notice);
    }
    if (outcome.kind == MirrorOutcome::Kind::Skipped) {
        fail("the phone refused the message mode; the stored messages were kept", 1);
    } else if (!outcome.loaded()) {
        fail("the load could not finish; the stored messages were kept", 1);
    }
    store.setFilter(QString());
    store.Requery();
    print(withNote(QString("sms: %1 messages").arg(store.FullRecordCount()), outcome));
    return outcome.loaded() ? 0 : 1;
}

int list(CSmsDB& store, const Options& options, const LinkSource& link) {
    store.setStatusMask(options.statusMask);
    if (options.sortColumn >= 0) {
        // The list's own header clicks: the first sorts descending, the second ascending.
        store.ToggleSort(options.sortColumn);
        if (!options.descending) {
            store.ToggleSort(options.sortColumn);
        }
    }
    const SmsListContents contents = store.FillList(link().simMessageCapacity);
    for (const SmsListRow& row : contents.rows) {
        const QString location = row.parts.isEmpty() ? row.number : row.parts;
        print(QStringList{location, row.name, row.phoneNumber, row.message, row.time, row.status}
                  .join('\t'));
    }
    print(contents.total);
    return 0;
}

// The list position of the message at the location (any of its parts') under the full status
// filter, or -1.
int positionOf(CSmsDB& store, int index) {
    const SmsListContents contents = store.FillList(0);
    const QString location = QString::number(index);
    for (int position = 0; position < contents.rows.size(); ++position) {
        const SmsListRow& row = contents.rows[position];
        if (row.number.toInt() == index || row.parts.split(',').contains(location)) {
            return position;
        }
    }
    return -1;
}

int show(CSmsDB& store, int index) {
    const int position = positionOf(store, index);
    if (position < 0) {
        return fail(QString("no message at location %1").arg(index), 1);
    }
    store.moveTo(position);
    print("Number: " + store.textValue(SmsColumns::Number));
    print("Name: " + store.textValue(SmsColumns::Name));
    print("PhoneNumber: " + store.textValue(SmsColumns::PhoneNumber));
    print("Date: " + store.textValue(SmsColumns::Date));
    print("Status: " + store.textValue(SmsColumns::Status));
    print(QString("Reply: ") + (store.boolValue(SmsColumns::Reply) ? "yes" : "no"));
    print("Pid: " + QString::number(store.intValue(SmsColumns::Pid)));
    print("Type: " + store.textValue(SmsColumns::Type));
    if (const QString parts = store.textValue(SmsColumns::Parts); !parts.isEmpty()) {
        print("Parts: " + parts);
    }
    if (const QString missing = store.textValue(SmsColumns::Missing); !missing.isEmpty()) {
        print("Missing: " + missing);
    }
    if (const QString raw = store.textValue(SmsColumns::RawPdu); !raw.isEmpty()) {
        print("Pdu: " + raw);
    }
    print(QString());
    QByteArray text = store.textValue(SmsColumns::Message).toLocal8Bit();
    if (!text.endsWith('\n')) {
        text += '\n';
    }
    std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    return 0;
}

int remove(CSmsDB& store, const Options& options, const LinkSource& link) {
    if (options.all) {
        if (currentPrompter().ask(deleteAllQuestion()) != PromptAnswer::Yes) {
            return fail("nothing deleted (answer with --yes)", 1);
        }
        store.DeleteAllMessages(link());
        const int left = store.FillList(0).rows.size();
        return left == 0 ? 0 : fail(QString("%1 messages were kept by the phone").arg(left), 1);
    }
    const int position = positionOf(store, options.index);
    if (position < 0) {
        return fail(QString("no message at location %1").arg(options.index), 1);
    }
    store.DeleteSelected(link(), {position});
    if (positionOf(store, options.index) >= 0) {
        return fail(QString("the phone kept the message at location %1").arg(options.index), 1);
    }
    return 0;
}

int runSms(CliContext& context, const QStringList& arguments) {
    if (isSmsSendAction(arguments.value(0))) {
        return runSmsSendOrSave(context, arguments);
    }
    Options options;
    const QString error = parse(arguments, options);
    if (!error.isEmpty()) {
        return context.usageError("sms: " + error);
    }
    LazyPhone phone(context);
    const LinkSource link = std::ref(phone);
    if (options.action == "load") {
        return load(link());
    }
    CSmsDB store;
    if (options.action == "list") {
        return list(store, options, link);
    }
    if (options.action == "show") {
        return show(store, options.index);
    }
    StderrProgress progress;
    return remove(store, options, link);
}

CliCommandRegistrar registrar(
    {"sms",
     "sms load | list [--status unread,read,unsent,sent] "
     "[--sort name|number|message|time|status] [--desc] | show --index N | "
     "delete --index N | delete --all | send --number N --text T [--name X] [--validity 0..5] "
     "[--reply-path on|off] [--save] | save --number N --text T [--name X] [--validity 0..5] "
     "[--status unsent|sent]",
     "Loads the SIM's short messages, lists and shows them, and deletes them (on the phone too "
     "when one answers).",
     runSms});

}  // namespace
