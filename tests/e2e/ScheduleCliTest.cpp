// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonDocument>
#include <QTemporaryDir>

#include "support/PhoneSimRunner.h"
#include "support/ProgramRun.h"

namespace {

class ScheduleCliTest : public ::testing::Test {
  protected:
    ScheduleCliTest() {
        state.schedule.clear();
        state.schedule[3] = {3, 1, 2001, 5, 14, 9, 30, 9, 25, "Budget, Q3"};
        state.schedule[17] = {4, 0, 2026, 12, 21, 0, 0, 0, 0, "Ann"};
    }

    void startPhone(const QStringList& extra = {}) {
        const QString stateFile = dir.filePath("phone.json");
        QFile file(stateFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QJsonDocument(state.toJson()).toJson());
        file.close();
        phone = std::make_unique<PhoneSimProcess>(DEXMORO_PHONESIM_PATH,
                                                  QStringList{"--state", stateFile} + extra);
        ASSERT_TRUE(phone->ok()) << phone->error().toStdString();
    }
    void stopPhone() { phone.reset(); }

    ProgramRun cli(const QStringList& arguments) {
        QStringList all{"--workdir", dir.path()};
        all << "--device" << (phone ? phone->slavePath() : dir.filePath("no-such-port"));
        return runProgram(DEXMORO_CLI_PATH, all + arguments);
    }

    PhoneSimState state = PhoneSimState::demo();
    QTemporaryDir dir;
    std::unique_ptr<PhoneSimProcess> phone;
};

const QString kListed =
    "3\t(M)Budget, Q3\t14-May-2001\t9:30\t9:25\n17\t(B)Ann\t21-Dec-2026\t0:00\t-\n";

}  // namespace

TEST_F(ScheduleCliTest, LoadFillsThePhoneTableOnly) {
    startPhone();
    const ProgramRun load = cli({"schedule", "load"});
    ASSERT_EQ(load.exitCode, 0) << load.err.toStdString();
    EXPECT_EQ(load.out, "schedule: 2 entries\n");
    EXPECT_TRUE(load.err.contains("Schedule Load")) << load.err.toStdString();

    EXPECT_EQ(cli({"schedule", "list"}).out, kListed);
    EXPECT_EQ(cli({"schedule", "list", "--table", "phone"}).out, kListed);
    const ProgramRun pc = cli({"schedule", "list", "--table", "pc"});
    EXPECT_EQ(pc.exitCode, 0);
    EXPECT_EQ(pc.out, "");
}

TEST_F(ScheduleCliTest, AddAndDeleteReachThePhoneAndBothTables) {
    startPhone();
    ASSERT_EQ(cli({"schedule", "load"}).exitCode, 0);

    const ProgramRun add = cli({"schedule", "add", "--type", "meeting", "--date", "2026-12-24",
                                "--time", "18:00", "--alarm", "30", "--text", "Gifts, wrap"});
    ASSERT_EQ(add.exitCode, 0) << add.err.toStdString();
    EXPECT_EQ(add.out, "stored: slot 0\n");
    EXPECT_EQ(cli({"schedule", "list"}).out,
              kListed + "0\t(M)Gifts, wrap\t24-Dec-2026\t18:00\t17:30\n");
    EXPECT_EQ(cli({"schedule", "list", "--table", "pc"}).out,
              "(M)Gifts, wrap\t24-Dec-2026\t18:00\t17:30\topen\n");
    // The phone holds it: a fresh load reads it back.
    EXPECT_EQ(cli({"schedule", "load"}).out, "schedule: 3 entries\n");
    EXPECT_EQ(cli({"schedule", "list"}).out,
              "0\t(M)Gifts, wrap\t24-Dec-2026\t18:00\t17:30\n" + kListed);

    const QStringList remove{"schedule", "delete", "--date", "2026-12-24",
                             "--hour",   "18",     "--text", "Gifts, wrap"};
    const ProgramRun declined = cli(remove);
    EXPECT_EQ(declined.exitCode, 1);
    EXPECT_TRUE(declined.err.contains("Do you delete Schedule?")) << declined.err.toStdString();
    EXPECT_EQ(cli({"schedule", "load"}).out, "schedule: 3 entries\n");

    const ProgramRun deleted = cli(QStringList{"--yes"} + remove);
    ASSERT_EQ(deleted.exitCode, 0) << deleted.err.toStdString();
    EXPECT_EQ(deleted.out, "deleted: slot 0\n");
    EXPECT_EQ(cli({"schedule", "list"}).out, kListed);
    EXPECT_EQ(cli({"schedule", "list", "--table", "pc"}).out, "");
    EXPECT_EQ(cli({"schedule", "load"}).out, "schedule: 2 entries\n");
    EXPECT_EQ(cli(QStringList{"--yes"} + remove).exitCode, 1);
}

