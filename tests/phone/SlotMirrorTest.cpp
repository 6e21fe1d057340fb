// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/SlotMirror.h"

#include <gtest/gtest.h>

#include "support/EnginePhoneLink.h"
#include "support/RecordingProgress.h"

namespace {

// A pass over slots 1..4 whose reads answer from a script: code per slot, and a row staged for
// every slot that read with code 0 and is listed in `held`.
struct ScriptedPass {
    QList<int> codes{0, 0, 0, 0};
    QList<int> held{1, 3};
    bool tableWorks = true;
    SlotStaging<QString> staging;
    QList<int> readSlots;
    int replaced = 0;

    SlotMirrorPlan plan() {
        SlotMirrorPlan p;
        p.caption = QStringLiteral("Test Load");
        p.first = 1;
        p.last = 4;
        p.readSlot = [this](int slot) {
            readSlots << slot;
            const int code = codes[slot - 1];
            if (code == 0 && held.contains(slot)) {
                staging.add(slot, QStringLiteral("row %1").arg(slot));
            }
            return code;
        };
        p.progressValue = [](int slot) { return 25 * slot; };
        p.replaceTable = [this] {
            ++replaced;
            return tableWorks;
        };
        p.stagedCount = [this] { return staging.size(); };
        return p;
    }
};

TEST(SlotMirrorTest, CompletePassReplacesTheTableOnceAndCounts) {
    EnginePhoneLink phone;
    RecordingProgress progress;
    ScriptedPass pass;
    const MirrorOutcome outcome = mirrorSlots(phone.link(), progress, pass.plan());
    EXPECT_EQ(outcome.kind, MirrorOutcome::Kind::Loaded);
    EXPECT_EQ(outcome.slotsRead, 4);
    EXPECT_EQ(outcome.rowsStaged, 2);
    EXPECT_FALSE(outcome.notice);
    EXPECT_EQ(pass.replaced, 1);
    EXPECT_EQ(progress.calls, (QStringList{"show Test Load|Loading....", "value 25", "value 50",
                                           "value 75", "value 100", "destroy"}));
}

TEST(SlotMirrorTest, FailedReadWithPhonePresentCountsAsEmptyAndResumes) {
    EnginePhoneLink phone;
    RecordingProgress progress;
    ScriptedPass pass;
    pass.codes = {0, 1, 0, 0};
    int resumed = 0;
    SlotMirrorPlan plan = pass.plan();
    plan.resumeAfterProbe = [&] {
        ++resumed;
        return true;
    };
    const MirrorOutcome outcome = mirrorSlots(phone.link(), progress, plan);
    EXPECT_EQ(outcome.kind, MirrorOutcome::Kind::Loaded);
    EXPECT_EQ(outcome.slotsRead, 3);
    EXPECT_EQ(resumed, 1);
    EXPECT_TRUE(phone.line().writes().contains("at+cgmi\r"));
}

TEST(SlotMirrorTest, PhoneLostAtTheProbeKeepsTheTableAndSaysSo) {
    EnginePhoneLink phone;
    RecordingProgress progress;
    ScriptedPass pass;
    pass.codes = {0, 1, 0, 0};
    phone.silenceAfter(0);
    SlotMirrorPlan plan = pass.plan();
    plan.lostNotice = Notice{"lost", "Load", PromptIcon::Error};
    const MirrorOutcome outcome = mirrorSlots(phone.link(), progress, plan);
    EXPECT_EQ(outcome.kind, MirrorOutcome::Kind::PhoneLost);
    EXPECT_EQ(pass.readSlots, (QList<int>{1, 2}));
    EXPECT_EQ(pass.replaced, 0);
    ASSERT_TRUE(outcome.notice);
    EXPECT_EQ(outcome.notice->text, "lost");
    EXPECT_EQ(progress.calls.last(), "destroy");
}

TEST(SlotMirrorTest, RefusedResumeSkipsWithoutReplacing) {
    EnginePhoneLink phone;
    RecordingProgress progress;
    ScriptedPass pass;
    pass.codes = {1, 0, 0, 0};
    SlotMirrorPlan plan = pass.plan();
    plan.resumeAfterProbe = [] { return false; };
    const MirrorOutcome outcome = mirrorSlots(phone.link(), progress, plan);
    EXPECT_EQ(outcome.kind, MirrorOutcome::Kind::Skipped);
    EXPECT_EQ(pass.replaced, 0);
    EXPECT_FALSE(progress.visible);
}

TEST(SlotMirrorTest, TableFailureAndMissingPhoneAreTheirOwnOutcomes) {
    EnginePhoneLink phone;
    RecordingProgress progress;
    ScriptedPass pass;
    pass.tableWorks = false;
    EXPECT_EQ(mirrorSlots(phone.link(), progress, pass.plan()).kind,
              MirrorOutcome::Kind::TableFailed);

    phone.link().phoneFound = false;
    ScriptedPass offline;
    EXPECT_EQ(mirrorSlots(phone.link(), progress, offline.plan()).kind,
              MirrorOutcome::Kind::Skipped);
    EXPECT_TRUE(offline.readSlots.isEmpty());
}

TEST(SlotMirrorTest, StagingKeepsTheFirstRowOfASlot) {
    SlotStaging<QString> staging;
    EXPECT_TRUE(staging.add(3, "first"));
    EXPECT_FALSE(staging.add(3, "echo"));
    EXPECT_EQ(staging.rows(), QList<QString>{"first"});
}

}  // namespace
