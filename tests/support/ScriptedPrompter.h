// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include "platform/Prompter.h"

// Records every prompt and answers from a script. A prompt beyond the script fails the test,
// so an unexpected message box never goes unnoticed. Installs itself for its lifetime.
class ScriptedPrompter : public Prompter {
  public:
    ScriptedPrompter();
    ~ScriptedPrompter() override;

    // Queues the answer for the next prompt.
    ScriptedPrompter& then(PromptAnswer answer);
    PromptAnswer ask(const Prompt& prompt) override;

    const QList<Prompt>& prompts() const { return prompts_; }
    int unansweredScript() const { return script_.size(); }

  private:
    QList<PromptAnswer> script_;
    QList<Prompt> prompts_;
    Prompter* previous_;
};
