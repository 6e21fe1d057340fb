// dexmoro-cli: the phone link, stores and sync without a window.

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <memory>

#include "CliCommand.h"
#include "CliContext.h"
#include "PhonebookPrintCommand.h"
#include "phone/AppState.h"
#include "phone/PhoneLink.h"
#include "platform/Prompter.h"
#include "platform/StderrPrompter.h"

namespace {

void printHelp(QTextStream& out) {
    out << "Usage: dexmoro-cli [global options] <command> [arguments]\n\n"
           "Talks to a Quillon phone on a serial port without the window.\n\n"
           "Global options:\n"
           "  --device PATH  the phone's serial device; wins over --port\n"
           "  --port N       port number (default: the profile's CONFIG/PORT, else 3); port n\n"
           "                 is the profile's CONFIG/DEVICE<n>, else /dev/ttyS<n-1>\n"
           "  --workdir DIR  working directory holding the database files (default: current)\n"
           "  --yes, --no    the answer to every question (default: --no)\n"
           "  --help         this text\n\n"
           "Commands:\n";
    for (const CliCommand& command : CliCommands::all()) {
        out << "  " << command.usage << "\n      " << command.summary << "\n";
    }
    out << "\nProgress of long operations goes to stderr: one line that keeps updating when\n"
           "stderr is a terminal, else a line for every ten percent.\n"
           "\nExit codes: 0 success, 1 failure (no phone, failed command), 2 usage error.\n";
}

struct ParsedArguments {
    QString commandName;
    QStringList commandArguments;
    bool help = false;
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
        if (arg == "--") {
            optionsEnded = true;
        } else if (arg == "--help" || arg == "-h") {
            parsed.help = true;
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
    context.workDir = QDir::currentPath();
    ParsedArguments parsed;
    if (const int code = parse(app->arguments().mid(1), context, parsed); code != 0) {
        return code;
    }
    if (parsed.help) {
        printHelp(context.out());
        return 0;
    }
    if (parsed.commandName.isEmpty()) {
        return context.usageError("no command given");
    }
    const CliCommand* command = CliCommands::find(parsed.commandName);
    if (command == nullptr) {
        return context.usageError("unknown command " + parsed.commandName);
    }
    QDir::setCurrent(context.workDir);
    StderrPrompter prompter(context.answerYes);
    setCurrentPrompter(&prompter);
    PhoneLink::setDevicePathOverride(context.devicePath);
    const AppStateOwner state;  // the run's flags, as the window's application object owns them
    const int code = command->run(context, parsed.commandArguments);
    setCurrentPrompter(nullptr);
    return code;
}
