// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// Every message box of the program goes through this interface, so that the same store and
// sync code can ask the user from the window, from the command line or from a test script.

enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

struct Prompt {
    QString text;
    QString caption;
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    // The button Enter presses; empty: the message box's own choice. A question whose Yes
    // cannot be undone defaults to No.
    std::optional<PromptAnswer> defaultAnswer = std::nullopt;
};

class Prompter {
  public:
    virtual ~Prompter() = default;
    virtual PromptAnswer ask(const Prompt& prompt) = 0;
};

// The process-wide prompter: the window installs its own at start-up, the command-line tool
// its stderr one, tests a scripted one. Without one installed, prompts go to stderr and take
// the default answer (OK, or No for questions).
Prompter& currentPrompter();
void setCurrentPrompter(Prompter* prompter);

// Shorthand for the one-button message boxes.
void showMessage(const QString& text, const QString& caption, PromptIcon icon);
PromptAnswer askQuestion(const QString& text, const QString& caption,
                         PromptButtons buttons = PromptButtons::YesNo,
                         PromptIcon icon = PromptIcon::Question);
