// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <optional>

#include "phone/PhoneSettings.h"

// The program's own options: --demo (the built-in simulated phone), --demo-reset (the same,
// with the demo data put back first) and --device PATH (a serial device that wins over the port
// setting), --profile quillon|standard (the phone type for this run); --help and --version print
// and end the program.
struct AppCommandLine {
    bool demo = false;
    bool demoReset = false;
    QString device;
    std::optional<PhoneProfile> profile;
    bool help = false;
    bool version = false;
    QString error;  // set when the arguments cannot be used

    static AppCommandLine parse(const QStringList& arguments);
    static QString usage();
};

// Whether a window can be shown at all: a display, or a platform chosen explicitly.
bool hasDisplay(const QProcessEnvironment& environment);
