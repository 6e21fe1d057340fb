// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include "support/PhoneSimRunner.h"
#include "support/ProgramRun.h"

namespace {

using CliRun = ProgramRun;

class PhonebookCliTest : public ::testing::Test {
  protected:
    void startPhone(const PhoneSimState& state) {
        const QString stateFile = dir.filePath("phone.json");
        QFile file(stateFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(state.toJson()).toJson());
        file.close();
        phone = std::make_unique<PhoneSimProcess>(DEXMORO_PHONESIM_PATH,
                                                  QStringList{"--state", stateFile});
        ASSERT_TRUE(phone->ok()) << phone->error().toStdString();
    }

    CliRun cli(const QStringList& arguments) {
        QStringList all{"--workdir", dir.path()};
        if (phone) {
            all << "--device" << phone->slavePath();
        } else {
            all << "--device" << dir.filePath("no-such-port");
        }
        return runProgram(DEXMORO_CLI_PATH, all + arguments);
    }

    QTemporaryDir dir;
    std::unique_ptr<PhoneSimProcess> phone;
};

TEST_F(PhonebookCliTest, LoadThenListShowsThePhonesEntries) {
    PhoneSimState state;
    state.sm = PhoneSimPhonebook{12, {}};
    state.me = PhoneSimPhonebook{8, {}};
    state.sm.entries[2] = PhoneSimPhonebookEntry{"+4411", 145, "Anna"};
    state.sm.entries[10] = PhoneSimPhonebookEntry{"+*31#55", 145, "O'Brien"};
    state.me.entries[1] = PhoneSimPhonebookEntry{"123", 129, "Bert"};
    startPhone(state);

    const CliRun load = cli({"phonebook", "load"});
    ASSERT_EQ(load.exitCode, 0) << load.err.toStdString();
    EXPECT_EQ(load.out, "sim: 2 entries\nms: 1 entries\n");
    EXPECT_TRUE(load.err.contains("Phone Book SIM Load")) << load.err.toStdString();

    const CliRun sim = cli({"phonebook", "list", "--memory", "sim", "--sort", "name"});
    ASSERT_EQ(sim.exitCode, 0) << sim.err.toStdString();
    EXPECT_EQ(sim.out, "2\tAnna\t+4411\n10\tO'Brien\t*31#+55\nTOTAL : 2 / 12\n");

    const CliRun filtered = cli({"phonebook", "list", "--memory", "sim", "--name", "o'b"});
    EXPECT_EQ(filtered.out, "10\tO'Brien\t*31#+55\nTOTAL : 1 / 12\n");

    const CliRun ms = cli({"phonebook", "list", "--memory", "ms"});
    EXPECT_EQ(ms.out, "1\tBert\t123\nTOTAL : 1 / 8\n");
}

TEST_F(PhonebookCliTest, ChangesReachThePhoneAndComeBackAfterDelete) {
    PhoneSimState state;
    state.sm = PhoneSimPhonebook{5, {}};
    state.me = PhoneSimPhonebook{5, {}};
    state.sm.entries[1] = PhoneSimPhonebookEntry{"111", 129, "One"};
    startPhone(state);
    ASSERT_EQ(cli({"phonebook", "load"}).exitCode, 0);

    EXPECT_EQ(
        cli({"phonebook", "add", "--memory", "sim", "--name", "Two", "--number", "+222"}).exitCode,
        0);
    const CliRun taken = cli(
        {"phonebook", "add", "--memory", "sim", "--index", "1", "--name", "X", "--number", "9"});
    EXPECT_NE(taken.exitCode, 0);
    EXPECT_TRUE(taken.err.contains("Number (1) is exist.")) << taken.err.toStdString();
    EXPECT_EQ(cli({"phonebook", "delete", "--memory", "sim", "--index", "1"}).exitCode, 0);
    EXPECT_EQ(cli({"phonebook", "load"}).out, "sim: 1 entries\nms: 0 entries\n");
    EXPECT_EQ(cli({"phonebook", "restore", "--memory", "sim"}).exitCode, 0);
    EXPECT_EQ(cli({"phonebook", "load"}).out, "sim: 2 entries\nms: 0 entries\n");
    EXPECT_EQ(cli({"phonebook", "list", "--memory", "sim"}).out,
              "1\tOne\t111\n2\tTwo\t+222\nTOTAL : 2 / 5\n");
}

}  // namespace

// The command line refuses what the entry dialog refuses, with its message, before anything is
// stored; what the dialog takes is stored.
TEST_F(PhonebookCliTest, AddAndEditApplyTheEntryDialogsRules) {
    const QString longName(48, 'N');
    struct Case {
        QStringList arguments;
        QString message;  // empty: accepted
    };
    const QList<Case> cases = {
        {{"add", "--memory", "sim", "--name", longName, "--number", "123"},
         "You must input name within 14 characters"},
        {{"add", "--memory", "sim", "--name", "Ann", "--number", ""},
         "You must input number field"},
        {{"add", "--memory", "ms", "--name", "", "--number", "123"}, "You must input name field"},
        {{"add", "--memory", "pc", "--name", "Ann", "--number", QString(21, '1')},
         "You must input main number within 20 digit"},
        {{"add", "--memory", "ms", "--name", "Ann", "--number", "1/" + QString(21, '2')},
         "You must input extension number within 20 digit"},
        {{"add", "--memory", "sim", "--index", "301", "--name", "Ann", "--number", "1"},
         "PhoneBook number is out of range."},
        {{"edit", "--memory", "pc", "--index", "1", "--name", QString(15, 'E'), "--number", "1"},
         "You must input name within 14 characters"},
        {{"add", "--memory", "sim", "--name", QString(14, 'S'), "--number", "+" + QString(20, '1')},
         ""},
    };
    for (const Case& c : cases) {
        const CliRun run = cli(QStringList{"phonebook"} + c.arguments);
        const QString shown = c.arguments.join(' ');
        if (c.message.isEmpty()) {
            EXPECT_EQ(run.exitCode, 0) << shown.toStdString() << run.err.toStdString();
            continue;
        }
        EXPECT_EQ(run.exitCode, 2) << shown.toStdString();
        // An index is checked against the capacity of the phone tried first (none answers here).
        EXPECT_TRUE(run.err.endsWith("dexmoro-cli phonebook: " + c.message + "\n"))
            << shown.toStdString() << run.err.toStdString();
    }
    const CliRun sim = cli({"phonebook", "list", "--memory", "sim"});
    EXPECT_EQ(sim.out, "1\tSSSSSSSSSSSSSS\t+" + QString(20, '1') + "\nTOTAL : 1 / 300\n");
    EXPECT_EQ(cli({"phonebook", "list", "--memory", "pc"}).out, "TOTAL : 0\n");
}
