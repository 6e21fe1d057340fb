// SPDX-License-Identifier: GPL-3.0-or-later
// Every loader and every single-entry write of dexmoro-cli against a phone that misbehaves on
// the line: hang-ups at the start, the middle and the last command, noise before answers, answers
// a byte at a time, error lines with long codes and answers slower than the poll. Each run must
// end, exit with 0 or 1, and leave every table of its database file either as it was or as a
// run on a sound phone leaves it; a run that says it succeeded must have done so on the phone too.

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <functional>
#include <ostream>

#include "e2e/CacheScenarios.h"
#include "support/DatabaseSnapshot.h"
#include "support/PhoneSimRunner.h"
#include "support/ProgramRun.h"

namespace {

// Connecting (reset, maker, both phonebook and both message storages) takes this many commands
// before the operation's own first one.
constexpr int kConnectCommands = 8;
// A hang guard only: generous for a loaded machine under AddressSanitizer.
constexpr qint64 kRunBoundMs = 60000;
// More digits than any standard error code has.
constexpr int kLongErrorCode = 1234567890;

enum class Fault {
    DropAtStart,
    DropInMiddle,
    DropAtLast,
    Garbage,
    OneByteChunks,
    CmeErrorLongCode,
    CmsErrorLongCode,
    SlowAnswers,
};

const char* faultName(Fault fault) {
    switch (fault) {
        case Fault::DropAtStart:
            return "DropAtStart";
        case Fault::DropInMiddle:
            return "DropInMiddle";
        case Fault::DropAtLast:
            return "DropAtLast";
        case Fault::Garbage:
            return "Garbage";
        case Fault::OneByteChunks:
            return "OneByteChunks";
        case Fault::CmeErrorLongCode:
            return "CmeErrorLongCode";
        case Fault::CmsErrorLongCode:
            return "CmsErrorLongCode";
        case Fault::SlowAnswers:
            return "SlowAnswers";
    }
    return "?";
}

// Names the fault in the test's parameter line.
void PrintTo(Fault fault, std::ostream* out) {
    *out << faultName(fault);
}

bool isErrorFault(Fault fault) {
    return fault == Fault::CmeErrorLongCode || fault == Fault::CmsErrorLongCode;
}

const QList<Fault> kFaults{Fault::DropAtStart,      Fault::DropInMiddle,  Fault::DropAtLast,
                           Fault::Garbage,          Fault::OneByteChunks, Fault::CmeErrorLongCode,
                           Fault::CmsErrorLongCode, Fault::SlowAnswers};

using Case = std::tuple<int, Fault>;

class FaultInjection : public ::testing::Test {
  protected:
    ProgramRun cli(const QString& workDir, const QString& device, const QStringList& arguments) {
        return runProgram(DEXMORO_CLI_PATH,
                          QStringList{"--workdir", workDir, "--device", device} + arguments,
                          privateHomeEnvironment(), 2 * kRunBoundMs);
    }

