// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <algorithm>

#include "link/LinkClock.h"
#include "link/SerialDevice.h"

namespace {

// Short enough that the window repaints smoothly while the phone thinks.
constexpr int kSliceMs = 10;

void letPaintAndTimersThrough() {
    if (QCoreApplication::instance() != nullptr) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

class RealLinkClock : public LinkClock {
  public:
    RealLinkClock() { timer_.start(); }

    qint64 nowMs() override { return timer_.elapsed(); }

    void sleepMs(int ms) override {
        const qint64 end = timer_.elapsed() + ms;
        for (qint64 left = ms; left > 0; left = end - timer_.elapsed()) {
            QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, kSliceMs)));
            letPaintAndTimersThrough();
        }
    }

    void waitForBytes(SerialDevice& device, int maxMs) override {
        const qint64 end = timer_.elapsed() + maxMs;
        for (;;) {
            if (device.bytesQueued() > 0 || device.hungUp()) {
                return;
            }
            const qint64 left = end - timer_.elapsed();
            if (left <= 0) {
                return;
            }
            device.waitForBytes(static_cast<int>(std::min<qint64>(left, kSliceMs)));
            letPaintAndTimersThrough();
        }
    }

  private:
    QElapsedTimer timer_;
};

}  // namespace

LinkClock& realLinkClock() {
    static RealLinkClock clock;
    return clock;
}
