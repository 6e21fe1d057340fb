#include "StderrProgress.h"

#include <cstdio>

StderrProgress::StderrProgress() : previous_(&currentProgress()) {
    setCurrentProgress(this);
}

StderrProgress::~StderrProgress() {
    setCurrentProgress(previous_);
}

void StderrProgress::show(const QString& caption, const QString& text) {
    if (caption != caption_ || text != text_) {
        headingShown_ = false;
    }
    caption_ = caption;
    text_ = text;
    printHeading();
}

void StderrProgress::setCaption(const QString& caption) {
    if (caption != caption_) {
        caption_ = caption;
        headingShown_ = false;
        printHeading();
    }
}

void StderrProgress::setText(const QString& text) {
    if (text != text_) {
        text_ = text;
        headingShown_ = false;
        printHeading();
    }
}

void StderrProgress::setValue(int value) {
    const int step = qBound(0, value, 100) / 10;
    if (step != lastStep_) {
        lastStep_ = step;
        std::fprintf(stderr, "%s: %d%%\n", caption_.toLocal8Bit().constData(), step * 10);
    }
}

void StderrProgress::destroy() {
    headingShown_ = false;
    lastStep_ = -1;
    caption_.clear();
    text_.clear();
}

void StderrProgress::printHeading() {
    if (!headingShown_) {
        headingShown_ = true;
        std::fprintf(stderr, "%s %s\n", caption_.toLocal8Bit().constData(),
                     text_.toLocal8Bit().constData());
    }
}
