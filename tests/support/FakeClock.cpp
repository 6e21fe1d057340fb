// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakeClock.h"

#include "link/SerialDevice.h"

void FakeClock::sleepMs(int ms) {
    sleeps_.append(ms);
    now_ += ms;
}

void FakeClock::waitForBytes(SerialDevice& device, int maxMs) {
    waitBounds_.append(maxMs);
    const qint64 end = now_ + maxMs;
    while (device.bytesQueued() == 0 && !device.hungUp() && now_ < end) {
        ++now_;
    }
}

void FakeClock::clearRecords() {
    waitBounds_.clear();
    sleeps_.clear();
}
