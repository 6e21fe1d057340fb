// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "support/PhoneSimRunner.h"
#include "support/ProgramRun.h"

// A working folder, a simulated phone started when a test asks for one, and dexmoro-cli run
// against it (against a port that does not exist while no phone runs).
class CliPhoneTest : public ::testing::Test {
  protected:
    void startPhone(PhoneSimState state, const PhoneSimOptions& options = {}) {
        phone = std::make_unique<PhoneSimRunner>(std::move(state), options);
        ASSERT_TRUE(phone->ok()) << phone->error().toStdString();
    }

    ProgramRun cli(const QStringList& arguments) {
        const QString device = phone ? phone->slavePath() : dir.filePath("no-such-port");
        return runProgram(DEXMORO_CLI_PATH,
                          QStringList{"--workdir", dir.path(), "--device", device} + arguments);
    }

    QTemporaryDir dir;
    std::unique_ptr<PhoneSimRunner> phone;
};
