// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <functional>

#include "phonesim/PhoneSimCommandTable.h"
#include "phonesim/PhoneSimState.h"

// Faults that are pure answer logic (the server adds those that need the line: silence,
// hang-up, pacing).
struct PhoneSimFaults {
    QByteArray errorPattern;  // commands holding this (case-insensitive) fail
    int cmeError = -1;        // >= 0: failing commands answer "+CME ERROR: <n>" instead of ERROR
    bool garbage = false;     // a few noise bytes before every answer
    int cmsError = -1;        // >= 0 (and no cmeError): failing commands answer "+CMS ERROR: <n>"
    bool noList = false;      // refuses the whole-list reads: "+CMGL" and a ranged "+CPBR"
};

// One command line the phone took in and everything it sent back for it.
struct PhoneSimExchange {
    QByteArray command;  // as received, terminator included
    QByteArray reply;    // echo + answer
};

// The phone's answering logic: no I/O, no timing. Bytes go in, replies come out.
class PhoneSimEngine {
  public:
    explicit PhoneSimEngine(PhoneSimState state = PhoneSimState::demo());

    // Takes bytes from the host; returns what the phone sends back for every command line that
    // became complete (echo + answer), in order.
    QByteArray feed(const QByteArray& bytesFromHost);
    // The same, one entry per completed command line.
    QList<PhoneSimExchange> feedExchanges(const QByteArray& bytesFromHost);

    // Step by step, for a caller that acts between commands (the server hangs up before a
    // command is carried out): receive() buffers, processNext() answers the oldest complete
    // command line or message text.
    void receive(const QByteArray& bytesFromHost);
    bool hasComplete() const;
    // True when the next complete unit is a command line (not message text).
    bool nextIsCommand() const { return hasComplete() && !textEntry_; }
    PhoneSimExchange processNext();

    PhoneSimState& state() { return state_; }
    const PhoneSimState& state() const { return state_; }
    void setFaults(const PhoneSimFaults& faults) { faults_ = faults; }
    const PhoneSimFaults& faults() const { return faults_; }
    int commandCount() const { return commandCount_; }
    // True while a message text is being typed (ended by Ctrl-Z, cancelled by ESC).
    bool inTextEntry() const { return static_cast<bool>(textEntry_); }

  private:
    void dropBlankLines();
    QByteArray handleLine(const QByteArray& line);

    PhoneSimState state_;
    PhoneSimFaults faults_;
    PhoneSimCommandTable table_;
    QByteArray pending_;
    PhoneSimTextEntry textEntry_;
    int commandCount_ = 0;
};
