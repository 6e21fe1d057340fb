// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

#include "phonesim/PhoneSimState.h"

struct PhoneSimOptions {
    int baud = 0;        // line pacing, 10 bits a byte; 0 = none
    int latencyMs = 0;   // extra delay before every answer
    int chunkBytes = 0;  // > 0: answers go out in chunks of this size with a short gap
    int chunkGapMs = 20;
    bool lineByLine = false;  // chunks also end at every line feed
    bool silent = false;      // never answers
    QString linkPath;         // symlink to the slave
    QString transcriptPath;
    QString errorPattern;        // commands holding this fail
    int cmeError = -1;           // >= 0: they answer "+CME ERROR: <n>" instead of ERROR
    int cmsError = -1;           // >= 0: they answer "+CMS ERROR: <n>" instead of ERROR
    int dropAfterCommands = -1;  // >= 0: hangs up when the command after this many arrives
    bool garbage = false;        // noise bytes before every answer
    bool noList = false;         // refuses "+CMGL" and ranged "+CPBR" reads
};

// The phone on a pseudo-terminal, served from a thread of its own so that a host in the same
// process that blocks in a transaction is still answered.
class PhoneSimServer {
  public:
    PhoneSimServer(PhoneSimState state, PhoneSimOptions options = {});
    ~PhoneSimServer();
    PhoneSimServer(const PhoneSimServer&) = delete;
    PhoneSimServer& operator=(const PhoneSimServer&) = delete;

    bool start(QString* error = nullptr);
    void stop();
    QString slavePath() const;
    // False once stopped or after the phone hung up.
    bool isServing() const;
    PhoneSimState stateSnapshot() const;
    int commandCount() const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
