// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliCommand.h"

#include <algorithm>
#include <cstdio>

namespace {
QList<CliCommand>& registry() {
    static QList<CliCommand> commands;
    return commands;
}
}  // namespace

void CliCommands::add(CliCommand command) {
    registry().append(std::move(command));
}

const CliCommand* CliCommands::find(const QString& name) {
    for (const CliCommand& command : registry()) {
        if (command.name == name) {
            return &command;
        }
    }
    return nullptr;
}

QList<CliCommand> CliCommands::all() {
    QList<CliCommand> sorted = registry();
    std::sort(sorted.begin(), sorted.end(),
              [](const CliCommand& a, const CliCommand& b) { return a.name < b.name; });
    return sorted;
}

void cli::print(const QString& line) {
    std::fputs(line.toLocal8Bit().constData(), stdout);
    std::fputc('\n', stdout);
}

QString cli::withNote(const QString& line, const MirrorOutcome& outcome) {
    const QString note = outcome.logNote();
    return note.isEmpty() ? line : line + QStringLiteral("; ") + note;
}

int cli::failIn(const char* group, const QString& message, int exitCode) {
    std::fprintf(stderr, "dexmoro-cli %s: %s\n", group, message.toLocal8Bit().constData());
    return exitCode;
}
