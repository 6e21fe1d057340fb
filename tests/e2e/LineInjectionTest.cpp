// SPDX-License-Identifier: GPL-3.0-or-later
// User text that would end the AT command line and start one of the user's choosing (a carriage
// return or line feed inside a name, contents or number; Ctrl-Z inside a message text) never
// reaches the line: dexmoro-cli refuses it with exit code 2 and the one message, the simulated
// phone's transcript shows no trace of it, and neither the phone nor any table changes.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "e2e/CacheScenarios.h"
#include "phone/PhoneSafeText.h"
#include "support/DatabaseSnapshot.h"
#include "support/PhoneSimRunner.h"
#include "support/ProgramRun.h"

namespace {

struct Injection {
    QStringList arguments;
    QString unsafeText;  // empty: a message of the command's own
    PhoneTextKind kind;
};

PhoneSimState fullPhone() {
    PhoneSimState state = PhoneSimState::demo();
    state.sm.capacity = 6;
    state.me.capacity = 6;
    return state;
}

const QStringList kDatabaseFiles{"phonebook.mdb", "smsDB.mdb", "SchedulerDB.mdb", "ToDoListDB.mdb"};

}  // namespace

TEST(LineInjectionOverPty, TextThatWouldEndTheCommandLineNeverReachesThePhone) {
    QTemporaryDir dir;
    const QString transcript = dir.filePath("transcript.txt");
    QTemporaryDir work;
    PhoneSimOptions options;
    options.transcriptPath = transcript;
    PhoneSimRunner phone(fullPhone(), options);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    const QStringList global{"--workdir", work.path(), "--device", phone.slavePath()};
    for (const char* group : {"phonebook", "sms", "schedule", "todo"}) {
        const ProgramRun load = runProgram(DEXMORO_CLI_PATH, global + QStringList{group, "load"});
        ASSERT_EQ(load.exitCode, 0) << group << ": " << load.err.toStdString();
    }
    QList<DatabaseSnapshot> tables;
    for (const QString& file : kDatabaseFiles) {
        tables.append(snapshotDatabase(QDir(work.path()).filePath(file)));
        ASSERT_TRUE(tables.last().ok);
        ASSERT_FALSE(tables.last().tables.isEmpty()) << file.toStdString();
    }
    const PhoneLists lists(phone.state());
    const int commands = phone.server().commandCount();

    const QString cpbw = "Ann\rat+cpbw=1,\"0999\",129,\"INJECTED\"";
    const QList<Injection> injections{
        {{"phonebook", "add", "--memory", "sim", "--name", cpbw, "--number", "123"},
         cpbw,
         PhoneTextKind::Name},
        {{"phonebook", "edit", "--memory", "sim", "--index", "1", "--name", "Ann\nINJECTED",
          "--number", "123"},
         "Ann\nINJECTED",
         PhoneTextKind::Name},
        {{"phonebook", "add", "--memory", "ms", "--name", "Ann", "--number", "123\rINJECTED"},
         "123\rINJECTED",
         PhoneTextKind::Number},
        {{"schedule", "add", "--type", "meeting", "--date", "2026-12-24", "--time", "18:00",
          "--text", "x\rat+schd=0\rINJECTED"},
         "x\rat+schd=0\rINJECTED",
         PhoneTextKind::Contents},
        {{"todo", "add", "--text", "x\r\nINJECTED"}, "x\r\nINJECTED", PhoneTextKind::Contents},
        {{"todo", "edit", "--index", "1", "--text", "x\rINJECTED"},
         "x\rINJECTED",
         PhoneTextKind::Contents},
        {{"sms", "save", "--number", "0123\rINJECTED", "--text", "hi"},
         "0123\rINJECTED",
         PhoneTextKind::Number},
        {{"sms", "save", "--number", "0123", "--text",
          QString("hi\x1a"
                  "at+cmgd=1\rINJECTED")},
         QString("hi\x1a"
                 "at+cmgd=1\rINJECTED"),
         PhoneTextKind::MessageText},
        {{"sms", "send", "--number", "0123", "--text",
          QString("hi\x1b"
                  "INJECTED")},
         QString("hi\x1b"
                 "INJECTED"),
         PhoneTextKind::MessageText},
        {{"sca", "+44\rINJECTED"}, {}, PhoneTextKind::Number},
    };
    for (const Injection& injection : injections) {
        const std::string what = injection.arguments.join(' ').toStdString();
        const ProgramRun run = runProgram(DEXMORO_CLI_PATH, global + injection.arguments);
        EXPECT_EQ(run.exitCode, 2) << what << "\n" << run.err.toStdString();
        if (!injection.unsafeText.isEmpty()) {
            const QString problem = phoneSafeTextProblem(injection.unsafeText, injection.kind);
            ASSERT_FALSE(problem.isEmpty()) << what;
            EXPECT_TRUE(run.err.contains(problem)) << what << "\n" << run.err.toStdString();
        }
        EXPECT_EQ(phone.server().commandCount(), commands) << what;
    }

    QFile file(transcript);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray exchanged = file.readAll();
    EXPECT_FALSE(exchanged.isEmpty());
    EXPECT_FALSE(exchanged.contains("INJECTED"));
    EXPECT_TRUE(PhoneLists(phone.state()) == lists);
    for (qsizetype i = 0; i < kDatabaseFiles.size(); ++i) {
        EXPECT_EQ(snapshotDatabase(QDir(work.path()).filePath(kDatabaseFiles[i])), tables[i])
            << kDatabaseFiles[i].toStdString();
    }
}
