// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace {
Prompter* installedBefore() {
    return &currentPrompter();
}
}  // namespace

ScriptedPrompter::ScriptedPrompter() : previous_(installedBefore()) {
    setCurrentPrompter(this);
}

ScriptedPrompter::~ScriptedPrompter() {
    setCurrentPrompter(previous_);
}

ScriptedPrompter& ScriptedPrompter::then(PromptAnswer answer) {
    script_.append(answer);
    return *this;
}

PromptAnswer ScriptedPrompter::ask(const Prompt& prompt) {
    prompts_.append(prompt);
    if (script_.isEmpty()) {
        ADD_FAILURE() << "unexpected prompt: caption \"" << prompt.caption.toStdString()
                      << "\", text \"" << prompt.text.toStdString() << "\"";
        return prompt.buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }
    return script_.takeFirst();
}
