// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QTextStream>
#include <memory>

#include "phone/PhoneSettings.h"

class PhoneLink;

// What every sub-command group gets from the global options.
class CliContext {
  public:
    CliContext();

    QString devicePath;   // --device PATH; empty: the port number decides
    int portNumber = -1;  // --port N; negative: the profile's "CONFIG"/"PORT"
    QString workDir;      // --workdir DIR, else the window's data folder; the process works there
    bool answerYes = false;          // --yes / --no: the answer to every question
    PhoneSettingsOverride settings;  // --charset and the like: this run's choices

    QTextStream& out() { return out_; }
    QTextStream& err() { return err_; }

    // Connects to the phone as the program does at start-up (identification and capacities
    // included); check phoneFound before phone work.
    std::unique_ptr<PhoneLink> connectPhone() const;
    // The port number a connection would use (--port, else the profile's).
    int resolvedPortNumber() const;

    // Prints "dexmoro-cli: <message>" and a hint to stderr; returns the usage exit code 2.
    int usageError(const QString& message);

  private:
    QTextStream out_;
    QTextStream err_;
};

// A connection made on first use and kept while this lives, for command groups where only some
// actions need the phone.
class LazyPhone {
  public:
    explicit LazyPhone(const CliContext& context);
    ~LazyPhone();
    PhoneLink& operator()();

  private:
    const CliContext& context_;
    std::unique_ptr<PhoneLink> link_;
};
