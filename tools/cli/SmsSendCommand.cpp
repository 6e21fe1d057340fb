// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli sms send / sms save: the compose dialog's OK from the command line.

#include "SmsSendCommand.h"
#include "CliCommand.h"

#include <QCommandLineParser>

#include "CliContext.h"
#include "phone/PhoneLink.h"
#include "platform/Notice.h"
#include "sms/MessageCompose.h"

namespace {

using cli::print;

struct SendOptions {
    ComposeValues values;
};

// Returns an error text, empty when the arguments make sense.
QString parse(const QStringList& arguments, SendOptions& options) {
    QCommandLineParser parser;
    parser.addOptions(
        {{"number", "destination number", "N"},
         {"text", "message text", "T"},
         {"name", "correspondent's name", "X"},
         {"validity", "0 1 hour, 1 6 hours, 2 12 hours, 3 24 hours, 4 1 week, 5 max", "0..5"},
         {"reply-path", "on or off", "on|off"},
         {"save", "also save to the SIM"},
         {"status", "unsent or sent", "unsent|sent"}});
    if (!parser.parse(QStringList{"sms"} + arguments)) {
        return parser.errorText();
    }
    const QString action = parser.positionalArguments().value(0);
    if (parser.positionalArguments().size() != 1) {
        return "expected one action";
    }
    if (!parser.isSet("number") || !parser.isSet("text")) {
        return "--number and --text are required";
    }
    ComposeValues& values = options.values;
    values.number = parser.value("number");
    values.message = parser.value("text");
    values.name = parser.value("name");
    if (parser.isSet("validity")) {
        bool ok = false;
        values.validityChoice = parser.value("validity").toInt(&ok);
        if (!ok || values.validityChoice < 0 || values.validityChoice > 5) {
            return "--validity takes 0 to 5";
        }
    }
    if (action == "send") {
        if (parser.isSet("status")) {
            return "--status belongs to sms save";
        }
        if (parser.isSet("reply-path")) {
            const QString path = parser.value("reply-path").toLower();
            if (path != "on" && path != "off") {
                return "--reply-path takes on or off";
            }
            values.replyPathChoice = path == "on" ? 0 : 1;
        }
        values.sendChoice = parser.isSet("save") ? kSendAndSave : kSendOnly;
    } else {
        if (parser.isSet("save") || parser.isSet("reply-path")) {
            return "--save and --reply-path belong to sms send";
        }
        if (parser.isSet("status")) {
            const QString status = parser.value("status").toLower();
            if (status != "unsent" && status != "sent") {
                return "--status takes unsent or sent";
            }
            options.values.saveAsSent = status == "sent";
        }
        values.sendChoice = kSaveOnly;
    }
    return {};
}

int fail(const QString& message, int exitCode) {
    return cli::failIn("sms", message, exitCode);
}

}  // namespace

bool isSmsSendAction(const QString& action) {
    return action == "send" || action == "save";
}

int runSmsSendOrSave(CliContext& context, const QStringList& arguments) {
    SendOptions options;
    const QString error = parse(arguments, options);
    if (!error.isEmpty()) {
        return context.usageError("sms: " + error);
    }
    // The dialog's rules and messages, before any connection is made.
    if (const std::optional<ComposeProblem> problem = composeProblem(options.values)) {
        return fail(problem->notice.text, 2);
    }
    const std::unique_ptr<PhoneLink> link = context.connectPhone();
    if (options.values.sendChoice != kSaveOnly && !link->phoneFound) {
        return fail("no phone answers", 1);
    }

    const ComposeResult result = SendAndSave(*link, options.values, prompterAsker());
    showNotices(result.notices);
    if (result.sent) {
        print("sent");
    }
    if (result.saved) {
        print("saved: " + result.location);
    }
    switch (result.outcome) {
        case ComposeOutcome::Carried:
            break;
        case ComposeOutcome::Cancelled:
            return fail("nothing sent (answer with --yes to send only)", 1);
        default:
            return 1;  // the prompter already said why
    }
    const bool sendFailed = result.sendAsked && !result.sent;
    const bool saveFailed = result.saveAsked && !result.saved;
    return sendFailed || saveFailed ? 1 : 0;
}
