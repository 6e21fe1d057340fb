// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "phone/PhoneSafeText.h"
#include "phonebook/PhoneMemoryTable.h"
#include "platform/Notice.h"
#include "support/EnginePhoneLink.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

PhoneSimPhonebookEntry simEntry(const QString& dial, const QString& name) {
    return PhoneSimPhonebookEntry{dial, dial.startsWith('+') ? 145 : 129, name};
}

class PhonebookSyncTest : public ::testing::Test {
  protected:
    PhonebookSyncTest() {
        state.sm = PhoneSimPhonebook{20, {}};
        state.me = PhoneSimPhonebook{30, {}};
    }
    ~PhonebookSyncTest() override { closeAllDatabases(); }

    PhoneLink& connect() {
        phoneSim = std::make_unique<EnginePhoneLink>(state);
        return phoneSim->link();
    }
    PhoneSimState& phone() { return phoneSim->engine().state(); }
    void setFaults(const QByteArray& errorPattern) {
        PhoneSimFaults faults;
        faults.errorPattern = errorPattern;
        phoneSim->engine().setFaults(faults);
    }
    // Every command line sent on the current line, in order.
    QStringList commands() const {
        QStringList out;
        for (const QByteArray& line : phoneSim->line().writes()) {
            out << QString::fromLatin1(line);
        }
        return out;
    }
    // The phone answers the next `answered` commands, then falls silent.
    void silenceAfter(int answered) {
        auto left = std::make_shared<int>(answered);
        PhoneSimEngine* engine = &phoneSim->engine();
        phoneSim->line().setResponder([engine, left](const QByteArray& written) {
            QList<FakeChunk> chunks;
            if ((*left)-- > 0) {
                chunks.append(FakeChunk{0, engine->feed(written), false});
            }
            return chunks;
        });
    }

    static QList<int> indexes(PhoneMemoryTable& table) {
        QList<int> out;
        for (const PhonebookEntry& entry : table.rows()) {
            out << entry.index;
        }
        return out;
    }

    // Writes holding the marker get the extension-full answer; the rest go to the phone.
    void answerExtensionFullTo(const QByteArray& marker) {
        PhoneSimEngine* engine = &phoneSim->engine();
        phoneSim->line().setResponder([engine, marker](const QByteArray& written) {
            if (written.contains(marker)) {
                return QList<FakeChunk>{
                    FakeChunk{0, written + "\r\n+CPBW: 1\r\n\r\nOK\r\n", false}};
            }
            return QList<FakeChunk>{FakeChunk{0, engine->feed(written), false}};
        });
    }

    // What the view does with a store's result: its notices go to the prompter.
    static StoreOutcome shown(const StoreResult& result) {
        showNotices(result.notices);
        return result.outcome;
    }

    TempWorkDir dir;
    RecordingProgress progress;
    const Asker ask = prompterAsker();
    PhoneSimState state;
    std::unique_ptr<EnginePhoneLink> phoneSim;
};

TEST_F(PhonebookSyncTest, LoadReadsEveryIndexAndSkipsEmptyAndUnreadableOnes) {
    state.sm.entries[1] = simEntry("+4411", "Anna");
    state.sm.entries[3] = simEntry("123", "Bert, Jr");
    state.sm.entries[4] = simEntry("999", "Unreadable");
    state.sm.entries[20] = simEntry("+*31#77", "Last");
    PhoneLink& phoneLink = connect();
    ASSERT_TRUE(phoneLink.phoneFound);
    EXPECT_EQ(phoneLink.simPhonebookCapacity, 20);
    setFaults("cpbr=4");

    CSimViewDB sim;
    sim.AddRow(7, "old", "Stale row");
    EXPECT_EQ(sim.LoadFromPhone(phoneLink, progress).kind, MirrorOutcome::Kind::Loaded);
    EXPECT_EQ(sim.rows(),
              (QList<PhonebookEntry>{
                  {1, "Anna", "+4411"}, {3, "Bert, Jr", "123"}, {20, "Last", "+*31#77"}}));
    EXPECT_EQ(progress.calls.first(), "show Phone Book SIM Load|Loading....");
    EXPECT_EQ(progress.lastValue, 50);
    EXPECT_EQ(progress.calls.last(), "destroy");
    const QStringList sent = commands();
    EXPECT_TRUE(sent.contains("at+cpbr=1\r"));
    EXPECT_TRUE(sent.contains("at+cpbr=20\r"));
    EXPECT_FALSE(sent.contains("at+cpbr=21\r"));

    CMsListDB ms;
    progress.calls.clear();
    EXPECT_EQ(ms.LoadFromPhone(phoneLink, progress).kind, MirrorOutcome::Kind::Loaded);
    EXPECT_TRUE(ms.rows().isEmpty());
    EXPECT_EQ(progress.calls.first(), "show Phone Book MS Load|Loading....");
    EXPECT_EQ(progress.lastValue, 100);
}

