// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppCommandLine.h"

AppCommandLine AppCommandLine::parse(const QStringList& arguments) {
    AppCommandLine line;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == "--demo") {
            line.demo = true;
        } else if (argument == "--demo-reset") {
            line.demo = true;
            line.demoReset = true;
        } else if (argument == "--device") {
            if (i + 1 >= arguments.size() || arguments[i + 1].isEmpty()) {
                line.error = "--device needs a device path";
                return line;
            }
            line.device = arguments[++i];
        } else if (argument.startsWith("--device=")) {
            line.device = argument.mid(9);
            if (line.device.isEmpty()) {
                line.error = "--device needs a device path";
                return line;
            }
        } else if (argument == "--profile" || argument.startsWith("--profile=")) {
            const QString value = argument == "--profile"
                                      ? (i + 1 < arguments.size() ? arguments[++i] : QString())
                                      : argument.mid(10);
            line.profile = phoneProfileFromValue(value);
            if (!line.profile) {
                line.error = "--profile needs quillon or standard";
                return line;
            }
        } else if (argument == "--help" || argument == "-h") {
            line.help = true;
        } else if (argument == "--version") {
            line.version = true;
        } else {
            line.error = "unknown argument: " + argument;
            return line;
        }
    }
    if (line.demo && !line.device.isEmpty()) {
        line.error = QString("%1 and --device cannot be used together")
                         .arg(line.demoReset ? "--demo-reset" : "--demo");
    }
    return line;
}

QString AppCommandLine::usage() {
    return "usage: dexmoro [--demo | --demo-reset | --device PATH] [--profile TYPE] [--version]\n"
           "  --demo         run against the built-in simulated phone, with demo data; the\n"
           "                 demo phone keeps its changes from one run to the next\n"
           "  --demo-reset   put the demo data back as shipped, then run the demo\n"
           "  --device PATH  talk to the phone on this serial device instead of the port setting\n"
           "  --profile TYPE quillon (the maker's phones) or standard (any standard phone or\n"
           "                 modem) for this run, instead of the profile's CONFIG/PROFILE\n"
           "  --version      print the program's version and end\n";
}

bool hasDisplay(const QProcessEnvironment& environment) {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!environment.value(name).isEmpty()) {
            return true;
        }
    }
    return false;
}
