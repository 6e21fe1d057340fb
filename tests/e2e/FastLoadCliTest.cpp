// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "support/PhoneSimRunner.h"
#include "support/ProgramRun.h"

// dexmoro-cli against a fresh demo phone started with phoneArguments: the count lines of the
// message and phonebook loads, then the tables as listed.
static QString loadAndList(const QStringList& global, const QStringList& phoneArguments) {
    QTemporaryDir dir;
    PhoneSimProcess phone(DEXMORO_PHONESIM_PATH, phoneArguments);
    EXPECT_TRUE(phone.ok()) << phone.error().toStdString();
    QString seen;
    for (const char* command : {"sms load", "phonebook load", "sms list",
                                "phonebook list --memory sim", "phonebook list --memory ms"}) {
        const ProgramRun run = runProgram(
            DEXMORO_CLI_PATH, QStringList{"--workdir", dir.path(), "--device", phone.slavePath()} +
                                  global + QString(command).split(' '));
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        seen += run.out;
    }
    return seen;
}

// Whole lists give the tables one slot a command gives; a phone that refuses them is read one
// by one, and the count lines say so.
TEST(FastLoadCliTest, WholeListsGiveTheSameTablesAndARefusalFallsBack) {
    const QString counts = "sms: 6 messages\nsim: 6 entries\nms: 4 entries\n";
    const QString oneByOne = loadAndList({}, {});
    ASSERT_TRUE(oneByOne.startsWith(counts)) << oneByOne.toStdString();
    EXPECT_EQ(loadAndList({"--fast"}, {}), oneByOne);

    const QString note = "; read one by one: the phone refused the list command\n";
    QString fallback = oneByOne;
    fallback.replace(counts, counts.split('\n').mid(0, 3).join(note) + note);
    EXPECT_EQ(loadAndList({"--fast"}, {"--no-list"}), fallback);
}