TEST_F(PhonebookSyncTest, PhoneLostMidLoadKeepsThePreviousCache) {
    for (int i = 1; i <= 10; ++i) {
        state.sm.entries[i] = simEntry(QString::number(i), "N" + QString::number(i));
    }
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    sim.AddRow(2, "222", "Cached");
    setFaults("cgmi");

    const MirrorOutcome outcome = sim.LoadFromPhone(phoneLink, progress);
    EXPECT_EQ(outcome.kind, MirrorOutcome::Kind::PhoneLost);
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{2, "Cached", "222"}}));
    ASSERT_TRUE(outcome.notice);
    EXPECT_EQ(outcome.notice->text,
              "Detected off-line during the PhoneBook Loading!\nTry again after confirming the "
              "PC connection");
    // The probe came at the fifth index, which held an entry; nothing was read after it.
    EXPECT_TRUE(commands().contains("at+cpbr=5\r"));
    EXPECT_FALSE(commands().contains("at+cpbr=6\r"));
}

TEST_F(PhonebookSyncTest, ASilentPhoneIsNoticedAtTheFirstUnansweredRead) {
    state.sm.entries[1] = simEntry("111", "One");
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    sim.AddRow(1, "old", "Cached");
    silenceAfter(2);  // the selection and index 1 are answered

    EXPECT_EQ(sim.LoadFromPhone(phoneLink, progress).kind, MirrorOutcome::Kind::PhoneLost);
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{1, "Cached", "old"}}));
    EXPECT_FALSE(commands().contains("at+cpbr=3\r"));
}

TEST_F(PhonebookSyncTest, NewEntryGoesToThePhoneThenToTheTable) {
    state.me.entries[1] = simEntry("111", "One");
    PhoneLink& phoneLink = connect();
    CMsListDB ms;
    ms.LoadFromPhone(phoneLink, progress);

    EXPECT_EQ(shown(ms.StoreNewEntry(phoneLink, 0, "Two", "+222", 2, ask)), StoreOutcome::Stored);
    EXPECT_TRUE(commands().contains("at+cpbw=2,2,\"+222\",145,\"Two\"\r"));
    EXPECT_EQ(phone().me.entries.at(2), simEntry("+222", "Two"));
    EXPECT_EQ(indexes(ms), (QList<int>{1, 2}));
    EXPECT_EQ(ms.selectPosition(), 1);
    EXPECT_EQ(ms.RefillList(1).selectedPosition, 1);
}

TEST_F(PhonebookSyncTest, ExtensionStoreFullKeepsTheMainNumber) {
    state.extensionUsed = state.extensionCapacity;
    PhoneLink& phoneLink = connect();
    CMsListDB ms;
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);

    EXPECT_EQ(shown(ms.StoreNewEntry(phoneLink, 3, "Ext", "123P678", 2, ask)),
              StoreOutcome::Stored);
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text,
              "Number 3's extension number is not saved due to maximum capacity excess.\n Main "
              "number is only saved");
    EXPECT_EQ(prompter.prompts()[0].caption, "FULL");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Information);
    EXPECT_EQ(commands().last(), "at+cpbw=3,2,\"123\",129,\"Ext\"\r");
    EXPECT_EQ(phone().me.entries.at(3).dial, "123");
    EXPECT_EQ(ms.rows(), (QList<PhonebookEntry>{{3, "Ext", "123"}}));

    prompter.then(PromptAnswer::Ok);
    EXPECT_EQ(shown(ms.StoreEditedEntry(phoneLink, 3, "Ext2", "+45/99", ask)),
              StoreOutcome::Stored);
    EXPECT_EQ(prompter.prompts().last().text,
              "No 3's extension number is full.\n Main number is only saved");
    EXPECT_EQ(prompter.prompts().last().caption, "FULL");
    EXPECT_EQ(phone().me.entries.at(3), simEntry("+45", "Ext2"));
    EXPECT_EQ(ms.rows(), (QList<PhonebookEntry>{{3, "Ext2", "+45"}}));
}

