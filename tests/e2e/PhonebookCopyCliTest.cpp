// SPDX-License-Identifier: GPL-3.0-or-later
// Copies between memories from dexmoro-cli and from the phonebook view run the same rules: on
// the same simulated phone (over a real pseudo-terminal) they leave the same phone, the same
// tables and show the same texts.

#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "phone/PhoneLink.h"
#include "phone/PhoneSafeText.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/ui/CPhonebookView.h"
#include "phonebook/ui/PhonebookListWidget.h"
#include "platform/Profile.h"
#include "support/PhoneSimRunner.h"
#include "support/ProgramRun.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

PhoneSimPhonebookEntry phoneEntry(const QString& dial, const QString& name) {
    return PhoneSimPhonebookEntry{dial, dial.startsWith('+') ? 145 : 129, name};
}

PhoneSimState startState() {
    PhoneSimState state;
    state.sm =
        PhoneSimPhonebook{4, {{1, phoneEntry("111", "Ann")}, {2, phoneEntry("+*31#22", "Bob")}}};
    state.me = PhoneSimPhonebook{3, {{1, phoneEntry("900", "Zed")}}};
    return state;
}

void addPcRows() {
    CPCListDB pc;
    PcPhonebookEntry pat;
    pat.number = 1;
    pat.name = "Pat";
    pat.mainNumber = "301";
    pat.mobileNumber = "0777";
    pc.AddRow(pat);
    PcPhonebookEntry quin;
    quin.number = 2;
    quin.name = "Quin";
    quin.mainNumber = "302";
    pc.AddRow(quin);
    PcPhonebookEntry rae;
    rae.number = 3;
    rae.name = "Rae";
    rae.mainNumber = "303P9";
    pc.AddRow(rae);
}

struct CopyStep {
    PhonebookMemory from;
    PhonebookMemory to;
    QList<int> indexes;
};

const QList<CopyStep> kSteps = {
    {MemoryPc, MemorySim, {1, 2, 3}},  // room for two
    {MemorySim, MemoryMs, {2, 1}},     // caller-ID number; list order, not argument order
    {MemoryMs, MemorySim, {1}},        // the SIM is full now
    {MemorySim, MemoryPc, {2}},
    {MemoryPc, MemoryPc, {1}},  // every column, the mobile number too
};

const QStringList kExpectedTexts = {
    "2 entriies are copied. 1 entry is are dropped. \nMaximum Capacity Exceeded!",
    "2 entries are copied.",
    "Maximum Capacity Exceeded!",
    "1 entry is copied.",
    "1 entry is copied.",
};

QString memoryArgument(PhonebookMemory memory) {
    return memory == MemorySim ? "sim" : memory == MemoryMs ? "ms" : "pc";
}

struct Outcome {
    std::map<int, PhoneSimPhonebookEntry> phoneSim;
    std::map<int, PhoneSimPhonebookEntry> phoneMs;
    QList<PhonebookEntry> sim;
    QList<PhonebookEntry> ms;
    QList<PcPhonebookEntry> pc;
    QStringList texts;
};

// The phone and the tables of the working directory, after the copies.
Outcome outcomeOf(const PhoneSimState& phone, const QStringList& texts) {
    Outcome outcome;
    outcome.phoneSim = phone.sm.entries;
    outcome.phoneMs = phone.me.entries;
    outcome.sim = CSimViewDB().rows();
    outcome.ms = CMsListDB().rows();
    outcome.pc = CPCListDB().rows();
    outcome.texts = texts;
    return outcome;
}

Outcome copyWithTheCli() {
    TempWorkDir dir;
    addPcRows();
    closeAllDatabases();
    PhoneSimRunner phone(startState());
    EXPECT_TRUE(phone.ok()) << phone.error().toStdString();
    const QStringList global{"--workdir", dir.path(), "--device", phone.slavePath()};
    const ProgramRun load = runProgram(DEXMORO_CLI_PATH, global + QStringList{"phonebook", "load"});
    EXPECT_EQ(load.exitCode, 0) << load.err.toStdString();

    QStringList texts;
    const QList<int> expectedCodes = {1, 0, 1, 0, 0};
    for (qsizetype i = 0; i < kSteps.size(); ++i) {
        const CopyStep& step = kSteps[i];
        QStringList indexes;
        for (int index : step.indexes) {
            indexes << QString::number(index);
        }
        const ProgramRun run = runProgram(
            DEXMORO_CLI_PATH,
            global + QStringList{"phonebook", "copy", "--from", memoryArgument(step.from), "--to",
                                 memoryArgument(step.to), "--index", indexes.join(',')});
        EXPECT_EQ(run.exitCode, expectedCodes[i]) << i << ": " << run.err.toStdString();
        // The count goes to stdout; a copy that could not start says why on stderr.
        if (!run.out.isEmpty()) {
            texts << run.out.chopped(1);
        } else {
            texts << run.err.trimmed().remove(QStringLiteral("dexmoro-cli phonebook: "));
        }
    }
    closeAllDatabases();
    return outcomeOf(phone.state(), texts);
}

