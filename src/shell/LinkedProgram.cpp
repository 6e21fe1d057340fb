// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/LinkedProgram.h"

#include <QDir>
#include <QFileInfo>

#include "phone/PhoneLink.h"
#include "platform/Notice.h"
#include "platform/Profile.h"
#include "platform/ProgramLauncher.h"
#include "platform/WorkDir.h"

const char* const kProgramFileFilter = "exe Files(*.exe)|*.exe|All Files(*.*)|*.*||";

namespace {
const QString kSection = QStringLiteral("Path");
const QString kPathKey = QStringLiteral("communicator");
const QString kTitleKey = QStringLiteral("title");
const QString kNothing = QStringLiteral("Nothing");

void storeLinkedProgram(const QString& path, const QString& title) {
    Profile::setValue(kSection, kPathKey, path);
    Profile::setValue(kSection, kTitleKey, title);
}

void storeChosenProgram(const QString& path) {
    storeLinkedProgram(path, QFileInfo(path).fileName());
}

void returnToWorkDir() {
    if (!g_workDir.isEmpty()) {
        QDir::setCurrent(g_workDir);
    }
}

// The port belongs to the started program while it runs.
bool runOnFreePort(PhoneLink& link, ProgramLauncher& launcher, const QString& path) {
    link.Disconnect();
    const bool started = launcher.startAndWait(path);
    link.Connect();
    return started;
}
}  // namespace

std::optional<TerminalProgram> SystemTerminalProgram() {
    // No terminal program comes with this system at a fixed place; the user links one.
    return std::nullopt;
}

QString LinkedProgramPath(const QString& defaultPath) {
    return Profile::value(kSection, kPathKey, defaultPath).toString();
}

void LinkProgram(const ProgramChooser& choose) {
    g_workDir = QDir::currentPath();
    const QString path = choose();
    if (!path.isEmpty()) {
        storeChosenProgram(path);
    }
    returnToWorkDir();
}

void ExecuteLinkedProgram(PhoneLink& link, const ProgramChooser& choose, ProgramLauncher& launcher,
                          const Asker& ask) {
    QString program = LinkedProgramPath(kNothing);
    if (program == kNothing) {
        const PromptAnswer answer = ask(Prompt{
            QStringLiteral("You haven't chosen the program you want. Select the program before "
                           "you proceed"),
            QStringLiteral("No Application Selected"), PromptIcon::Information,
            PromptButtons::OkCancel});
        if (answer != PromptAnswer::Ok) {
            return;
        }
        program = choose();
        if (program.isEmpty()) {
            return;
        }
        storeChosenProgram(program);
        returnToWorkDir();
    }
    runOnFreePort(link, launcher, program);
}

void RunTerminalProgram(PhoneLink& link, const ProgramChooser& choose, ProgramLauncher& launcher,
                        const std::optional<TerminalProgram>& systemTerminal, const Asker& ask) {
    if (systemTerminal) {
        storeLinkedProgram(systemTerminal->path, systemTerminal->title);
    }
    link.Disconnect();
    if (launcher.startAndWait(LinkedProgramPath())) {
        link.Connect();
        return;
    }
    const PromptAnswer answer = ask(Prompt{
        QStringLiteral("We can't find the HyperTerminal Program. Select the program before you "
                       "proceed"),
        QStringLiteral("No HyperTermianl"), PromptIcon::Information, PromptButtons::OkCancel});
    if (answer == PromptAnswer::Ok) {
        const QString path = choose();
        if (!path.isEmpty()) {
            storeChosenProgram(path);
            launcher.startAndWait(LinkedProgramPath());
            returnToWorkDir();
        }
    }
    link.Connect();
}
