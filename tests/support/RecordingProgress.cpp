// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/RecordingProgress.h"

RecordingProgress::RecordingProgress() : previous_(&currentProgress()) {
    setCurrentProgress(this);
}

RecordingProgress::~RecordingProgress() {
    setCurrentProgress(previous_);
}

void RecordingProgress::show(const QString& caption, const QString& text) {
    visible = true;
    calls << "show " + caption + "|" + text;
}

void RecordingProgress::setCaption(const QString& caption) {
    calls << "caption " + caption;
}

void RecordingProgress::setText(const QString& text) {
    calls << "text " + text;
}

void RecordingProgress::setValue(int value) {
    lastValue = value;
    calls << QString("value %1").arg(value);
}

void RecordingProgress::destroy() {
    visible = false;
    calls << "destroy";
}
