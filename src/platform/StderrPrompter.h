// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompter.h"

// Prompts for a program without a window: the text goes to stderr, the answer is fixed
// (the command line's --yes / --no), OK-only boxes are acknowledged.
class StderrPrompter : public Prompter {
  public:
    explicit StderrPrompter(bool answerYes = false) : answerYes_(answerYes) {}
    void setAnswerYes(bool yes) { answerYes_ = yes; }
    PromptAnswer ask(const Prompt& prompt) override;

  private:
    bool answerYes_;
};