TEST_F(PhonebookSyncTest, ExtensionFullAnswerWithoutAnExtensionKeepsTheWholeNumber) {
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    answerExtensionFullTo("\"5550\"");
    const int before = static_cast<int>(commands().size());

    EXPECT_EQ(shown(sim.StoreNewEntry(phoneLink, 2, "Plain", "5550", 0, ask)),
              StoreOutcome::Stored);
    const QString write = "at+cpbw=2,0,\"5550\",129,\"Plain\"\r";
    EXPECT_EQ(commands().mid(before), (QStringList{"at+cpbs=\"sm\"\r", write, write}));
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{2, "Plain", "5550"}}));

    EXPECT_EQ(shown(sim.StoreEditedEntry(phoneLink, 2, "Plainer", "5550", ask)),
              StoreOutcome::Stored);
    EXPECT_EQ(commands().last(), "at+cpbw=2,0,\"5550\",129,\"Plainer\"\r");
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{2, "Plainer", "5550"}}));
}

TEST_F(PhonebookSyncTest, ExtensionFitsWhenTheStoreHasRoom) {
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    EXPECT_EQ(shown(sim.StoreNewEntry(phoneLink, 1, "Ext", "123P678", 0, ask)),
              StoreOutcome::Stored);
    EXPECT_EQ(phone().sm.entries.at(1).dial, "123P678");
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{1, "Ext", "123P678"}}));
}

TEST_F(PhonebookSyncTest, ExistingIndexQuestionAnsweredBothWays) {
    state.sm.entries[4] = simEntry("444", "Four");
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    sim.LoadFromPhone(phoneLink, progress);
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Cancel).then(PromptAnswer::Ok);

    EXPECT_EQ(shown(sim.StoreNewEntry(phoneLink, 4, "New", "555", 0, ask)), StoreOutcome::Declined);
    EXPECT_EQ(phone().sm.entries.at(4).name, "Four");
    EXPECT_EQ(prompter.prompts()[0].text, "Number (4) is exist. Do you edit old phone book data?");
    EXPECT_EQ(prompter.prompts()[0].caption, "New PB");
    EXPECT_EQ(prompter.prompts()[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Question);

    EXPECT_EQ(shown(sim.StoreNewEntry(phoneLink, 4, "New", "555", 0, ask)), StoreOutcome::Stored);
    EXPECT_EQ(phone().sm.entries.at(4), simEntry("555", "New"));
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{4, "New", "555"}}));
    // The rewrite deletes the old entry first and writes with mode 0.
    const QStringList sent = commands();
    EXPECT_EQ(sent.mid(sent.size() - 2),
              (QStringList{"at+cpbw=4\r", "at+cpbw=4,0,\"555\",129,\"New\"\r"}));
}

TEST_F(PhonebookSyncTest, MissingIndexQuestionAnsweredBothWays) {
    PhoneLink& phoneLink = connect();
    CMsListDB ms;
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Cancel).then(PromptAnswer::Ok);

    EXPECT_EQ(shown(ms.StoreEditedEntry(phoneLink, 6, "Six", "666", ask)), StoreOutcome::Declined);
    EXPECT_TRUE(ms.rows().isEmpty());
    EXPECT_EQ(prompter.prompts()[0].text,
              "Number (6) does not exist. \n  Do you want make a new phone book?");
    EXPECT_EQ(prompter.prompts()[0].caption, "Edit PB");

    EXPECT_EQ(shown(ms.StoreEditedEntry(phoneLink, 6, "Six", "666", ask)), StoreOutcome::Stored);
    // A new entry reached from an edit is written with mode 0.
    EXPECT_EQ(commands().last(), "at+cpbw=6,0,\"666\",129,\"Six\"\r");
    EXPECT_EQ(ms.rows(), (QList<PhonebookEntry>{{6, "Six", "666"}}));
}

