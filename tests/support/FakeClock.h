// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include "link/LinkClock.h"

// Virtual time: waits and sleeps return at once and move the clock on. A wait for bytes moves
// the clock millisecond by millisecond until the device has something queued.
class FakeClock : public LinkClock {
  public:
    qint64 nowMs() override { return now_; }
    void sleepMs(int ms) override;
    void waitForBytes(SerialDevice& device, int maxMs) override;

    void advance(qint64 ms) { now_ += ms; }
    // The bound of every wait for bytes, and every sleep, in call order.
    const QList<int>& waitBounds() const { return waitBounds_; }
    const QList<int>& sleeps() const { return sleeps_; }
    void clearRecords();

  private:
    qint64 now_ = 0;
    QList<int> waitBounds_;
    QList<int> sleeps_;
};