Outcome copyInTheView() {
    TempWorkDir dir;
    Profile::useFolder(dir.path());
    addPcRows();
    PhoneSimRunner phone(startState());
    EXPECT_TRUE(phone.ok()) << phone.error().toStdString();
    PhoneLinkOptions options;
    options.devicePath = phone.slavePath();
    PhoneLink link(options);
    EXPECT_TRUE(link.phoneFound);

    ScriptedPrompter prompter;
    for (qsizetype i = 0; i < kSteps.size(); ++i) {
        prompter.then(PromptAnswer::Ok);
    }
    CPhonebookView::resetFirstStart();
    QStringList texts;
    {
        CPhonebookView view(link, true);
        view.setCopyPause([] {});
        view.show();
        for (const CopyStep& step : kSteps) {
            PhonebookListWidget* list = view.list(step.from);
            list->clearSelection();
            for (int row = 0; row < list->rowCount(); ++row) {
                if (step.indexes.contains(list->rowTexts(row).number.toInt())) {
                    list->selectionModel()->select(
                        list->model()->index(row, 0),
                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
                }
            }
            view.setCurrentMemory(step.from);
            switch (step.to) {
                case MemorySim:
                    view.copyToSim();
                    break;
                case MemoryMs:
                    view.copyToMs();
                    break;
                default:
                    view.copyToPc();
                    break;
            }
        }
    }
    for (const Prompt& prompt : prompter.prompts()) {
        texts << prompt.text;
    }
    const Outcome outcome = outcomeOf(phone.state(), texts);
    Profile::useFolder({});
    return outcome;
}

}  // namespace

TEST(PhonebookCopyOverPty, TheCliCopyGivesTheSameRowsAndTextsAsTheView) {
    const Outcome cli = copyWithTheCli();
    const Outcome view = copyInTheView();

    EXPECT_EQ(cli.texts, kExpectedTexts);
    EXPECT_EQ(view.texts, kExpectedTexts);
    EXPECT_EQ(cli.phoneSim, view.phoneSim);
    EXPECT_EQ(cli.phoneMs, view.phoneMs);
    EXPECT_EQ(cli.sim, view.sim);
    EXPECT_EQ(cli.ms, view.ms);
    EXPECT_EQ(cli.pc, view.pc);

    // And what they agree on is the copy the rules ask for.
    EXPECT_EQ(cli.phoneSim.at(3), phoneEntry("301", "Pat"));
    EXPECT_EQ(cli.phoneSim.at(4), phoneEntry("302", "Quin"));
    EXPECT_EQ(cli.phoneSim.size(), 4u);
    EXPECT_EQ(cli.phoneMs.at(2), phoneEntry("111", "Ann"));
    EXPECT_EQ(cli.phoneMs.at(3), phoneEntry("+*31#22", "Bob"));
    ASSERT_EQ(cli.pc.size(), 5);
    EXPECT_EQ(cli.pc[3].name, "Bob");
    EXPECT_EQ(cli.pc[3].mainNumber, "*31#+22");
    EXPECT_EQ(cli.pc[4].number, 5);
    EXPECT_EQ(cli.pc[4].mobileNumber, "0777");
}

TEST(PhonebookCopyOverPty, TheCliRefusesTextThePhoneCannotTake) {
    TempWorkDir dir;
    {
        CPCListDB pc;
        PcPhonebookEntry entry;
        entry.number = 1;
        entry.name = "Tom \"Q\" Ray";
        entry.mainNumber = "301";
        pc.AddRow(entry);
    }
    closeAllDatabases();
    PhoneSimRunner phone(startState());
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    const QStringList global{"--workdir", dir.path(), "--device", phone.slavePath()};
    ASSERT_EQ(runProgram(DEXMORO_CLI_PATH, global + QStringList{"phonebook", "load"}).exitCode, 0);
    const PhoneSimState before = phone.state();
    const int commands = phone.server().commandCount();
    const QString problem = phoneSafeTextProblem("Tom \"Q\" Ray", PhoneTextKind::Name);
    ASSERT_FALSE(problem.isEmpty());

    const QList<QStringList> refused = {
        {"phonebook", "add", "--memory", "sim", "--name", "Tom \"Q\" Ray", "--number", "123"},
        {"phonebook", "edit", "--memory", "sim", "--index", "1", "--name", "Tom \"Q\" Ray",
         "--number", "111"},
        {"phonebook", "copy", "--from", "pc", "--to", "ms", "--index", "1"},
    };
    for (const QStringList& arguments : refused) {
        const ProgramRun run = runProgram(DEXMORO_CLI_PATH, global + arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(' ').toStdString();
        EXPECT_EQ(run.err, "dexmoro-cli phonebook: " + problem + "\n");
        EXPECT_TRUE(run.out.isEmpty());
    }
    // A number with a character no phone dials.
    const ProgramRun number =
        runProgram(DEXMORO_CLI_PATH, global + QStringList{"phonebook", "add", "--memory", "ms",
                                                          "--name", "Tom", "--number", "12;3"});
    EXPECT_EQ(number.exitCode, 2);
    EXPECT_EQ(number.err, "dexmoro-cli phonebook: " +
                              phoneSafeTextProblem("12;3", PhoneTextKind::Number) + "\n");

    EXPECT_EQ(phone.server().commandCount(), commands);
    EXPECT_EQ(phone.state().sm, before.sm);
    EXPECT_EQ(phone.state().me, before.me);
    EXPECT_EQ(
        runProgram(DEXMORO_CLI_PATH, global + QStringList{"phonebook", "list", "--memory", "sim"})
            .out,
        "1\tAnn\t111\n2\tBob\t*31#+22\nTOTAL : 2 / 4\n");
}
