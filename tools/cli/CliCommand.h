// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

#include "CliContext.h"
#include "phone/SlotMirror.h"

// One sub-command group of dexmoro-cli ("identify", "at", "phonebook", ...). Each group lives
// in a file of its own and registers itself with a static CliCommandRegistrar:
//
//   static CliCommandRegistrar registrar({"phonebook", "phonebook list|add|... [options]",
//                                         "Reads and changes the phonebooks.", runPhonebook});
//
// run gets the arguments after the group's name (global options already removed) and returns
// the exit code: 0 success, 1 failure, 2 usage error (use CliContext::usageError).
struct CliCommand {
    QString name;
    QString usage;    // one line, without the program name
    QString summary;  // one sentence for --help
    std::function<int(CliContext& context, const QStringList& arguments)> run;
};

class CliCommands {
  public:
    static void add(CliCommand command);
    static const CliCommand* find(const QString& name);
    // In name order.
    static QList<CliCommand> all();
};

struct CliCommandRegistrar {
    explicit CliCommandRegistrar(CliCommand command) { CliCommands::add(std::move(command)); }
};

namespace cli {
// One line on standard output.
void print(const QString& line);
// A load's count line with what the load has to add ("sms: 6 messages; read one by one: ...").
QString withNote(const QString& line, const MirrorOutcome& outcome);
// "dexmoro-cli <group>: <message>" on standard error; returns exitCode (2: usage error).
int failIn(const char* group, const QString& message, int exitCode = 2);
}  // namespace cli
