// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <functional>

#include "platform/Prompter.h"

// What an operation below the views has to tell the user, as data: a view shows it in a
// message box, the command-line tool prints it on stderr and picks its exit code from the icon.
struct Notice {
    QString text;
    QString caption;
    PromptIcon icon = PromptIcon::None;

    bool isError() const { return icon == PromptIcon::Error; }
    Prompt prompt() const { return Prompt{text, caption, icon, PromptButtons::Ok}; }
    bool operator==(const Notice&) const = default;
};

using Notices = QList<Notice>;

// A question an operation must ask half-way (a copy running out of room, say): the caller
// answers it from a message box, a command-line option or a test script.
using Asker = std::function<PromptAnswer(const Prompt& question)>;

// For the views and the command-line tool (never the rooms below them): show a notice through
// the installed prompter (a message box in the window, a stderr line on the command line), and
// an Asker that asks through it.
void showNotice(const Notice& notice);
void showNotices(const Notices& notices);
Asker prompterAsker();

// The one presence-probe failure text every load and the service centre give.
inline Notice offLineNotice() {
    return Notice{QStringLiteral("Now is OFF line"), QStringLiteral("Load"), PromptIcon::Error};
}