TEST_F(PhonebookSyncTest, RefusedRewritePutsTheOldEntryBack) {
    state.sm.entries[2] = simEntry("+222", "Two");
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    sim.LoadFromPhone(phoneLink, progress);
    setFaults("\"refused\"");

    EXPECT_EQ(shown(sim.StoreEditedEntry(phoneLink, 2, "refused", "333", ask)),
              StoreOutcome::Refused);
    EXPECT_EQ(phone().sm.entries.at(2), simEntry("+222", "Two"));
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{2, "Two", "+222"}}));
}

TEST_F(PhonebookSyncTest, DeletingPositionsTwoAndFiveDeletesRowsTwoAndFour) {
    for (int i = 1; i <= 6; ++i) {
        state.sm.entries[i] = simEntry(QString::number(i * 111), "N" + QString::number(i));
    }
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    sim.LoadFromPhone(phoneLink, progress);
    sim.RefillList(0);
    progress.calls.clear();
    const int before = static_cast<int>(commands().size());

    sim.DeleteSelected(phoneLink, {2, 5}, progress);
    EXPECT_EQ(indexes(sim), (QList<int>{1, 2, 4, 5}));
    EXPECT_EQ(commands().mid(before),
              (QStringList{"at+cpbs=\"sm\"\r", "at+cpbw=3\r", "at+cpbs=\"sm\"\r", "at+cpbw=6\r"}));
    EXPECT_EQ(sim.deletedCount(), 2);
    EXPECT_EQ(progress.calls.first(), "show Phone Book SIM Delete|Delete...");
    EXPECT_TRUE(progress.calls.contains("value 50"));
    EXPECT_EQ(progress.calls.last(), "destroy");
    EXPECT_EQ(sim.deletionTable().rowCount(), 2);
    EXPECT_EQ(sim.deletionTable().firstRow(), (PhonebookEntry{3, "N3", "333"}));
}

TEST_F(PhonebookSyncTest, ARefusedDeletionKeepsLaterOnesOnTheirRows) {
    for (int i = 1; i <= 6; ++i) {
        state.me.entries[i] = simEntry(QString::number(i), "N" + QString::number(i));
    }
    PhoneLink& phoneLink = connect();
    CMsListDB ms;
    ms.LoadFromPhone(phoneLink, progress);
    ms.RefillList(0);
    setFaults("cpbw=2");

    ms.DeleteSelected(phoneLink, {1, 3, 4}, progress);
    EXPECT_EQ(indexes(ms), (QList<int>{1, 2, 3, 6}));
    EXPECT_EQ(ms.deletedCount(), 2);
    EXPECT_EQ(phone().me.entries.count(4), 0u);
    EXPECT_EQ(phone().me.entries.count(5), 0u);
}

TEST_F(PhonebookSyncTest, SingleDeletionSelectsTheRowThatTookItsPlace) {
    for (int i = 1; i <= 3; ++i) {
        state.sm.entries[i] = simEntry(QString::number(i), "N" + QString::number(i));
    }
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    sim.LoadFromPhone(phoneLink, progress);
    sim.RefillList(0);
    sim.DeleteSelected(phoneLink, {1}, progress);
    EXPECT_EQ(sim.RefillList(3).selectedPosition, 1);
    sim.DeleteSelected(phoneLink, {1}, progress);
    EXPECT_EQ(sim.RefillList(3).selectedPosition, 0);
}

TEST_F(PhonebookSyncTest, DeleteAllStopsAtTheFirstRefusal) {
    for (int i = 1; i <= 4; ++i) {
        state.sm.entries[i] = simEntry(QString::number(i), "N" + QString::number(i));
    }
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    sim.LoadFromPhone(phoneLink, progress);
    sim.RefillList(0);
    setFaults("cpbw=3");
    const int before = static_cast<int>(commands().size());

    sim.DeleteAll(phoneLink, progress);
    EXPECT_EQ(indexes(sim), (QList<int>{3, 4}));
    EXPECT_EQ(commands().mid(before).filter("at+cpbw=").size(), 3);
}

