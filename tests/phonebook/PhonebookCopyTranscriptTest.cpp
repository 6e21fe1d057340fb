// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/PhonebookCopy.h"
#include "platform/Notice.h"
#include "platform/Profile.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"

// Recorded exchanges of copies between memories, replayed byte for byte.

namespace {

PhoneSimState copyPhone() {
    PhoneSimState state;
    state.sm = PhoneSimPhonebook{10, {}};
    state.me = PhoneSimPhonebook{10, {}};
    return state;
}

class PhonebookCopyTranscriptTest : public ::testing::Test {
  protected:
    PhonebookCopyTranscriptTest() { Profile::useFolder(dir.path()); }
    ~PhonebookCopyTranscriptTest() override { Profile::useFolder({}); }

    PhonebookCopyResult copy(PhoneLink& link, PhonebookMemory source, PhonebookMemory target,
                             const QList<int>& indexes) {
        PhonebookTable& table = source == MemorySim  ? static_cast<PhonebookTable&>(sim)
                                : source == MemoryMs ? static_cast<PhonebookTable&>(ms)
                                                     : static_cast<PhonebookTable&>(pc);
        PhonebookCopy copier(sim, ms, pc);
        PhonebookCopyResult result =
            copier.run(&link, source, target,
                       PhonebookCopy::rowsWithIndexes(table, indexes, nullptr), prompterAsker());
        // As the view does: the stores' notices come before the copy's message.
        showNotices(result.notices);
        return result;
    }

    TempWorkDir dir;
    CSimViewDB sim;
    CMsListDB ms;
    CPCListDB pc;
};

}  // namespace

TEST_F(PhonebookCopyTranscriptTest, SimToMsProbesAndWritesEachItem) {
    sim.AddRow(1, "111", "Ann");
    sim.AddRow(2, "+*31#22", "Bob");
    TranscriptReplay replay("phonebook_copy_sim_to_ms", copyPhone());
    const PhonebookCopyResult result =
        copy(replay.connectThenReplay(), MemorySim, MemoryMs, {1, 2});
    EXPECT_TRUE(replay.matched());
    EXPECT_EQ(result.message->text, "2 entries are copied.");
    EXPECT_EQ(ms.rows(), (QList<PhonebookEntry>{{1, "Ann", "111"}, {2, "Bob", "*31#+22"}}));
}

TEST_F(PhonebookCopyTranscriptTest, ExtensionStoreFullWritesTheMainNumber) {
    PcPhonebookEntry entry;
    entry.number = 1;
    entry.name = "Ext";
    entry.mainNumber = "123P678";
    pc.AddRow(entry);
    PhoneSimState state = copyPhone();
    state.extensionUsed = state.extensionCapacity;
    TranscriptReplay replay("phonebook_copy_extension_full", state);
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    const PhonebookCopyResult result = copy(replay.connectThenReplay(), MemoryPc, MemoryMs, {1});
    EXPECT_TRUE(replay.matched());
    EXPECT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(result.message->text, "1 entry is copied.");
    EXPECT_EQ(ms.rows(), (QList<PhonebookEntry>{{1, "Ext", "123"}}));
}

TEST_F(PhonebookCopyTranscriptTest, AnUnansweredProbeEndsTheCopy) {
    ms.AddRow(4, "444", "Dee");
    TranscriptReplay replay("phonebook_copy_phone_lost", copyPhone());
    const PhonebookCopyResult result = copy(replay.connectThenReplay(), MemoryMs, MemorySim, {4});
    EXPECT_TRUE(replay.matched());
    EXPECT_EQ(result.end, PhonebookCopyEnd::PhoneLost);
    EXPECT_EQ(result.message->text, "The cable is not connected to the phone");
    EXPECT_EQ(sim.FullRecordCount(), 0);
}
