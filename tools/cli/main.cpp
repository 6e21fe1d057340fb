// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli: the phone link, stores and sync without a window.

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <memory>

#include "CliCommand.h"
#include "CliContext.h"
#include "DexmoroVersion.h"
#include "PhonebookPrintCommand.h"
#include "db/DatabaseConnection.h"
#include "phone/AppState.h"
#include "phone/PhoneLink.h"
#include "platform/Prompter.h"
#include "platform/StderrPrompter.h"
#include "platform/WorkDir.h"

namespace {

constexpr int kHelpWidth = 80;

// text as lines of at most kHelpWidth columns, each started by indent; a word longer than a
// line stands on a line of its own.
QString wrapped(const QString& text, int indent) {
    const QString margin(indent, QLatin1Char(' '));
    QString out;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && indent + line.size() + 1 + word.size() > kHelpWidth) {
            out += margin + line + QLatin1Char('\n');
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    return out + margin + line + QLatin1Char('\n');
}

void printHelp(QTextStream& out) {
    out << "Usage: dexmoro-cli [global options] <command> [arguments]\n\n"
           "Talks to a Quillon phone (or, with --profile standard, any standard GSM phone or\n"
           "modem) on a serial port without the window.\n\n"
           "Global options:\n"
           "  --device PATH  the phone's serial device; wins over --port\n"
           "  --port N       port number (default: the profile's CONFIG/PORT, else 3);\n"
           "                 port n is the profile's CONFIG/DEVICE<n>, else /dev/ttyS<n-1>\n"
           "  --workdir DIR  the folder holding the database files; relative --file, --dir\n"
           "                 and --pdf paths stay relative to the current folder\n"
        << wrapped("(default: the folder dexmoro uses, " + defaultDataFolder() + ")", 17)
        << "  --charset SET  latin1, ucs2 or gsm: the text encoding for this run (default:\n"
           "                 the profile's CONFIG/CHARSET, else latin1)\n"
           "  --fast         read whole lists at once (default: the profile's\n"
           "                 CONFIG/FASTLOAD)\n"
           "  --profile TYPE quillon (the maker's phones) or standard (any standard phone or\n"
           "                 modem) (default: the profile's CONFIG/PROFILE, else quillon)\n"
           "  --sms-format F text or pdu: how short messages travel (default: the profile's\n"
           "                 CONFIG/SMSFORMAT, else text for quillon and pdu for standard)\n"
           "  --sms-storage S sim or phone: where a standard phone's messages are kept\n"
           "                 (default: the profile's CONFIG/SMSSTORAGE, else sim)\n"
           "  --yes, --no    the answer to every question (default: --no)\n"
           "  --help         this text\n"
           "  --version      the program's version\n\n"
           "Commands:\n";
    for (const CliCommand& command : CliCommands::all()) {
        out << wrapped(command.usage, 2) << wrapped(command.summary, 6);
    }
    out << "\nProgress of long operations goes to stderr: one line that keeps updating when\n"
           "stderr is a terminal, else a line for every ten percent.\n"
           "\nExit codes: 0 success, 1 failure (no phone, failed command), 2 usage error.\n";
}

struct ParsedArguments {
    QString commandName;
    QStringList commandArguments;
    bool help = false;
    bool version = false;
};

// Global options may stand anywhere before "--"; everything else is the command and its
// arguments. Returns 0, or the usage error's exit code.
int parse(const QStringList& arguments, CliContext& context, ParsedArguments& parsed) {
    bool optionsEnded = false;
    QStringList rest;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (optionsEnded) {
            rest << arg;
            continue;
        }
        auto valueOf = [&](const QString& option, QString* value) {
            if (arg.startsWith(option + "=")) {
                *value = arg.mid(option.size() + 1);
                return true;
            }
            if (arg == option && i + 1 < arguments.size()) {
                *value = arguments[++i];
                return true;
            }
            return false;
        };
        QString value;
        // An option that takes one of a few words: 0, or the usage error naming the words.
        auto choiceOption = [&](const QString& option, auto parse, const char* words,
                                auto& target) {
            const auto chosen = valueOf(option, &value) ? parse(value) : std::nullopt;
            if (!chosen) {
                return context.usageError(option + " needs " + words);
            }
            target = chosen;
            return 0;
        };
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            parsed.help = true;
        } else if (arg == "--version") {
            parsed.version = true;
        } else if (arg == "--yes") {
            context.answerYes = true;
        } else if (arg == "--no") {
            context.answerYes = false;
        } else if (arg == "--device" || arg.startsWith("--device=")) {
            if (!valueOf("--device", &value) || value.isEmpty()) {
                return context.usageError("--device needs a path");
            }
            context.devicePath = value;
        } else if (arg == "--port" || arg.startsWith("--port=")) {
            bool ok = false;
            const int port = valueOf("--port", &value) ? value.toInt(&ok) : -1;
            if (!ok || port < 0 || port > 255) {
                return context.usageError("--port needs a port number from 0 to 255");
            }
            context.portNumber = port;
        } else if (arg == "--charset" || arg.startsWith("--charset=")) {
            if (const int code = choiceOption("--charset", phoneCharsetFromValue,
                                              "latin1, ucs2 or gsm", context.settings.charset)) {
                return code;
            }
        } else if (arg == "--profile" || arg.startsWith("--profile=")) {
            if (const int code = choiceOption("--profile", phoneProfileFromValue,
                                              "quillon or standard", context.settings.profile)) {
                return code;
            }
        } else if (arg == "--sms-format" || arg.startsWith("--sms-format=")) {
            if (const int code = choiceOption("--sms-format", smsFormatFromValue, "text or pdu",
                                              context.settings.smsFormat)) {
                return code;
            }
        } else if (arg == "--sms-storage" || arg.startsWith("--sms-storage=")) {
            if (const int code = choiceOption("--sms-storage", smsStorageFromValue, "sim or phone",
                                              context.settings.smsStorage)) {
                return code;
            }
        } else if (arg == "--fast") {
            context.settings.fastLoad = true;
        } else if (arg == "--workdir" || arg.startsWith("--workdir=")) {
            if (!valueOf("--workdir", &value) || value.isEmpty()) {
                return context.usageError("--workdir needs a folder");
            }
            if (!QDir(value).exists()) {
                return context.usageError("no such folder: " + value);
            }
            context.workDir = QDir(value).absolutePath();
        } else if (arg.startsWith("--") && rest.isEmpty()) {
            return context.usageError("unknown option " + arg);
        } else {
            rest << arg;
        }
    }
    if (!rest.isEmpty()) {
        parsed.commandName = rest.takeFirst();
        parsed.commandArguments = rest;
    }
    return 0;
}

