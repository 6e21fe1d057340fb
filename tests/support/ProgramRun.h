// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// One run of a program of the project, to its end.
struct ProgramRun {
    int exitCode = -1;  // -1 when it crashed or did not end in time
    QString out;
    QString err;
};

// The environment of the tests with HOME, XDG_CONFIG_HOME and XDG_DATA_HOME in a private
// folder, so that no run reads or writes the user's profile or data folder.
QProcessEnvironment privateHomeEnvironment();

ProgramRun runProgram(const QString& program, const QStringList& arguments,
                      const QProcessEnvironment& environment = privateHomeEnvironment(),
                      int timeoutMs = 120000);
