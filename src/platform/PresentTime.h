// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>

// The present local time as the program's date rules see it (alarms, past entries, default
// dates). Tests set it; without a set time it is the system clock.
QDateTime presentTime();
// An invalid time goes back to the system clock.
void setPresentTime(const QDateTime& time);

// Sets the present time for its lifetime and restores the previous setting afterwards.
class ScopedPresentTime {
  public:
    explicit ScopedPresentTime(const QDateTime& time);
    ~ScopedPresentTime();
    ScopedPresentTime(const ScopedPresentTime&) = delete;
    ScopedPresentTime& operator=(const ScopedPresentTime&) = delete;

  private:
    QDateTime previous_;
};
