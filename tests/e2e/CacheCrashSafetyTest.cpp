// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli killed with SIGKILL at random moments of its loads and writes, against a phone
// slow enough that the kills land inside the work: every database file must stay sound and
// every table hold either what it held before the run or what a whole run leaves.
//
// The moments are random but seeded: the seed is printed, and DEXMORO_CRASH_SEED repeats a run.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <iostream>
#include <map>
#include <random>

#include "e2e/CacheScenarios.h"
#include "support/DatabaseSnapshot.h"
#include "support/PhoneSimRunner.h"
#include "support/ProgramRun.h"

namespace {

constexpr int kKillsPerDatabase = 6;
constexpr int kAttemptsPerDatabase = 30;
// Slows every answer so that a run lasts long enough to be hit anywhere.
constexpr int kLatencyMs = 15;

quint32 crashSeed() {
    bool ok = false;
    const quint32 given = qEnvironmentVariable("DEXMORO_CRASH_SEED").toUInt(&ok);
    return ok ? given : std::random_device{}();
}

QStringList cliArguments(const QString& workDir, const QString& device,
                         const QStringList& arguments) {
    return QStringList{"--workdir", workDir, "--device", device} + arguments;
}

// One operation ready to be interrupted: the folder it starts from, the tables before and after
// a whole run, and how long a whole run takes on the slowed phone.
struct PreparedOperation {
    const CacheOperation* operation = nullptr;
    std::unique_ptr<QTemporaryDir> before;
    DatabaseSnapshot oldTables;
    DatabaseSnapshot newTables;
    qint64 runMs = 0;
};

PhoneSimOptions slowPhone() {
    PhoneSimOptions options;
    options.latencyMs = kLatencyMs;
    return options;
}

class CacheCrashSafety : public ::testing::TestWithParam<QString> {
  protected:
    // Fills `prepared`; fails the test when a run on a sound phone does not succeed.
    void prepare(const CacheOperation& operation, PreparedOperation* prepared) {
        prepared->operation = &operation;
        prepared->before = std::make_unique<QTemporaryDir>();
        const QString file = operation.databaseFile;
        {
            PhoneSimRunner phone(operation.before());
            ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
            const ProgramRun preload = runProgram(
                DEXMORO_CLI_PATH,
                cliArguments(prepared->before->path(), phone.slavePath(), operation.preload));
            ASSERT_EQ(preload.exitCode, 0) << preload.err.toStdString();
        }
        prepared->oldTables = snapshotDatabase(QDir(prepared->before->path()).filePath(file));
        ASSERT_TRUE(prepared->oldTables.ok);

        QTemporaryDir whole;
        ASSERT_TRUE(copyFolderFiles(prepared->before->path(), whole.path()));
        PhoneSimRunner phone(operation.after(), slowPhone());
        ASSERT_TRUE(phone.ok());
        QElapsedTimer timer;
        timer.start();
        const ProgramRun run = runProgram(
            DEXMORO_CLI_PATH, cliArguments(whole.path(), phone.slavePath(), operation.arguments));
        prepared->runMs = timer.elapsed();
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        prepared->newTables = snapshotDatabase(QDir(whole.path()).filePath(file));
        ASSERT_NE(prepared->oldTables, prepared->newTables);
    }

