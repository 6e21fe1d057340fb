// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSerialPort>

#include "link/SerialDevice.h"

// A real serial line in blocking style (no event loop needed). On a pseudo-terminal the modem
// lines do not exist; setting DTR there fails harmlessly.
class QSerialPortDevice : public SerialDevice {
  public:
    QSerialPortDevice();
    ~QSerialPortDevice() override;

    bool open(const QString& path) override;
    bool applySettings(const SerialSettings& settings) override;
    void close() override;
    void setDtr(bool high) override;
    qint64 write(const QByteArray& bytes) override;
    qint64 bytesQueued() override;
    QByteArray read(qint64 maxBytes) override;
    bool waitForBytes(int maxMs) override;
    bool hungUp() const override;
    QString openProblem() const override;
    bool vanished() const override;

  private:
    QSerialPort port_;
    bool hungUp_ = false;
    QString openProblem_;
    QString path_;
};