// The values of the options that name files, made absolute against the current folder before
// the process moves into --workdir.
QStringList withAbsolutePaths(QStringList arguments) {
    static const QStringList kPathOptions{QStringLiteral("--file"), QStringLiteral("--dir"),
                                          QStringLiteral("--pdf")};
    const QDir here = QDir::current();
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        QString& arg = arguments[i];
        if (arg == QLatin1String("--")) {
            break;
        }
        for (const QString& option : kPathOptions) {
            if (arg == option && i + 1 < arguments.size() && !arguments[i + 1].isEmpty()) {
                arguments[i + 1] = here.absoluteFilePath(arguments[i + 1]);
                ++i;
            } else if (arg.startsWith(option + QLatin1Char('=')) &&
                       arg.size() > option.size() + 1) {
                arg = option + QLatin1Char('=') + here.absoluteFilePath(arg.mid(option.size() + 1));
            }
        }
    }
    return arguments;
}

}  // namespace

int main(int argc, char** argv) {
    // Printing needs fonts, hence the GUI application, though never a screen.
    const bool printing = cliPrintsPages(argc, argv);
    if (printing && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    const std::unique_ptr<QCoreApplication> app(printing ? new QGuiApplication(argc, argv)
                                                         : new QCoreApplication(argc, argv));
    CliContext context;
    ParsedArguments parsed;
    if (const int code = parse(app->arguments().mid(1), context, parsed); code != 0) {
        return code;
    }
    if (parsed.help) {
        printHelp(context.out());
        return 0;
    }
    if (parsed.version) {
        context.out() << "dexmoro-cli " DEXMORO_VERSION "\n";
        return 0;
    }
    if (parsed.commandName.isEmpty()) {
        return context.usageError("no command given");
    }
    const CliCommand* command = CliCommands::find(parsed.commandName);
    if (command == nullptr) {
        return context.usageError("unknown command " + parsed.commandName);
    }
    if (context.workDir.isEmpty()) {
        context.workDir = defaultDataFolder();
        if (!QDir().mkpath(context.workDir)) {
            context.err() << "dexmoro-cli: cannot use the data folder " << context.workDir << "\n";
            context.err().flush();
            return 1;
        }
    }
    const QStringList commandArguments = withAbsolutePaths(parsed.commandArguments);
    QDir::setCurrent(context.workDir);
    // A command that only reads leaves no empty database files behind.
    createFilesOnWrite(true);
    StderrPrompter prompter(context.answerYes);
    setCurrentPrompter(&prompter);
    databaseNotices().setReporter(showNotice);
    PhoneLink::setDevicePathOverride(context.devicePath);
    const AppStateOwner state;  // the run's flags, as the window's application object owns them
    appState().runSettings = context.settings;
    const int code = command->run(context, commandArguments);
    databaseNotices().setReporter(nullptr);
    setCurrentPrompter(nullptr);
    return code;
}
