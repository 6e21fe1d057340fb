// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-phonesim: a simulated Quillon phone on a pseudo-terminal.
#include <signal.h>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <cstdio>
#include <ctime>

#include "DexmoroVersion.h"
#include "phonesim/PhoneSimServer.h"
#include "phonesim/PhoneSimStateFile.h"

namespace {

bool readInt(const QCommandLineParser& parser, const QString& name, int minimum, int* out) {
    if (!parser.isSet(name))
        return true;
    bool ok = false;
    const int value = parser.value(name).toInt(&ok);
    if (!ok || value < minimum) {
        std::fprintf(stderr, "dexmoro-phonesim: --%s needs a number of at least %d\n",
                     qPrintable(name), minimum);
        return false;
    }
    *out = value;
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    // Signals are taken synchronously below; block them before the server thread exists so it
    // inherits the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("dexmoro-phonesim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(DEXMORO_VERSION));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("A simulated Quillon phone. Prints the pseudo-terminal path as its first "
                       "line and answers AT commands until stopped."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {"state", "Load the phone's state from the JSON file (demo state when absent).", "FILE"},
        {"save", "Write the state back to the --state file at exit."},
        {"baud", "Pace the line at N bit/s (10 bits a byte); 0 = no pacing.", "N"},
        {"latency-ms", "Wait N ms before every answer.", "N"},
        {"chunk", "Send answers in chunks of BYTES with a short gap.", "BYTES"},
        {"silent", "Never answer."},
        {"error-on", "Commands containing PATTERN answer ERROR.", "PATTERN"},
        {"cme-error", "With --error-on, answer +CME ERROR: N instead.", "N"},
        {"cms-error", "With --error-on, answer +CMS ERROR: N instead.", "N"},
        {"drop-after", "Hang up when the command after the first N arrives.", "N"},
        {"garbage", "Send a few garbage bytes before every answer."},
        {"no-list", "Refuse whole-list reads (at+cmgl, at+cpbr=<first>,<last>) with ERROR."},
        {"link", "Make a symbolic link PATH to the pseudo-terminal.", "PATH"},
        {"transcript", "Log every byte both ways to FILE.", "FILE"},
        {"persona",
         "quillon (default) or standard: a phone of another maker (Acme M-100) that "
         "answers the standard commands alone.",
         "NAME"},
        {"sim-only", "Keep the phonebook on the SIM alone (no phone memory)."},
        {"first-index", "Number phonebook entries from N (0 or 1; default 1).", "N"},
    });
    parser.process(app);

    const QString statePath = parser.value(QStringLiteral("state"));
    if (parser.isSet(QStringLiteral("save")) && statePath.isEmpty()) {
        std::fprintf(stderr, "dexmoro-phonesim: --save needs --state FILE\n");
        return 2;
    }
    const QString persona = parser.value(QStringLiteral("persona"));
    if (!persona.isEmpty() && persona != QLatin1String("quillon") &&
        persona != QLatin1String("standard")) {
        std::fprintf(stderr, "dexmoro-phonesim: --persona needs quillon or standard\n");
        return 2;
    }
    const bool standard = persona == QLatin1String("standard");
    PhoneSimState state = standard ? PhoneSimState::standardPersona() : PhoneSimState::demo();
    if (!statePath.isEmpty() && QFileInfo::exists(statePath)) {
        QString error;
        if (!loadPhoneSimState(statePath, &state, &error)) {
            std::fprintf(stderr, "dexmoro-phonesim: %s\n", qPrintable(error));
            return 2;
        }
        if (standard)
            state.becomeStandardPersona();
    }
    state.phoneMemory = !parser.isSet(QStringLiteral("sim-only"));
    if (!readInt(parser, QStringLiteral("first-index"), 0, &state.firstPhonebookIndex) ||
        state.firstPhonebookIndex > 1) {
        std::fprintf(stderr, "dexmoro-phonesim: --first-index needs 0 or 1\n");
        return 2;
    }

    PhoneSimOptions options;
    if (!readInt(parser, QStringLiteral("baud"), 0, &options.baud) ||
        !readInt(parser, QStringLiteral("latency-ms"), 0, &options.latencyMs) ||
        !readInt(parser, QStringLiteral("chunk"), 0, &options.chunkBytes) ||
        !readInt(parser, QStringLiteral("cme-error"), 0, &options.cmeError) ||
        !readInt(parser, QStringLiteral("cms-error"), 0, &options.cmsError) ||
        !readInt(parser, QStringLiteral("drop-after"), 0, &options.dropAfterCommands))
        return 2;
    options.silent = parser.isSet(QStringLiteral("silent"));
    options.garbage = parser.isSet(QStringLiteral("garbage"));
    options.noList = parser.isSet(QStringLiteral("no-list"));
    options.errorPattern = parser.value(QStringLiteral("error-on"));
    options.linkPath = parser.value(QStringLiteral("link"));
    options.transcriptPath = parser.value(QStringLiteral("transcript"));

    PhoneSimServer server(state, options);
    QString error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "dexmoro-phonesim: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("%s\n", qPrintable(server.slavePath()));
    std::fflush(stdout);

    // Serve until a stop signal, or until the phone hung up by itself.
    const timespec tick{0, 200'000'000};
    while (server.isServing()) {
        if (sigtimedwait(&stopSignals, nullptr, &tick) > 0)
            break;
    }
    server.stop();

    if (parser.isSet(QStringLiteral("save"))) {
        if (!savePhoneSimState(statePath, server.stateSnapshot(), &error)) {
            std::fprintf(stderr, "dexmoro-phonesim: %s\n", qPrintable(error));
            return 1;
        }
    }
    return 0;
}