TEST_F(PhonebookSyncTest, MsDeleteAllIgnoresTheFilterSimKeepsIt) {
    for (int i = 1; i <= 3; ++i) {
        state.sm.entries[i] = simEntry(QString::number(i), i == 2 ? "Keep" : "Drop");
        state.me.entries[i] = simEntry(QString::number(i), i == 2 ? "Keep" : "Drop");
    }
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    CMsListDB ms;
    sim.LoadFromPhone(phoneLink, progress);
    ms.LoadFromPhone(phoneLink, progress);
    sim.SetFilterStrings("Drop", "");
    ms.SetFilterStrings("Drop", "");
    sim.RefillList(0);
    ms.RefillList(0);

    sim.DeleteAll(phoneLink, progress);
    ms.DeleteAll(phoneLink, progress);
    sim.SetFilterStrings("", "");
    sim.RefillList(0);
    ms.SetFilterStrings("", "");
    ms.RefillList(0);
    EXPECT_EQ(indexes(sim), (QList<int>{2}));
    EXPECT_TRUE(ms.rows().isEmpty());
    EXPECT_TRUE(phone().me.entries.empty());
    EXPECT_EQ(phone().sm.entries.size(), 1u);
}

TEST_F(PhonebookSyncTest, OffLineChangesTouchOnlyTheTable) {
    state.sm.entries[1] = simEntry("111", "One");
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    sim.LoadFromPhone(phoneLink, progress);
    sim.RefillList(0);
    phoneLink.phoneFound = false;
    const int before = static_cast<int>(commands().size());

    EXPECT_EQ(shown(sim.StoreNewEntry(phoneLink, 0, "Two", "222", 0, ask)), StoreOutcome::Stored);
    EXPECT_EQ(shown(sim.StoreEditedEntry(phoneLink, 1, "Uno", "1111", ask)), StoreOutcome::Stored);
    sim.RefillList(0);
    sim.DeleteSelected(phoneLink, {1}, progress);
    EXPECT_EQ(sim.LoadFromPhone(phoneLink, progress).kind, MirrorOutcome::Kind::Skipped);

    EXPECT_EQ(commands().size(), before);
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{1, "Uno", "1111"}}));
    EXPECT_EQ(sim.deletionTable().firstRow(), (PhonebookEntry{2, "Two", "222"}));
    EXPECT_EQ(phone().sm.entries.size(), 1u);

    showNotices(sim.RestoreDeleted(phoneLink, ask));
    EXPECT_EQ(indexes(sim), (QList<int>{1, 2}));
    EXPECT_EQ(commands().size(), before);
}

TEST_F(PhonebookSyncTest, RestorePutsEntriesBackAtTheirOldIndexes) {
    for (int i = 1; i <= 5; ++i) {
        state.me.entries[i] = simEntry(QString::number(i), "N" + QString::number(i));
    }
    PhoneLink& phoneLink = connect();
    CMsListDB ms;
    ms.LoadFromPhone(phoneLink, progress);
    ms.RefillList(0);
    ms.DeleteSelected(phoneLink, {1, 3}, progress);
    ASSERT_EQ(indexes(ms), (QList<int>{1, 3, 5}));

    showNotices(ms.RestoreDeleted(phoneLink, ask));
    EXPECT_EQ(indexes(ms), (QList<int>{1, 2, 3, 4, 5}));
    EXPECT_TRUE(ms.deletionTable().isEmpty());
    EXPECT_EQ(phone().me.entries.at(4), simEntry("4", "N4"));
    EXPECT_TRUE(commands().contains("at+cpbw=2,2,\"2\",129,\"N2\"\r"));
}

TEST_F(PhonebookSyncTest, RestoreKeepsWhatThePhoneRefuses) {
    state.sm.entries[1] = simEntry("1", "Keep me");
    state.sm.entries[2] = simEntry("2", "Two");
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    sim.LoadFromPhone(phoneLink, progress);
    sim.RefillList(0);
    sim.DeleteSelected(phoneLink, {0, 1}, progress);
    setFaults("Keep me");

    showNotices(sim.RestoreDeleted(phoneLink, ask));
    EXPECT_EQ(indexes(sim), (QList<int>{2}));
    EXPECT_EQ(sim.deletionTable().rowCount(), 1);
    EXPECT_EQ(sim.deletionTable().firstRow().name, "Keep me");
}