    void check(const CacheOperation& operation, Fault fault) {
        // The cache before the run: the earlier phone's load.
        QTemporaryDir before;
        {
            PhoneSimRunner phone(operation.before());
            ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
            const ProgramRun preload = cli(before.path(), phone.slavePath(), operation.preload);
            ASSERT_EQ(preload.exitCode, 0) << preload.err.toStdString();
        }
        const QString file = operation.databaseFile;
        const DatabaseSnapshot oldTables = snapshotDatabase(QDir(before.path()).filePath(file));
        ASSERT_TRUE(oldTables.ok) << oldTables.error.toStdString();

        // What the run leaves on a sound phone, and how many commands it takes.
        QTemporaryDir sound;
        ASSERT_TRUE(copyFolderFiles(before.path(), sound.path()));
        PhoneSimRunner soundPhone(operation.after());
        ASSERT_TRUE(soundPhone.ok());
        const ProgramRun reference = cli(sound.path(), soundPhone.slavePath(), operation.arguments);
        ASSERT_EQ(reference.exitCode, 0) << reference.err.toStdString();
        const DatabaseSnapshot newTables = snapshotDatabase(QDir(sound.path()).filePath(file));
        const PhoneLists newLists(soundPhone.state());
        const PhoneLists oldLists(operation.after());
        const int commands = soundPhone.server().commandCount();
        ASSERT_GT(commands, kConnectCommands);
        ASSERT_NE(oldTables, newTables) << "the run changes nothing to tell apart";

        PhoneSimOptions options;
        switch (fault) {
            case Fault::DropAtStart:
                options.dropAfterCommands = kConnectCommands;
                break;
            case Fault::DropInMiddle:
                options.dropAfterCommands = (kConnectCommands + commands) / 2;
                break;
            case Fault::DropAtLast:
                options.dropAfterCommands = commands - 1;
                break;
            case Fault::Garbage:
                options.garbage = true;
                break;
            case Fault::OneByteChunks:
                options.chunkBytes = 1;
                options.chunkGapMs = 2;
                break;
            case Fault::CmeErrorLongCode:
                options.errorPattern = operation.errorPattern;
                options.cmeError = kLongErrorCode;
                break;
            case Fault::CmsErrorLongCode:
                options.errorPattern = operation.errorPattern;
                options.cmsError = kLongErrorCode;
                break;
            case Fault::SlowAnswers:
                options.latencyMs = 130;  // the link polls every 100 ms
                break;
        }
        QTemporaryDir work;
        ASSERT_TRUE(copyFolderFiles(before.path(), work.path()));
        PhoneSimRunner phone(operation.after(), options);
        ASSERT_TRUE(phone.ok());
        QElapsedTimer timer;
        timer.start();
        const ProgramRun run = cli(work.path(), phone.slavePath(), operation.arguments);
        const qint64 elapsed = timer.elapsed();
        const DatabaseSnapshot tables = snapshotDatabase(QDir(work.path()).filePath(file));
        const PhoneLists lists(phone.state());
        const std::string context =
            "exit " + std::to_string(run.exitCode) + "\nstderr:\n" + run.err.toStdString() +
            "tables after:\n" + tables.describe().toStdString() + "old:\n" +
            oldTables.describe().toStdString() + "new:\n" + newTables.describe().toStdString();

        EXPECT_LT(elapsed, kRunBoundMs) << context;
        ASSERT_TRUE(run.exitCode == 0 || run.exitCode == 1) << context;
        ASSERT_TRUE(tables.ok) << tables.error.toStdString();
        QList<DatabaseSnapshot> degraded;
        if (operation.degradedTables) {
            degraded.append(operation.degradedTables(newTables));
        }
        // Each table whole: as before, as a sound run leaves it, or in the documented third form.
        EXPECT_EQ(tableMatchingNone(tables, QList{oldTables, newTables} + degraded), "") << context;
        if (run.exitCode == 0) {
            // Success is never reported for what did not happen.
            EXPECT_EQ(tableMatchingNone(tables, QList{newTables} + degraded), "") << context;
            if (!operation.isLoad) {
                EXPECT_TRUE(lists == newLists) << context;
            }
        }

        const bool harmless = fault == Fault::Garbage || fault == Fault::OneByteChunks ||
                              fault == Fault::SlowAnswers ||
                              (isErrorFault(fault) && operation.isLoad);
        if (harmless) {
            // A noisy, slow or choppy line, or an empty slot that answers an error, changes
            // nothing of the outcome.
            EXPECT_EQ(run.exitCode, 0) << context;
        } else if (isErrorFault(fault)) {
            // A refused write is reported, the phone keeps what it had and so do the tables that
            // mirror it.
            EXPECT_EQ(run.exitCode, 1) << context;
            EXPECT_TRUE(lists == oldLists) << context;
            EXPECT_EQ(tableMatchingNone(tables, QList{oldTables} + degraded, operation.pcTables),
                      "")
                << context;
        } else if (fault == Fault::DropAtStart) {
            EXPECT_EQ(run.exitCode, 1) << context;
        }
    }
};

class LoaderFaults : public FaultInjection, public ::testing::WithParamInterface<Case> {};
class WriteFaults : public FaultInjection, public ::testing::WithParamInterface<Case> {};

std::string caseName(const QList<CacheOperation>& operations,
                     const ::testing::TestParamInfo<Case>& info) {
    return std::string(operations[std::get<0>(info.param)].name) + "_" +
           faultName(std::get<1>(info.param));
}

}  // namespace

TEST_P(LoaderFaults, TableHoldsTheOldOrTheNewList) {
    check(cacheLoaders()[std::get<0>(GetParam())], std::get<1>(GetParam()));
}

TEST_P(WriteFaults, TableHoldsTheOldOrTheNewList) {
    check(cacheWrites()[std::get<0>(GetParam())], std::get<1>(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(
    EveryLoader, LoaderFaults,
    ::testing::Combine(::testing::Range(0, static_cast<int>(cacheLoaders().size())),
                       ::testing::ValuesIn(kFaults)),
    [](const ::testing::TestParamInfo<Case>& info) { return caseName(cacheLoaders(), info); });

INSTANTIATE_TEST_SUITE_P(
    EveryWrite, WriteFaults,
    ::testing::Combine(::testing::Range(0, static_cast<int>(cacheWrites().size())),
                       ::testing::ValuesIn(kFaults)),
    [](const ::testing::TestParamInfo<Case>& info) { return caseName(cacheWrites(), info); });
