// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Prompter.h"

class QWidget;

// Prompts as real message boxes, owned by the main window when there is one.
class MessageBoxPrompter : public Prompter {
  public:
    explicit MessageBoxPrompter(QWidget* owner = nullptr) : owner_(owner) {}
    void setOwner(QWidget* owner) { owner_ = owner; }
    PromptAnswer ask(const Prompt& prompt) override;

  private:
    QWidget* owner_;
};
