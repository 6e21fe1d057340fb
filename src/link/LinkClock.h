// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

class SerialDevice;

// Time as the transaction sees it. The real clock waits on the device in short slices and lets
// paint and timer events through meanwhile; a fake clock in tests advances virtual time at once.
class LinkClock {
  public:
    virtual ~LinkClock() = default;
    virtual qint64 nowMs() = 0;
    virtual void sleepMs(int ms) = 0;
    // Ends as soon as the device has bytes queued or has hung up, at the latest after maxMs.
    virtual void waitForBytes(SerialDevice& device, int maxMs) = 0;
};

// The wall clock; processes events (no user input) while it waits when an application object
// exists.
LinkClock& realLinkClock();
