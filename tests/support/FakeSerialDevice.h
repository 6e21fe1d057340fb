// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>

#include "link/SerialDevice.h"

class FakeClock;

// Bytes the fake phone sends, delayMs after the write that caused them (or after the call
// that scheduled them). A chunk with hangUp set ends the line instead.
struct FakeChunk {
    qint64 delayMs = 0;
    QByteArray bytes;
    bool hangUp = false;
};

// An in-memory serial line on virtual time. What the host writes goes to the responder, whose
// chunks become readable when the clock reaches them.
class FakeSerialDevice : public SerialDevice {
  public:
    using Responder = std::function<QList<FakeChunk>(const QByteArray& written)>;

    explicit FakeSerialDevice(FakeClock& clock);

    void setResponder(Responder responder) { responder_ = std::move(responder); }
    // Schedules bytes (or a hang-up) relative to the clock's present.
    void arrive(qint64 delayMs, const QByteArray& bytes);
    void hangUpAfter(qint64 delayMs);

    void setOpenFails(bool fails) { openFails_ = fails; }
    void setApplyFails(bool fails) { applyFails_ = fails; }
    void setWriteFails(bool fails) { writeFails_ = fails; }

    const QList<QByteArray>& writes() const { return writes_; }
    QString openedPath() const { return openedPath_; }
    int openCount() const { return openCount_; }
    bool isOpen() const { return open_; }
    bool dtr() const { return dtr_; }
    const QList<qint64>& readSizes() const { return readSizes_; }
    bool appliedSettings(SerialSettings* settings) const;

    bool open(const QString& path) override;
    bool applySettings(const SerialSettings& settings) override;
    void close() override;
    void setDtr(bool high) override { dtr_ = high && open_; }
    qint64 write(const QByteArray& bytes) override;
    qint64 bytesQueued() override;
    QByteArray read(qint64 maxBytes) override;
    bool waitForBytes(int maxMs) override;
    bool hungUp() const override { return hungUp_; }

  private:
    struct Scheduled {
        qint64 dueMs;
        QByteArray bytes;
        bool hangUp;
    };
    void schedule(const FakeChunk& chunk);
    void releaseDue();

    FakeClock& clock_;
    Responder responder_;
    QList<Scheduled> scheduled_;
    QByteArray queue_;
    QList<QByteArray> writes_;
    QList<qint64> readSizes_;
    QString openedPath_;
    SerialSettings settings_;
    bool settingsApplied_ = false;
    int openCount_ = 0;
    bool open_ = false;
    bool dtr_ = false;
    bool hungUp_ = false;
    bool openFails_ = false;
    bool applyFails_ = false;
    bool writeFails_ = false;
};
