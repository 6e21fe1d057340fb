// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/FakeSerialDevice.h"

#include "support/FakeClock.h"

FakeSerialDevice::FakeSerialDevice(FakeClock& clock) : clock_(clock) {}

void FakeSerialDevice::arrive(qint64 delayMs, const QByteArray& bytes) {
    schedule({delayMs, bytes, false});
}

void FakeSerialDevice::hangUpAfter(qint64 delayMs) {
    schedule({delayMs, {}, true});
}

bool FakeSerialDevice::appliedSettings(SerialSettings* settings) const {
    *settings = settings_;
    return settingsApplied_;
}

bool FakeSerialDevice::open(const QString& path) {
    openedPath_ = path;
    ++openCount_;
    if (openFails_) {
        return false;
    }
    open_ = true;
    return true;
}

bool FakeSerialDevice::applySettings(const SerialSettings& settings) {
    if (applyFails_ || !open_) {
        return false;
    }
    settings_ = settings;
    settingsApplied_ = true;
    return true;
}

void FakeSerialDevice::close() {
    open_ = false;
    dtr_ = false;
}

qint64 FakeSerialDevice::write(const QByteArray& bytes) {
    if (!open_ || writeFails_) {
        return -1;
    }
    writes_.append(bytes);
    if (responder_) {
        for (const FakeChunk& chunk : responder_(bytes)) {
            schedule(chunk);
        }
    }
    return bytes.size();
}

qint64 FakeSerialDevice::bytesQueued() {
    releaseDue();
    return queue_.size();
}

QByteArray FakeSerialDevice::read(qint64 maxBytes) {
    releaseDue();
    const QByteArray out = queue_.left(maxBytes);
    queue_.remove(0, out.size());
    readSizes_.append(out.size());
    return out;
}

bool FakeSerialDevice::waitForBytes(int maxMs) {
    const qint64 end = clock_.nowMs() + maxMs;
    while (bytesQueued() == 0 && !hungUp_ && clock_.nowMs() < end) {
        clock_.advance(1);
    }
    return bytesQueued() > 0;
}

void FakeSerialDevice::schedule(const FakeChunk& chunk) {
    const qint64 due = clock_.nowMs() + chunk.delayMs;
    qsizetype at = scheduled_.size();
    while (at > 0 && scheduled_[at - 1].dueMs > due) {
        --at;
    }
    scheduled_.insert(at, {due, chunk.bytes, chunk.hangUp});
}

void FakeSerialDevice::releaseDue() {
    while (!scheduled_.isEmpty() && !hungUp_ && scheduled_.first().dueMs <= clock_.nowMs()) {
        const Scheduled next = scheduled_.takeFirst();
        if (next.hangUp) {
            hungUp_ = true;
        } else {
            queue_ += next.bytes;
        }
    }
}
