// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <optional>

#include "platform/Notice.h"

class PhoneLink;
class ProgramLauncher;

// The program file dialog: the chosen program's full path, or empty when cancelled.
using ProgramChooser = std::function<QString()>;

// The program file dialog's filter, as the dialog's own filter string.
extern const char* const kProgramFileFilter;

// The terminal program the system ships, where the system is known to ship one.
struct TerminalProgram {
    QString path;
    QString title;
};
std::optional<TerminalProgram> SystemTerminalProgram();

// The linked program ("Path"/"communicator"), or the default when none is linked.
QString LinkedProgramPath(const QString& defaultPath = {});

// "Link Program": lets the user choose the program that "Execute Linked Program" starts.
void LinkProgram(const ProgramChooser& choose);

// "Execute Linked Program": starts the linked program on the phone's port (asking for one when
// none is linked); the link is closed while it runs.
void ExecuteLinkedProgram(PhoneLink& link, const ProgramChooser& choose, ProgramLauncher& launcher,
                          const Asker& ask);

// "Hyper Terminal": starts the system's terminal program (or the linked one) on the phone's
// port, asking for another when it cannot be started; the link is closed while it runs.
void RunTerminalProgram(PhoneLink& link, const ProgramChooser& choose, ProgramLauncher& launcher,
                        const std::optional<TerminalProgram>& systemTerminal, const Asker& ask);
