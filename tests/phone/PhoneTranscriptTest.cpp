// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "platform/Profile.h"
#include "shell/ServiceCentre.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"

// The connection, phonebook and service centre operations against their recorded exchanges,
// byte for byte (tests/data/transcripts).

namespace {

PhoneSimPhonebookEntry entry(const QString& dial, const QString& name) {
    return PhoneSimPhonebookEntry{dial, dial.startsWith('+') ? 145 : 129, name};
}

// Small books with a few entries, so the transcripts stay short and readable.
PhoneSimState transcriptPhone() {
    PhoneSimState state = PhoneSimState::demo();
    state.sm = PhoneSimPhonebook{12, {}};
    state.sm.entries[1] = entry("+447700900123", "Alice Hartley");
    state.sm.entries[2] = entry("01632960001", "Bert, Jr");
    state.me = PhoneSimPhonebook{25, {}};
    state.me.entries[3] = entry("+*31#4412", "Caller Hidden");
    state.me.entries[4] = entry("0800123P45", "Desk");
    state.serviceCentre = "+447785016005";
    return state;
}

class PhoneTranscriptTest : public ::testing::Test {
  protected:
    PhoneTranscriptTest() { Profile::useFolder(dir.path()); }
    ~PhoneTranscriptTest() override { Profile::useFolder({}); }
    TempWorkDir dir;
};

}  // namespace

TEST_F(PhoneTranscriptTest, IdentificationAndCapacities) {
    TranscriptReplay replay("identification", transcriptPhone());
    PhoneLink link(replay.options());
    EXPECT_TRUE(link.phoneFound);
    EXPECT_EQ(link.simPhonebookCapacity, 12);
    EXPECT_EQ(link.mePhonebookCapacity, 25);
    EXPECT_TRUE(replay.matched());
}

TEST_F(PhoneTranscriptTest, AnotherMakerCostsFourTransactions) {
    PhoneSimState state = transcriptPhone();
    state.maker = "Othermake";
    TranscriptReplay replay("identification-other-maker", state);
    PhoneLink link(replay.options());
    EXPECT_FALSE(link.phoneFound);
    EXPECT_EQ(link.simPhonebookCapacity, 300);
    EXPECT_TRUE(replay.matched());
}

TEST_F(PhoneTranscriptTest, FeatureMask) {
    TranscriptReplay replay("feature-mask", transcriptPhone());
    EXPECT_EQ(replay.connectThenReplay().QueryFeatureMask(), 15);
    EXPECT_TRUE(replay.matched());
}

TEST_F(PhoneTranscriptTest, PhonebookMemorySelection) {
    TranscriptReplay replay("phonebook-select", transcriptPhone());
    PhoneLink& link = replay.connectThenReplay();
    EXPECT_EQ(link.SelectPhonebookMemory(0), kTransactComplete);
    EXPECT_EQ(link.SelectPhonebookMemory(1), kTransactComplete);
    EXPECT_TRUE(replay.matched());
}

TEST_F(PhoneTranscriptTest, SimReadWriteDelete) {
    TranscriptReplay replay("phonebook-sim", transcriptPhone());
    PhoneLink& link = replay.connectThenReplay();
    QString text;
    ASSERT_EQ(link.SelectPhonebookMemory(0), kTransactComplete);
    EXPECT_EQ(link.ReadPhonebookEntry(2, text), kTransactComplete);
    EXPECT_TRUE(text.startsWith("2,\"01632960001\",129,\"Bert, Jr\"")) << text.toStdString();
    EXPECT_EQ(link.ReadPhonebookEntry(5, text), kTransactComplete);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_EQ(link.WritePhonebookEntry(5, 0, "+441632960002", 145, "New"), kTransactComplete);
    EXPECT_EQ(link.WritePhonebookEntry(6, 1, "0163P12", 129, "Extension"), kTransactComplete);
    EXPECT_EQ(link.ReadPhonebookEntry(6, text), kTransactComplete);
    EXPECT_TRUE(text.startsWith("6,\"0163P12\",129,\"Extension\"")) << text.toStdString();
    EXPECT_EQ(link.DeletePhonebookEntry(2), kTransactComplete);
    EXPECT_EQ(link.ReadPhonebookEntry(2, text), kTransactComplete);
    EXPECT_TRUE(text.isEmpty());
    EXPECT_TRUE(replay.matched());
}