TEST_F(ScheduleCliTest, WithoutAPhoneOnlyThePcTableChanges) {
    const ProgramRun load = cli({"schedule", "load"});
    EXPECT_EQ(load.exitCode, 1);
    const ProgramRun add = cli({"schedule", "add", "--type", "birthday", "--date", "2027-01-02",
                                "--time", "07:05", "--alarm", "none", "--text", "Ann"});
    ASSERT_EQ(add.exitCode, 0) << add.err.toStdString();
    EXPECT_EQ(add.out, "stored: pc only\n");
    EXPECT_EQ(cli({"schedule", "list", "--table", "pc"}).out,
              "(B)Ann\t2-Jan-2027\t7:05\t-\topen\n");
    EXPECT_EQ(cli({"schedule", "list"}).out, "");
    const ProgramRun deleted = cli(
        {"--yes", "schedule", "delete", "--date", "2027-01-02", "--hour", "7", "--text", "Ann"});
    EXPECT_EQ(deleted.exitCode, 0) << deleted.err.toStdString();
    EXPECT_EQ(deleted.out, "deleted: pc only\n");
}

TEST_F(ScheduleCliTest, BadInputIsAUsageErrorAndStoresNothing) {
    const QStringList base{"schedule", "add",        "--type", "reminder",
                           "--date",   "2026-12-24", "--time", "18:00"};
    const ProgramRun quoted = cli(base + QStringList{"--text", "say \"hi\""});
    EXPECT_EQ(quoted.exitCode, 2);
    EXPECT_TRUE(quoted.err.contains("double quote")) << quoted.err.toStdString();
    const ProgramRun empty = cli(base + QStringList{"--text", ""});
    EXPECT_EQ(empty.exitCode, 2);
    EXPECT_TRUE(empty.err.contains("You must input Reminder Contents!"));
    EXPECT_EQ(cli(base + QStringList{"--text", QString(29, 'x')}).exitCode, 2);
    EXPECT_EQ(cli({"schedule", "add", "--type", "call", "--date", "2026-12-24", "--time", "18:00",
                   "--text", "Joe"})
                  .exitCode,
              2);
    EXPECT_EQ(cli({"schedule", "add", "--type", "x", "--date", "2026-12-24", "--time", "18:00",
                   "--text", "a"})
                  .exitCode,
              2);
    EXPECT_EQ(cli({"schedule", "add", "--type", "reminder", "--date", "2038-01-01", "--time",
                   "18:00", "--text", "a"})
                  .exitCode,
              2);
    const ProgramRun impossible = cli({"schedule", "add", "--type", "reminder", "--date",
                                       "2026-02-30", "--time", "18:00", "--text", "a"});
    EXPECT_EQ(impossible.exitCode, 2);
    EXPECT_TRUE(impossible.err.contains("2026-02-30 is not a date"))
        << impossible.err.toStdString();
    EXPECT_EQ(cli({"schedule", "list", "--table", "x"}).exitCode, 2);
    EXPECT_EQ(cli({"schedule", "list", "--table", "pc"}).out, "");
}

TEST_F(ScheduleCliTest, APhoneLostDuringTheLoadKeepsTheTable) {
    startPhone();
    ASSERT_EQ(cli({"schedule", "load"}).exitCode, 0);
    stopPhone();
    state.schedule.clear();
    startPhone({"--drop-after", "25"});
    const ProgramRun load = cli({"schedule", "load"});
    EXPECT_EQ(load.exitCode, 1);
    EXPECT_EQ(load.out, "schedule: 2 entries\n");
    EXPECT_TRUE(load.err.contains("Detected off-line during the Schedule Loading!"))
        << load.err.toStdString();
    EXPECT_EQ(cli({"schedule", "list"}).out, kListed);
}
