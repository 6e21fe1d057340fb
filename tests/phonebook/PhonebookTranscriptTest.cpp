// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "phone/AppState.h"
#include "phonebook/PhoneMemoryTable.h"
#include "platform/Notice.h"
#include "platform/Profile.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"

// Loading and storing phonebook entries against their recorded exchanges, byte for byte.

namespace {

PhoneSimPhonebookEntry entry(const QString& dial, const QString& name) {
    return PhoneSimPhonebookEntry{dial, dial.startsWith('+') ? 145 : 129, name};
}

class PhonebookTranscriptTest : public ::testing::Test {
  protected:
    PhonebookTranscriptTest() {
        Profile::useFolder(dir.path());
        state.sm = PhoneSimPhonebook{6, {}};
        state.sm.entries[1] = entry("+4411", "Anna");
        state.sm.entries[3] = entry("999", "Unreadable");
        state.sm.entries[5] = entry("0163P12", "Fifth");
        state.me = PhoneSimPhonebook{8, {}};
        state.me.entries[2] = entry("+*31#77", "Hidden");
    }
    ~PhonebookTranscriptTest() override {
        closeAllDatabases();
        Profile::useFolder({});
    }

    static StoreOutcome shown(const StoreResult& result) {
        showNotices(result.notices);
        return result.outcome;
    }

    TempWorkDir dir;
    RecordingProgress progress;
    const Asker ask = prompterAsker();
    PhoneSimState state = PhoneSimState::demo();
};

}  // namespace

// A read that fails is followed at once by the presence probe; a held fifth index is probed
// too. The phone answers both probes, so the pass completes and replaces the table.
TEST_F(PhonebookTranscriptTest, LoadProbesAfterAFailedRead) {
    TranscriptReplay replay("phonebook-load-probe", state);
    PhoneLink& link = replay.connectThenReplay();
    PhoneSimFaults faults;
    faults.errorPattern = "cpbr=3";
    replay.engine().setFaults(faults);

    CSimViewDB sim;
    sim.AddRow(4, "old", "Stale row");
    EXPECT_EQ(sim.LoadFromPhone(link, progress).kind, MirrorOutcome::Kind::Loaded);
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{1, "Anna", "+4411"}, {5, "Fifth", "0163P12"}}));
    EXPECT_TRUE(replay.matched());
}

// New, edit and delete through the phone-memory store: each selects the memory right before
// its write, and a new entry with an extension meets a full extension store.
TEST_F(PhonebookTranscriptTest, PhoneMemoryStorePaths) {
    state.extensionCapacity = 0;
    TranscriptReplay replay("phonebook-me-store", state);
    PhoneLink& link = replay.connectThenReplay();
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);

    CMsListDB ms;
    ms.AddRow(2, "+*31#77", "Hidden");
    EXPECT_EQ(shown(ms.StoreNewEntry(link, 0, "Desk", "0800P45", 2, ask)), StoreOutcome::Stored);
    EXPECT_EQ(shown(ms.StoreEditedEntry(link, 2, "Hidden Two", "+*31#78", ask)),
              StoreOutcome::Stored);
    ASSERT_EQ(ms.rows().size(), 2);
    EXPECT_TRUE(ms.DeleteEntryAt(link, 0));
    EXPECT_EQ(ms.rows(), (QList<PhonebookEntry>{{2, "Hidden Two", "+*31#78"}}));
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].caption, "FULL");
    EXPECT_TRUE(replay.matched());
}

// Fast loading: ranges of fifty; the second range of the SIM holds nothing and answers "OK".
TEST_F(PhonebookTranscriptTest, FastLoadReadsRanges) {
    state.sm.capacity = 60;
    TranscriptReplay replay("phonebook-load-fast", state);
    PhoneLink& link = replay.connectThenReplay();
    link.settings.fastLoad = true;
    CSimViewDB sim;
    CMsListDB ms;
    EXPECT_TRUE(sim.LoadFromPhone(link, progress).loaded());
    EXPECT_TRUE(ms.LoadFromPhone(link, progress).loaded());
    EXPECT_EQ(sim.rows(),
              (QList<PhonebookEntry>{
                  {1, "Anna", "+4411"}, {3, "Unreadable", "999"}, {5, "Fifth", "0163P12"}}));
    EXPECT_EQ(ms.rows(), (QList<PhonebookEntry>{{2, "Hidden", "+*31#77"}}));
    EXPECT_TRUE(replay.matched());
}

