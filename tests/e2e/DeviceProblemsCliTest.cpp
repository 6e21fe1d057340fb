// SPDX-License-Identifier: GPL-3.0-or-later
// The serial device errors Linux gives, each told on dexmoro-cli's stderr with the device named.

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QSerialPort>
#include <QStandardPaths>

#include "CliPhoneTest.h"

namespace {

using DeviceProblemsCliTest = CliPhoneTest;

TEST_F(DeviceProblemsCliTest, AMissingDeviceListsThoseThatExist) {
    const ProgramRun run = cli({"identify"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("There is no serial device " + dir.filePath("no-such-port")))
        << run.err.toStdString();
}

TEST_F(DeviceProblemsCliTest, ADeviceAnotherProgramHoldsIsBusyAndNamesTheProcess) {
    startPhone(PhoneSimState::demo());
    QSerialPort holder(phone->slavePath());
    ASSERT_TRUE(holder.open(QIODevice::ReadWrite)) << holder.errorString().toStdString();
    const ProgramRun run = cli({"identify"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("The serial device " + phone->slavePath() + " is busy") &&
                run.err.contains(QStringLiteral("process %1").arg(::getpid())))
        << run.err.toStdString();
}

TEST_F(DeviceProblemsCliTest, PermissionDeniedNamesTheGroupToJoin) {
    // Root opens any file, so the program runs as nobody on a device of root's dialout group.
    const QString setpriv = QStandardPaths::findExecutable("setpriv");
    const QString device = dir.filePath("ttyUSB9");
    QFile file(device);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    ASSERT_EQ(::chown(QFile::encodeName(device).constData(), 0, 20), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(device).constData(), 0660), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0777), 0);
    const QStringList asNobody = {"--reuid=65534", "--regid=65534", "--clear-groups",
                                  DEXMORO_CLI_PATH};
    if (::geteuid() != 0 || setpriv.isEmpty() ||
        runProgram(setpriv, asNobody + QStringList{"--version"}).exitCode != 0) {
        GTEST_SKIP() << "needs root and setpriv to run the program as another user";
    }
    const ProgramRun run = runProgram(
        setpriv, asNobody + QStringList{"--workdir", dir.path(), "--device", device, "identify"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Permission denied on the serial device " + device) &&
                run.err.contains("sudo usermod -aG dialout $USER"))
        << run.err.toStdString();
}

TEST_F(DeviceProblemsCliTest, ADeviceThatVanishesMidLoadEndsTheLoadAsALostPhone) {
    PhoneSimOptions options;
    options.dropAfterCommands = 12;  // the connection takes eight, the SIM's reads follow
    startPhone(PhoneSimState::demo(), options);
    const ProgramRun run = cli({"phonebook", "load"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("Detected off-line during the PhoneBook Loading!") &&
                run.err.contains("The serial device " + phone->slavePath() + " was disconnected."))
        << run.err.toStdString();
}

}  // namespace
