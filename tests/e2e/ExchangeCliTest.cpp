// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli import, export and backup against the simulated phone over a real
// pseudo-terminal.

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "phonebook/PhoneMemoryTable.h"
#include "support/PhoneSimRunner.h"
#include "support/ProgramRun.h"
#include "support/TempWorkDir.h"

namespace {

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Five cards as a phone of another maker writes them: 2.1, quoted-printable UTF-8, one name
// the SIM cannot hold.
const QByteArray kCards =
    "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Berg;Anna\r\nTEL;CELL:+49 170 1\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:2.1\r\nFN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:J=C3=\r\n"
    "=BCrgen\r\nTEL;HOME:0302\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:\xD0\x94\xD0\xB8\xD0\xBC\xD0\xB0\r\nTEL:0303\r\n"
    "END:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Cleo\r\nTEL:0304\r\nEND:VCARD\r\n"
    "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Dora\r\nTEL:0305\r\nEND:VCARD\r\n";

}  // namespace

TEST(ExchangeCli, ImportIntoTheSimThenExport) {
    PhoneSimState state;
    state.sm = PhoneSimPhonebook{3, {}};
    state.me = PhoneSimPhonebook{5, {}};
    PhoneSimRunner phone(state);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    QTemporaryDir work;
    QTemporaryDir files;
    const QString cards = files.filePath("in.vcf");
    writeFile(cards, kCards);
    const QStringList global{"--workdir", work.path(), "--device", phone.slavePath()};

    const ProgramRun import = runProgram(
        DEXMORO_CLI_PATH,
        global + QStringList{"import", "--what", "phonebook", "--memory", "sim", "--file", cards});
    EXPECT_EQ(import.exitCode, 1) << import.err.toStdString();
    EXPECT_EQ(import.out, "imported: 3\nskipped: 2\n");
    const QStringList skipped = import.err.split('\n', Qt::SkipEmptyParts).filter("skipped");
    ASSERT_EQ(skipped.size(), 2) << import.err.toStdString();
    EXPECT_TRUE(skipped[0].startsWith("dexmoro-cli import: skipped card at line 12 ("))
        << skipped[0].toStdString();
    EXPECT_TRUE(skipped[0].contains("outside Latin-1"));
    EXPECT_EQ(skipped[1],
              "dexmoro-cli import: skipped card at line 22 (Dora): the SIM phonebook is full (3 "
              "entries)");
    const std::map<int, PhoneSimPhonebookEntry> onPhone = phone.state().sm.entries;
    ASSERT_EQ(onPhone.size(), 3u);
    EXPECT_EQ(onPhone.at(1).name, "Anna Berg");
    EXPECT_EQ(onPhone.at(1).dial, "+491701");
    EXPECT_EQ(onPhone.at(2).name, QString::fromUtf8("Jürgen"));
    EXPECT_EQ(onPhone.at(3).name, "Cleo");

    // Off-line, from the cache the import filled.
    const QString out = files.filePath("out.vcf");
    const ProgramRun exported =
        runProgram(DEXMORO_CLI_PATH, {"--workdir", work.path(), "export", "--what", "phonebook",
                                      "--memory", "sim", "--file", out});
    EXPECT_EQ(exported.exitCode, 0) << exported.err.toStdString();
    EXPECT_EQ(exported.out, "exported: 3\n");
    const QByteArray written = readFile(out);
    EXPECT_EQ(written.count("BEGIN:VCARD\r\n"), 3);
    EXPECT_TRUE(
        written.contains("FN:J\xC3\xBCrgen\r\nN:J\xC3\xBCrgen;;;;\r\nTEL;TYPE=VOICE:0302\r\n"
                         "X-DEXMORO-MEMORY:SIM\r\nX-DEXMORO-INDEX:2\r\n"));
}

TEST(ExchangeCli, BadUsageExitsTwoWithAMessage) {
    QTemporaryDir work;
    const QStringList global{"--workdir", work.path()};
    struct Case {
        QStringList arguments;
        QString message;
    };
    const QList<Case> cases = {
        {{"export", "--what", "fax", "--file", "x"},
         "dexmoro-cli export: --what must be phonebook, schedule, todo or sms\n"},
        {{"export", "--what", "sms", "--format", "vcard", "--file", "x"},
         "dexmoro-cli export: sms cannot be written as vcard\n"},
        {{"export", "--what", "phonebook"}, "dexmoro-cli export: --file is required\n"},
        {{"export", "--what", "phonebook", "--memory", "sim,tape", "--file", "x"},
         "dexmoro-cli export: unknown memory tape (sim, ms or pc)\n"},
        {{"import", "--what", "phonebook", "--memory", "sim,ms", "--file", "x"},
         "dexmoro-cli import: an import goes into one memory\n"},
        {{"export", "--what", "todo", "--table", "phone", "--file", "x"},
         "dexmoro-cli export: the phone table belongs to the schedule only\n"},
        {{"backup"}, "dexmoro-cli backup: --dir is required\n"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = runProgram(DEXMORO_CLI_PATH, global + c.arguments);
        EXPECT_EQ(run.exitCode, 2) << c.arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, c.message);
    }
}

TEST(ExchangeCli, BackupWritesEveryListIntoOneFolder) {
    QTemporaryDir work;
    QTemporaryDir files;
    const QString folder = files.filePath("backup/today");
    const ProgramRun run =
        runProgram(DEXMORO_CLI_PATH, {"--workdir", work.path(), "backup", "--dir", folder});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files),
              (QStringList{"phonebook.vcf", "schedule.ics", "sms.xml", "todo.ics"}));
    EXPECT_TRUE(readFile(folder + "/sms.xml").contains("<smses count=\"0\">"));
}
