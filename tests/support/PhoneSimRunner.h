// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <memory>

#include "phonesim/PhoneSimServer.h"

// Runs the simulated phone in this process for the life of the object.
class PhoneSimRunner {
  public:
    explicit PhoneSimRunner(PhoneSimState state = PhoneSimState::demo(),
                            PhoneSimOptions options = {});
    bool ok() const { return started_; }
    QString error() const { return error_; }
    QString slavePath() const { return server_->slavePath(); }
    PhoneSimServer& server() { return *server_; }
    PhoneSimState state() const { return server_->stateSnapshot(); }

  private:
    std::unique_ptr<PhoneSimServer> server_;
    bool started_ = false;
    QString error_;
};

// Runs the dexmoro-phonesim program for the life of the object and reads the slave path from
// its first line of output.
class PhoneSimProcess {
  public:
    PhoneSimProcess(const QString& programPath, const QStringList& arguments = {},
                    int startTimeoutMs = 10000);
    ~PhoneSimProcess();
    bool ok() const { return !slavePath_.isEmpty(); }
    QString slavePath() const { return slavePath_; }
    QString error() const { return error_; }
    QProcess& process() { return process_; }
    // Asks the program to end (SIGTERM) and waits; returns its exit code or -1.
    int stop(int timeoutMs = 10000);

  private:
    QProcess process_;
    QString slavePath_;
    QString error_;
};
