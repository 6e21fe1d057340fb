// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "phone/PhoneSettings.h"

#include <QString>

#include <memory>
#include <optional>

class PhoneSimServer;
struct PhoneSimState;

// The built-in simulated phone of the demo: served on a pseudo-terminal from its own thread,
// with a working directory and a profile of its own so the user's data stay untouched. The
// phone keeps its state in the demo folder across runs, like a real phone keeps its memory.
class DemoPhone {
  public:
    // workDir: the demo folder; by default the one under the user's application data.
    explicit DemoPhone(QString workDir = defaultWorkDir());
    ~DemoPhone();
    DemoPhone(const DemoPhone&) = delete;
    DemoPhone& operator=(const DemoPhone&) = delete;

    // Makes the demo folder the working directory and the profile's home, starts the phone
    // from its saved state (the demo data the first time) and points the link at it. False
    // with a reason when any step fails; notice tells of a saved state that could not be read
    // and was set aside.
    // phoneType: the run's choice; unset, the demo profile's. Under the standard type the phone
    // is one of another maker answering the standard commands alone.
    bool start(QString* error, QString* notice = nullptr,
               std::optional<PhoneProfile> phoneType = std::nullopt);
    // Saves the phone's state into the demo folder and stops it; nothing once stopped.
    bool stop(QString* error = nullptr);
    // Puts the demo data back as shipped: forgets the phone's saved state and the demo's
    // database files. Only before start.
    bool reset(QString* error);

    QString workDir() const { return workDir_; }
    QString statePath() const;
    QString devicePath() const;
    PhoneSimState phoneState() const;

    // The demo folder: under the user's application data, else the temporary folder.
    static QString defaultWorkDir();

  private:
    std::unique_ptr<PhoneSimServer> server_;
    QString workDir_;
};