TEST_F(PhonebookTranscriptTest, PhoneLostDuringTheLoadKeepsTheCache) {
    TranscriptReplay replay("phonebook-load-phone-lost", state);
    PhoneLink& link = replay.connectThenReplay();
    CSimViewDB sim;
    sim.AddRow(4, "old", "Cached");
    const MirrorOutcome outcome = sim.LoadFromPhone(link, progress);
    EXPECT_EQ(outcome.kind, MirrorOutcome::Kind::PhoneLost);
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{4, "Cached", "old"}}));
    ASSERT_TRUE(outcome.notice);
    EXPECT_EQ(outcome.notice->caption, "Error");
    EXPECT_TRUE(replay.matched());
}

// Under UCS2 names and numbers travel as hex both ways; the probe after the failed read resets
// the phone, so the set is selected again before the load reads on.
TEST_F(PhonebookTranscriptTest, Ucs2LoadSelectsTheSetAgainAfterTheProbeThenWrites) {
    state.sm.entries[1] = entry("+4411", QStringLiteral("Ελένη 😀"));
    state.sm.entries[5] = entry("0163P12", QStringLiteral("王小明"));
    TranscriptReplay replay("phonebook-ucs2-load-write", state);
    PhoneSettings settings;
    settings.charset = PhoneCharset::Ucs2;
    replay.setSettings(settings);
    PhoneLink& link = replay.connectThenReplay();
    AppStateOwner owner;
    owner.state().textLink = &link;
    PhoneSimFaults faults;
    faults.errorPattern = "cpbr=3";
    replay.engine().setFaults(faults);

    CSimViewDB sim;
    EXPECT_EQ(sim.LoadFromPhone(link, progress).kind, MirrorOutcome::Kind::Loaded);
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{1, QStringLiteral("Ελένη 😀"), "+4411"},
                                                 {5, QStringLiteral("王小明"), "0163P12"}}));
    EXPECT_EQ(shown(sim.StoreNewEntry(link, 2, "Tom \"Q\" Ray €", "+7495", 0, ask)),
              StoreOutcome::Stored);
    EXPECT_TRUE(replay.matched());
}

// A phone of another maker under the standard type: its identification, the memories and index
// range it reports (from 0, SIM only), a load one entry a command and a write inside the range.
TEST_F(PhonebookTranscriptTest, StandardPhoneFromConnectionToWrite) {
    state = PhoneSimState::standardPersona();
    state.sm = PhoneSimPhonebook{4, {}};
    state.sm.entries[0] = entry("+4411", "Anna");
    state.sm.entries[3] = entry("0163", "Last");
    state.phoneMemory = false;
    state.firstPhonebookIndex = 0;
    TranscriptReplay replay("phonebook-standard-phone", state);
    PhoneSettings settings;
    settings.profile = PhoneProfile::Standard;
    replay.setSettings(settings);
    PhoneLink link(replay.options());
    ASSERT_TRUE(link.phoneFound);
    EXPECT_EQ(link.QueryFeatureMask(), 12);

    CSimViewDB sim;
    EXPECT_TRUE(sim.LoadFromPhone(link, progress).loaded());
    EXPECT_EQ(sim.rows(), (QList<PhonebookEntry>{{1, "Anna", "+4411"}, {4, "Last", "0163"}}));
    EXPECT_EQ(link.SelectPhonebookMemory(1), 1);
    ASSERT_EQ(link.SelectPhonebookMemory(0), 0);
    EXPECT_EQ(link.WritePhonebookEntry(2, 0, "+55", 145, "Zoë"), 0);
    EXPECT_TRUE(replay.matched());
}