TEST_F(PhonebookSyncTest, TotalUsesThePhonesCapacity) {
    state.sm.capacity = 250;
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    EXPECT_EQ(sim.ShowTotal(phoneLink), "TOTAL : 0 / 250");
    sim.AddRow(1, "1", "One");
    EXPECT_EQ(sim.ShowTotal(phoneLink), "TOTAL : 1 / 250");
    CMsListDB ms;
    EXPECT_EQ(ms.ShowTotal(phoneLink), "TOTAL : 0 / 30");
}

}  // namespace

TEST_F(PhonebookSyncTest, TextThePhoneCannotTakeIsNeitherSentNorStored) {
    state.sm.entries[1] = simEntry("111", "One");
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    sim.LoadFromPhone(phoneLink, progress);
    const PhoneSimState before = phone();
    const qsizetype sent = commands().size();
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok).then(PromptAnswer::Ok).then(PromptAnswer::Ok);

    EXPECT_EQ(shown(sim.StoreNewEntry(phoneLink, 0, "Tom \"Q\" Ray", "123", 0, ask)),
              StoreOutcome::UnsafeText);
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text,
              phoneSafeTextProblem("Tom \"Q\" Ray", PhoneTextKind::Name));
    EXPECT_EQ(prompter.prompts()[0].caption, "ERROR");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Error);
    EXPECT_EQ(shown(sim.StoreEditedEntry(phoneLink, 1, "Tom \"Q\" Ray", "111", ask)),
              StoreOutcome::UnsafeText);
    // A carriage return in a pasted number would end the command line early.
    EXPECT_EQ(shown(sim.StoreNewEntry(phoneLink, 2, "Tom", "12\r3", 0, ask)),
              StoreOutcome::UnsafeText);
    EXPECT_EQ(prompter.prompts()[2].text, phoneSafeTextProblem("12\r3", PhoneTextKind::Number));

    EXPECT_EQ(commands().size(), sent);
    EXPECT_EQ(phone(), before);
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{1, "One", "111"}}));
}

TEST_F(PhonebookSyncTest, ARefusedRowStaysInTheDeletionTableOnRestore) {
    PhoneLink& phoneLink = connect();
    CSimViewDB sim;
    sim.LoadFromPhone(phoneLink, progress);
    // A row deleted off-line from an older cache, holding a quote no phone line can carry.
    sim.deletionTable().AddDeletedRow({4, "Tom \"Q\" Ray", "444"});
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    showNotices(sim.RestoreDeleted(phoneLink, ask));
    EXPECT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(sim.deletionTable().rowCount(), 1);
    EXPECT_EQ(sim.FullRecordCount(), 0);
    EXPECT_TRUE(phone().sm.entries.empty());
}

// A range answer that stops half-way, the phone gone: the cache stays as it was.
TEST_F(PhonebookSyncTest, RangeCutShortWithThePhoneGoneKeepsTheCache) {
    for (int i = 1; i <= 10; ++i) {
        state.sm.entries[i] = simEntry(QString::number(i), "N" + QString::number(i));
    }
    PhoneLink& phoneLink = connect();
    phoneLink.settings.fastLoad = true;
    CSimViewDB sim;
    sim.AddRow(2, "222", "Cached");
    PhoneSimEngine* engine = &phoneSim->engine();
    auto gone = std::make_shared<bool>(false);
    phoneSim->line().setResponder([engine, gone](const QByteArray& written) {
        if (*gone) {
            return QList<FakeChunk>{};
        }
        *gone = written.contains(',');
        const QByteArray answer = engine->feed(written);
        return QList<FakeChunk>{
            FakeChunk{0, *gone ? answer.left(answer.size() / 2) : answer, false}};
    });
    EXPECT_EQ(sim.LoadFromPhone(phoneLink, progress).kind, MirrorOutcome::Kind::PhoneLost);
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{2, "Cached", "222"}}));
}
