// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Prompter.h"

#include "platform/Notice.h"

#include "platform/StderrPrompter.h"

namespace {
Prompter* installedPrompter = nullptr;
}

Prompter& currentPrompter() {
    static StderrPrompter fallback;
    return installedPrompter ? *installedPrompter : fallback;
}

void setCurrentPrompter(Prompter* prompter) {
    installedPrompter = prompter;
}

void showMessage(const QString& text, const QString& caption, PromptIcon icon) {
    currentPrompter().ask(Prompt{text, caption, icon, PromptButtons::Ok});
}

PromptAnswer askQuestion(const QString& text, const QString& caption, PromptButtons buttons,
                         PromptIcon icon) {
    return currentPrompter().ask(Prompt{text, caption, icon, buttons});
}

void showNotice(const Notice& notice) {
    currentPrompter().ask(notice.prompt());
}

void showNotices(const Notices& notices) {
    for (const Notice& notice : notices) {
        showNotice(notice);
    }
}

Asker prompterAsker() {
    return [](const Prompt& question) { return currentPrompter().ask(question); };
}