TEST_F(PhoneTranscriptTest, PhoneMemoryReadWriteDelete) {
    TranscriptReplay replay("phonebook-me", transcriptPhone());
    PhoneLink& link = replay.connectThenReplay();
    QString text;
    ASSERT_EQ(link.SelectPhonebookMemory(1), kTransactComplete);
    EXPECT_EQ(link.ReadPhonebookEntry(3, text), kTransactComplete);
    EXPECT_TRUE(text.startsWith("3,\"+*31#4412\",145,\"Caller Hidden\"")) << text.toStdString();
    EXPECT_EQ(link.ReadPhonebookEntry(4, text), kTransactComplete);
    EXPECT_TRUE(text.startsWith("4,\"0800123P45\",129,\"Desk\"")) << text.toStdString();
    // The display form goes out in phone form, typed international whatever the caller said.
    EXPECT_EQ(link.WritePhonebookEntry(7, 2, "#31#+4420", 129, "Hidden"), kTransactComplete);
    EXPECT_EQ(link.WritePhonebookEntry(8, 3, "+4420/9", 145, "Slash"), kTransactComplete);
    EXPECT_EQ(link.DeletePhonebookEntry(4), kTransactComplete);
    EXPECT_TRUE(replay.matched());
}

TEST_F(PhoneTranscriptTest, ExtensionStoreFullAnswersTheMarker) {
    PhoneSimState state = transcriptPhone();
    state.extensionCapacity = 1;  // the stored "P45" fills it
    TranscriptReplay replay("phonebook-extension-full", state);
    PhoneLink& link = replay.connectThenReplay();
    QString text;
    ASSERT_EQ(link.SelectPhonebookMemory(1), kTransactComplete);
    EXPECT_EQ(link.WritePhonebookEntry(9, 2, "0163P77", 129, "Full"), kTransactPhonebookMarker);
    EXPECT_EQ(link.ReadPhonebookEntry(9, text), kTransactComplete);
    EXPECT_TRUE(text.startsWith("9,\"0163\",129,\"Full\"")) << text.toStdString();
    // Without an extension the same write is plain.
    EXPECT_EQ(link.WritePhonebookEntry(9, 0, "0163", 129, "Full"), kTransactComplete);
    EXPECT_TRUE(replay.matched());
}

TEST_F(PhoneTranscriptTest, ServiceCentreReadAndSet) {
    TranscriptReplay replay("service-centre", transcriptPhone());
    PhoneLink& link = replay.connectThenReplay();
    QString text;
    EXPECT_EQ(link.ReadServiceCentre(text), kTransactComplete);
    EXPECT_TRUE(text.startsWith("\"+447785016005\",145")) << text.toStdString();
    EXPECT_EQ(link.WriteServiceCentre("+447700900999"), kTransactComplete);
    EXPECT_EQ(link.ReadServiceCentre(text), kTransactComplete);
    EXPECT_TRUE(text.startsWith("\"+447700900999\"")) << text.toStdString();
    EXPECT_TRUE(replay.matched());
}

TEST_F(PhoneTranscriptTest, ServiceCentreCommandProbesReadsAndWrites) {
    TranscriptReplay replay("service-centre-command", transcriptPhone());
    PhoneLink& link = replay.connectThenReplay();
    QString shown;
    const Notices told =
        RunServiceCentre(link, [&shown](const QString& initial) -> std::optional<QString> {
            shown = initial;
            return QString("+4477001");
        });
    EXPECT_EQ(shown, "+447785016005");
    EXPECT_TRUE(told.isEmpty());
    EXPECT_TRUE(replay.matched());
}
