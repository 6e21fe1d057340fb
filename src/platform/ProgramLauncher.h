// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Starts another program and waits for it to end. The window keeps repainting meanwhile but
// takes no input, as during a phone transaction.
class ProgramLauncher {
  public:
    virtual ~ProgramLauncher() = default;
    // False when the program could not be started; otherwise returns once it has ended.
    virtual bool startAndWait(const QString& path) = 0;
};

// Starts the program as a process of its own (no arguments).
class ProcessLauncher : public ProgramLauncher {
  public:
    bool startAndWait(const QString& path) override;
};
