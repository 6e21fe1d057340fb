// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

#include "link/SerialDevice.h"
#include "link/Transact.h"
#include "platform/NoticeOutlet.h"

class LinkClock;

// The one connection to the phone: a serial line opened with fixed settings, read by polling
// what is queued, and the AT transaction on top of it.
//
// Transactions do not nest. A transaction started while another one runs on the same thread
// (from a timer whose event a wait let through) is refused with code 1 and writes nothing, so
// two commands never interleave on the wire.
class SerialPort {
  public:
    // device: null for a real serial line; clock: null for the wall clock.
    SerialPort(quint8 portNumber, quint32 baudRate, quint8 dataBits, quint8 parity, quint8 stopBits,
               quint8 flowControl, std::unique_ptr<SerialDevice> device = {},
               LinkClock* clock = nullptr);
    virtual ~SerialPort();
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    void SetParameters(quint8 portNumber, quint32 baudRate, quint8 dataBits, quint8 parity,
                       quint8 stopBits, quint8 flowControl);
    // A device path that replaces the one the port number names (the --device option, or a
    // pseudo-terminal). Empty: the port number decides, and only 0 to 9 can be opened.
    void setDevicePath(const QString& path) { devicePath = path; }
    // The path Open uses.
    QString deviceName() const;

    int Open();
    bool ApplyParameters();
    int Close();
    // What is queued, at most maxBytes; never waits.
    QByteArray ReadQueued(int maxBytes);

    // Sends one command line (the caller supplies the final carriage return) and collects the
    // answer; returns a TransactCode. The answer holds everything read, the echo included.
    int Transact(const QByteArray& command, QByteArray& answer, PollRate rate = PollRate::Normal);
    int SendExpectOk(const QByteArray& command, PollRate rate = PollRate::Normal);

    // True once the phone hung up; every later transaction ends at once.
    bool lost() const { return lost_; }
    // Why the last Open failed, when the device could tell (DeviceProblems.h).
    QString openProblem() const { return device_->openProblem(); }
    // The line was lost because the device itself went away.
    bool vanished() const { return lost_ && device_->vanished(); }

    // The port's notices (a transaction on a closed port), for its owner to report.
    NoticeOutlet& notices() { return notices_; }

    // Fields, as the rest of the program knows them.
    quint8 portNumber;
    int open = 0;
    quint8 dataBits;
    quint8 flowControl;
    quint8 parity;
    quint8 stopBits;
    quint32 baudRate;
    QString devicePath;

  private:
    int poll(const QByteArray& command, QByteArray& answer, PollRate rate);

    std::unique_ptr<SerialDevice> device_;
    LinkClock* clock_;
    bool busy_ = false;
    bool lost_ = false;
    NoticeOutlet notices_;
};

// What the user is told when a transaction is asked of a port that is not open.
Notice portClosedNotice();
