// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PresentTime.h"

namespace {
QDateTime& setTime() {
    static QDateTime time;
    return time;
}
}  // namespace

QDateTime presentTime() {
    return setTime().isValid() ? setTime() : QDateTime::currentDateTime();
}

void setPresentTime(const QDateTime& time) {
    setTime() = time;
}

ScopedPresentTime::ScopedPresentTime(const QDateTime& time) : previous_(setTime()) {
    setPresentTime(time);
}

ScopedPresentTime::~ScopedPresentTime() {
    setPresentTime(previous_);
}
