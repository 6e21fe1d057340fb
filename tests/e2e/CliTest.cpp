// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli as a black box against the simulated phone.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/WorkDir.h"
#include "support/PhoneSimRunner.h"
#include "support/ProgramRun.h"
#include "support/TempWorkDir.h"

namespace {

using CliRun = ProgramRun;

CliRun runCli(const QStringList& arguments) {
    return runProgram(DEXMORO_CLI_PATH, arguments);
}

}  // namespace

TEST(Cli, IdentifyPrintsTheSevenLines) {
    PhoneSimState state = PhoneSimState::demo();
    state.sm.capacity = 120;
    state.featureMask = 14;
    PhoneSimRunner phone(state);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    const CliRun run = runCli({"--device", phone.slavePath(), "identify"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QString("phone: found\n"
                               "port: %1\n"
                               "sim phonebook capacity: 120\n"
                               "ms phonebook capacity: %2\n"
                               "sim message capacity: %3\n"
                               "broadcast message capacity: %4\n"
                               "feature mask: 14\n")
                           .arg(phone.slavePath())
                           .arg(state.me.capacity)
                           .arg(state.smMessages.capacity)
                           .arg(state.bmMessages.capacity));
}

TEST(Cli, IdentifyWithoutAPhoneExitsOne) {
    QTemporaryDir dir;
    const QString missing = dir.filePath("no-such-device");
    const CliRun run = runCli({"identify", "--device=" + missing});
    EXPECT_EQ(run.exitCode, 1);
    // Only what was found out: no capacities that no phone gave.
    EXPECT_EQ(run.out, "phone: not found\nport: " + missing + "\n");
}

TEST(Cli, WorksInTheWindowsDataFolderWithPathsFromTheCurrentFolder) {
    const QProcessEnvironment environment = privateHomeEnvironment();
    const QString dataHome = environment.value("XDG_DATA_HOME");
    qputenv("XDG_DATA_HOME", dataHome.toLocal8Bit());  // the folder the window would use
    const QDir data(defaultDataFolder());
    qunsetenv("XDG_DATA_HOME");
    QDir(data.path()).removeRecursively();
    TempWorkDir here;
    QFile cards(here.filePath("in.vcf"));
    ASSERT_TRUE(cards.open(QIODevice::WriteOnly));
    cards.write("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\nTEL:0123\r\nEND:VCARD\r\n");
    cards.close();
    const auto databaseFiles = [](const QDir& dir) {
        return dir.entryList({"*.mdb"}, QDir::Files);
    };

    ProgramRun run = runCli({"phonebook", "list", "--memory", "pc"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(databaseFiles(data).isEmpty());  // reading made no files

    run = runCli({"import", "--what", "phonebook", "--memory", "pc", "--file", "in.vcf"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(databaseFiles(data), QStringList{"phonebook.mdb"});
    EXPECT_TRUE(databaseFiles(QDir(here.path())).isEmpty());

    QTemporaryDir other;
    run = runCli({"--workdir", other.path(), "export", "--what", "phonebook", "--memory", "pc",
                  "--file", "out.vcf"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(here.filePath("out.vcf")));
    EXPECT_TRUE(QDir(other.path()).entryList(QDir::Files).isEmpty());

    run = runCli({"phonebook", "list", "--memory", "pc"});
    EXPECT_TRUE(run.out.contains("Ann")) << run.out.toStdString();
}

TEST(Cli, AtPrintsTheCodeAndTheAnswerWithVisibleLineEnds) {
    PhoneSimRunner phone;
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    CliRun run = runCli({"--device", phone.slavePath(), "at", "at+cpbs=\"me\""});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "code: 0\nat+cpbs=\"me\"\\r\\r\\nOK\\r\\n\n");

    run = runCli({"--device", phone.slavePath(), "at", "at+nosuchcommand\r"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "code: 1\nat+nosuchcommand\\r\\r\\nERROR\\r\\n\n");
}

TEST(Cli, ClosedPortPromptGoesToStderr) {
    QTemporaryDir dir;
    const CliRun run = runCli({"--device", dir.filePath("none"), "at", "at"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, "code: 0\n\n");
    EXPECT_TRUE(run.err.contains("Serial Port Init Failed!")) << run.err.toStdString();
}

TEST(Cli, UsageErrorsExitTwo) {
    for (const QStringList& arguments :
         {QStringList{}, QStringList{"frobnicate"}, QStringList{"--port", "x", "identify"},
          QStringList{"--bogus", "identify"}, QStringList{"at"}, QStringList{"at", "a", "b"},
          QStringList{"identify", "extra"}, QStringList{"--device"},
          QStringList{"--workdir", "/no/such/folder", "identify"}}) {
        const CliRun run = runCli(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("dexmoro-cli: ")) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
}

TEST(Cli, HelpNamesBothCommands) {
    const CliRun run = runCli({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const QString& line : run.out.split('\n')) {
        EXPECT_LE(line.size(), 80) << line.toStdString();
    }
    EXPECT_TRUE(run.out.contains("identify"));
    EXPECT_TRUE(run.out.contains("at 'COMMAND'"));
    EXPECT_TRUE(run.out.contains("--device PATH"));
}

TEST(Cli, ScaReadsAndSetsTheServiceCentre) {
    PhoneSimRunner phone;
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    CliRun run = runCli({"--device", phone.slavePath(), "sca"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, "+447785016005\n");
    run = runCli({"--device", phone.slavePath(), "sca", "+447700900222"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(phone.state().serviceCentre, "+447700900222");
    run = runCli({"--device", phone.slavePath(), "sca", "+44\";+cmgd=1"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(phone.state().serviceCentre, "+447700900222");
}
