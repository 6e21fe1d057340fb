// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "platform/ProgramLauncher.h"

TEST(ProcessLauncher, ReturnsOnlyOnceTheProgramHasEnded) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString script = dir.filePath("program");
    const QString marker = dir.filePath("ended");
    QFile file(script);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QString("#!/bin/sh\nsleep 0.3\ntouch '%1'\n").arg(marker).toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    ProcessLauncher launcher;
    EXPECT_TRUE(launcher.startAndWait(script));
    EXPECT_TRUE(QFile::exists(marker));
}

TEST(ProcessLauncher, AProgramThatCannotStartIsReported) {
    ProcessLauncher launcher;
    EXPECT_FALSE(launcher.startAndWait("/nonexistent/program"));
    EXPECT_FALSE(launcher.startAndWait(""));
}
