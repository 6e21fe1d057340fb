// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QDir>
#include <QProcessEnvironment>

#include <cstdio>

#include "DexmoroVersion.h"
#include "app/AppCommandLine.h"
#include "app/CDexmoroApp.h"
#include "app/DemoPhone.h"
#include "phone/AppState.h"
#include "phone/PhoneLink.h"
#include "platform/WorkDir.h"

int main(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    const AppCommandLine line = AppCommandLine::parse(arguments);
    if (line.help) {
        std::fputs(qPrintable(AppCommandLine::usage()), stdout);
        return 0;
    }
    if (line.version) {
        std::puts("dexmoro " DEXMORO_VERSION);
        return 0;
    }
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "dexmoro: %s\n%s", qPrintable(line.error),
                     qPrintable(AppCommandLine::usage()));
        return 2;
    }
    // Checked before the application object exists: without a display Qt would abort.
    if (!hasDisplay(QProcessEnvironment::systemEnvironment())) {
        std::fprintf(stderr,
                     "dexmoro: no display found (neither DISPLAY nor WAYLAND_DISPLAY is set).\n"
                     "Run it inside a desktop session, or choose a Qt platform with "
                     "QT_QPA_PLATFORM (for instance QT_QPA_PLATFORM=xcb).\n");
        return 1;
    }

    QApplication application(argc, argv);
    QApplication::setOrganizationName("QUILLON");
    QApplication::setApplicationName("Dexmoro");

    DemoPhone demo;
    if (line.demo) {
        QString error;
        QString notice;
        if (line.demoReset && !demo.reset(&error)) {
            std::fprintf(stderr, "dexmoro: %s\n", qPrintable(error));
            return 1;
        }
        if (!demo.start(&error, &notice, line.profile)) {
            std::fprintf(stderr, "dexmoro: %s\n", qPrintable(error));
            return 1;
        }
        if (!notice.isEmpty()) {
            std::fprintf(stderr, "dexmoro: %s\n", qPrintable(notice));
        }
        std::fprintf(stderr, "dexmoro: demo phone on %s, data in %s\n",
                     qPrintable(demo.devicePath()), qPrintable(demo.workDir()));
    } else {
        if (!line.device.isEmpty()) {
            PhoneLink::setDevicePathOverride(line.device);
        }
        // The database files lie where dexmoro-cli finds them too.
        const QString folder = defaultDataFolder();
        if (!QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
            std::fprintf(stderr, "dexmoro: cannot use the data folder %s\n", qPrintable(folder));
            return 1;
        }
    }

    int exitCode = 0;
    {
        CDexmoroApp app;
        appState().runSettings.profile = line.profile;
        if (app.InitInstance()) {
            exitCode = application.exec();
        }
    }
    // The demo phone keeps what this run changed on it.
    QString error;
    if (line.demo && !demo.stop(&error)) {
        std::fprintf(stderr, "dexmoro: the demo phone's state was not saved: %s\n",
                     qPrintable(error));
    }
    return exitCode;
}