    // Starts the operation, kills it after delayMs; false when it had ended by then.
    // `outcome` says what the file held afterwards: its old tables, its new ones, or some of each.
    bool killDuring(const PreparedOperation& prepared, int delayMs, std::string* failure,
                    std::string* outcome) {
        const CacheOperation& operation = *prepared.operation;
        QTemporaryDir work;
        if (!copyFolderFiles(prepared.before->path(), work.path())) {
            *failure = "cannot copy the cache";
            return false;
        }
        PhoneSimRunner phone(operation.after(), slowPhone());
        QProcess cli;
        cli.setProcessEnvironment(privateHomeEnvironment());
        cli.start(DEXMORO_CLI_PATH,
                  cliArguments(work.path(), phone.slavePath(), operation.arguments));
        if (!cli.waitForStarted(10000)) {
            *failure = "cannot start dexmoro-cli";
            return false;
        }
        QThread::msleep(static_cast<unsigned long>(delayMs));
        const bool killed = cli.state() == QProcess::Running;
        if (killed) {
            cli.kill();  // SIGKILL: no destructor, no rollback, no checkpoint
        }
        if (!cli.waitForFinished(60000)) {
            *failure = "dexmoro-cli did not end";
            return false;
        }

        const QString path = QDir(work.path()).filePath(operation.databaseFile);
        if (QFileInfo::exists(path)) {
            const QString integrity = databaseIntegrity(path);
            if (integrity != "ok") {
                *failure = "integrity_check: " + integrity.toStdString();
            }
        }
        const DatabaseSnapshot tables = snapshotDatabase(path);
        QList<DatabaseSnapshot> accepted{prepared.oldTables, prepared.newTables};
        if (operation.degradedTables) {
            accepted.append(operation.degradedTables(prepared.newTables));
        }
        *outcome = tables == prepared.oldTables   ? "old"
                   : tables == prepared.newTables ? "new"
                                                  : "each table old or new";
        if (!tables.ok) {
            *failure += " unreadable: " + tables.error.toStdString();
        } else if (const QString mixed = tableMatchingNone(tables, accepted); !mixed.isEmpty()) {
            *failure += " table " + mixed.toStdString() + " mixed after a kill at " +
                        std::to_string(delayMs) + " ms:\n" + tables.describe().toStdString() +
                        "old:\n" + prepared.oldTables.describe().toStdString() + "new:\n" +
                        prepared.newTables.describe().toStdString();
        }
        return killed;
    }
};

}  // namespace

TEST_P(CacheCrashSafety, KilledRunsLeaveTheOldOrTheNewTables) {
    const QString file = GetParam();
    QList<const CacheOperation*> operations;
    for (const QList<CacheOperation>* list : {&cacheLoaders(), &cacheWrites()}) {
        for (const CacheOperation& operation : *list) {
            if (operation.databaseFile == file) {
                operations.append(&operation);
            }
        }
    }
    ASSERT_GE(operations.size(), 2);
    std::vector<PreparedOperation> prepared(operations.size());
    for (qsizetype i = 0; i < operations.size(); ++i) {
        prepare(*operations[i], &prepared[i]);
        if (HasFatalFailure()) {
            return;
        }
    }

    const quint32 seed = crashSeed();
    std::cout << "crash-safety seed for " << file.toStdString() << ": " << seed
              << " (DEXMORO_CRASH_SEED)" << std::endl;
    RecordProperty("seed", std::to_string(seed));
    std::mt19937 random(seed);
    int kills = 0;
    std::map<std::string, int> outcomes;
    for (int attempt = 0; attempt < kAttemptsPerDatabase && kills < kKillsPerDatabase; ++attempt) {
        const PreparedOperation& target = prepared[attempt % prepared.size()];
        // Half the kills anywhere in the run, half near its end, where the tables are written.
        const double runMs = static_cast<double>(target.runMs);
        std::uniform_real_distribution<double> anywhere(0.0, runMs);
        std::uniform_real_distribution<double> nearTheEnd(0.8 * runMs, 1.02 * runMs);
        const int delayMs =
            static_cast<int>(attempt % 2 == 0 ? anywhere(random) : nearTheEnd(random));
        std::string failure;
        std::string outcome;
        if (killDuring(target, delayMs, &failure, &outcome)) {
            ++kills;
            ++outcomes[outcome];
        }
        EXPECT_TRUE(failure.empty())
            << target.operation->name << ", seed " << seed << ": " << failure;
    }
    std::cout << file.toStdString() << ": " << kills << " kills; tables afterwards:";
    for (const auto& [outcome, count] : outcomes) {
        std::cout << " " << outcome << ": " << count << ";";
    }
    std::cout << std::endl;
    EXPECT_EQ(kills, kKillsPerDatabase) << "seed " << seed;
}

INSTANTIATE_TEST_SUITE_P(EveryDatabase, CacheCrashSafety,
                         ::testing::Values("phonebook.mdb", "smsDB.mdb", "SchedulerDB.mdb",
                                           "ToDoListDB.mdb"),
                         [](const ::testing::TestParamInfo<QString>& info) {
                             return QString(info.param).remove(".mdb").toStdString();
                         });
