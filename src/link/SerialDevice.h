// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Line settings with the codes the program has always used: parity 0 none, 1 odd, 2 even,
// 3 mark, 4 space; stop bits 0 one, 1 one and a half, 2 two; flow control bits 1 DTR/DSR,
// 2 RTS/CTS, 4 XON/XOFF.
struct SerialSettings {
    quint32 baudRate = 38400;
    quint8 dataBits = 8;
    quint8 parity = 0;
    quint8 stopBits = 0;
    quint8 flowControl = 0;
};

// The device under a SerialPort: a real serial line (QSerialPortDevice) or, in tests, an
// in-memory fake. Every call returns promptly; only waitForBytes blocks, and never longer
// than it is told.
class SerialDevice {
  public:
    virtual ~SerialDevice() = default;

    virtual bool open(const QString& path) = 0;
    virtual bool applySettings(const SerialSettings& settings) = 0;
    virtual void close() = 0;
    // Best effort: a pseudo-terminal has no modem lines.
    virtual void setDtr(bool high) = 0;

    // Bytes handed to the line, or -1 when the write failed outright.
    virtual qint64 write(const QByteArray& bytes) = 0;
    virtual qint64 bytesQueued() = 0;
    virtual QByteArray read(qint64 maxBytes) = 0;
    // Returns as soon as bytes are queued (true) or after maxMs without any (false).
    virtual bool waitForBytes(int maxMs) = 0;
    // The other end went away (a hang-up); nothing more will arrive.
    virtual bool hungUp() const = 0;
    // After a failed open: why, in words the user can act on; empty when not known.
    virtual QString openProblem() const { return {}; }
    // After a hang-up: whether the device itself is gone (unplugged), not just the phone.
    virtual bool vanished() const { return false; }
};
