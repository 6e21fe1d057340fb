// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdio>
#include <memory>

#include "platform/Progress.h"

// Progress on stderr for the command line. On a terminal: one line that is rewritten in place
// as the bar moves ("caption text 45%") and ended when the window would close. Elsewhere (a
// pipe, a file): the caption and text once when shown, then a line for every ten percent.
// Installs itself as the current progress for its lifetime.
class StderrProgress : public Progress {
  public:
    StderrProgress();
    // out: where to write; terminal: whether out is a terminal.
    StderrProgress(std::FILE* out, bool terminal);
    ~StderrProgress() override;
    StderrProgress(const StderrProgress&) = delete;
    StderrProgress& operator=(const StderrProgress&) = delete;

    void show(const QString& caption, const QString& text) override;
    void setCaption(const QString& caption) override;
    void setText(const QString& text) override;
    void setValue(int value) override;
    void destroy() override;

  private:
    class LineEndingPrompter;

    void printHeading();
    void drawLine();
    void endLine();

    std::FILE* out_;
    bool terminal_;
    Progress* previous_;
    std::unique_ptr<LineEndingPrompter> prompter_;
    QString caption_;
    QString text_;
    bool headingShown_ = false;
    int lastStep_ = -1;
    int percent_ = 0;
    // The terminal line: whether one is open, and how many characters it shows.
    bool lineOpen_ = false;
    qsizetype drawnWidth_ = 0;
};
