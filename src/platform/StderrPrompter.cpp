// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/StderrPrompter.h"

#include <cstdio>

PromptAnswer StderrPrompter::ask(const Prompt& prompt) {
    PromptAnswer answer = PromptAnswer::Ok;
    QString shown;
    switch (prompt.buttons) {
        case PromptButtons::Ok:
            answer = PromptAnswer::Ok;
            break;
        case PromptButtons::OkCancel:
            answer = answerYes_ ? PromptAnswer::Ok : PromptAnswer::Cancel;
            shown = answerYes_ ? "OK" : "Cancel";
            break;
        case PromptButtons::YesNo:
        case PromptButtons::YesNoCancel:
            answer = answerYes_ ? PromptAnswer::Yes : PromptAnswer::No;
            shown = answerYes_ ? "Yes" : "No";
            break;
    }
    QString line = prompt.caption + ": " + prompt.text;
    line.replace("\r\n", " ").replace("\n\r", " ").replace('\n', ' ').replace('\r', ' ');
    if (!shown.isEmpty()) {
        line += " [" + shown + "]";
    }
    std::fprintf(stderr, "%s\n", line.toLocal8Bit().constData());
    return answer;
}
