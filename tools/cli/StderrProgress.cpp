// SPDX-License-Identifier: GPL-3.0-or-later
#include "StderrProgress.h"

#include <sys/ioctl.h>
#include <unistd.h>

#include "platform/Prompter.h"

namespace {
// Columns of the terminal behind the stream; a line longer than that would wrap, and the
// carriage return would then rewrite only its last row.
qsizetype terminalColumns(std::FILE* out) {
    winsize size{};
    if (ioctl(fileno(out), TIOCGWINSZ, &size) == 0 && size.ws_col > 1) {
        return size.ws_col;
    }
    return 80;
}
}  // namespace

// A message shown while the progress line is open starts on a line of its own.
class StderrProgress::LineEndingPrompter : public Prompter {
  public:
    LineEndingPrompter(StderrProgress& progress, Prompter& next)
        : progress_(progress), next_(next) {}
    PromptAnswer ask(const Prompt& prompt) override {
        progress_.endLine();
        return next_.ask(prompt);
    }
    Prompter& next() const { return next_; }

  private:
    StderrProgress& progress_;
    Prompter& next_;
};

StderrProgress::StderrProgress() : StderrProgress(stderr, isatty(fileno(stderr)) != 0) {}

StderrProgress::StderrProgress(std::FILE* out, bool terminal)
    : out_(out), terminal_(terminal), previous_(&currentProgress()) {
    setCurrentProgress(this);
    if (terminal_) {
        prompter_ = std::make_unique<LineEndingPrompter>(*this, currentPrompter());
        setCurrentPrompter(prompter_.get());
    }
}

StderrProgress::~StderrProgress() {
    endLine();
    if (prompter_ && &currentPrompter() == prompter_.get()) {
        setCurrentPrompter(&prompter_->next());
    }
    setCurrentProgress(previous_);
}

void StderrProgress::show(const QString& caption, const QString& text) {
    if (caption != caption_ || text != text_) {
        headingShown_ = false;
    }
    caption_ = caption;
    text_ = text;
    if (terminal_) {
        drawLine();
    } else {
        printHeading();
    }
}

void StderrProgress::setCaption(const QString& caption) {
    if (caption != caption_) {
        caption_ = caption;
        headingShown_ = false;
        terminal_ ? drawLine() : printHeading();
    }
}

void StderrProgress::setText(const QString& text) {
    if (text != text_) {
        text_ = text;
        headingShown_ = false;
        terminal_ ? drawLine() : printHeading();
    }
}

void StderrProgress::setValue(int value) {
    const int percent = qBound(0, value, 100);
    if (terminal_) {
        if (percent != percent_ || !lineOpen_) {
            percent_ = percent;
            drawLine();
        }
        return;
    }
    const int step = percent / 10;
    if (step != lastStep_) {
        lastStep_ = step;
        std::fprintf(out_, "%s: %d%%\n", caption_.toLocal8Bit().constData(), step * 10);
    }
}

void StderrProgress::destroy() {
    endLine();
    headingShown_ = false;
    lastStep_ = -1;
    percent_ = 0;
    caption_.clear();
    text_.clear();
}

void StderrProgress::printHeading() {
    if (!headingShown_) {
        headingShown_ = true;
        std::fprintf(out_, "%s %s\n", caption_.toLocal8Bit().constData(),
                     text_.toLocal8Bit().constData());
    }
}

void StderrProgress::drawLine() {
    QString line = caption_;
    if (!text_.isEmpty()) {
        line += ' ' + text_;
    }
    line += QString(" %1%").arg(percent_);
    line = line.left(terminalColumns(out_) - 1);
    // Blanks cover what a longer earlier line left behind.
    const qsizetype width = line.size();
    if (width < drawnWidth_) {
        line += QString(drawnWidth_ - width, ' ');
    }
    drawnWidth_ = width;
    std::fprintf(out_, "\r%s", line.toLocal8Bit().constData());
    std::fflush(out_);
    lineOpen_ = true;
}

void StderrProgress::endLine() {
    if (lineOpen_) {
        std::fputc('\n', out_);
        std::fflush(out_);
        lineOpen_ = false;
        drawnWidth_ = 0;
    }
}
