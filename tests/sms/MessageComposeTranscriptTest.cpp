// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "platform/Notice.h"
#include "platform/Profile.h"
#include "sms/CSmsDB.h"
#include "sms/MessageCompose.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"

namespace {
class MessageComposeTranscriptTest : public ::testing::Test {
  protected:
    MessageComposeTranscriptTest() { Profile::useFolder(dir.path()); }
    ~MessageComposeTranscriptTest() override {
        Profile::useFolder({});
        closeAllDatabases();
    }
    TempWorkDir dir;
    ScriptedPrompter prompter;
};

ComposeValues values(int sendChoice) {
    ComposeValues values;
    values.name = "Ben";
    values.number = "+447700900456";
    values.message = "Running late\r\nsorry";
    values.validityChoice = 3;
    values.sendChoice = sendChoice;
    return values;
}
}  // namespace

TEST_F(MessageComposeTranscriptTest, SendAndSave) {
    TranscriptReplay replay("sms_send_and_save");
    PhoneLink& link = replay.connectThenReplay();
    const ComposeResult result = SendAndSave(link, values(kSendAndSave), prompterAsker());
    EXPECT_TRUE(replay.matched());
    EXPECT_TRUE(result.sent);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.location, "5");
    EXPECT_TRUE(result.notices.isEmpty());
    EXPECT_TRUE(prompter.prompts().isEmpty());
}

TEST_F(MessageComposeTranscriptTest, SaveOnly) {
    TranscriptReplay replay("sms_save_only");
    PhoneLink& link = replay.connectThenReplay();
    const ComposeResult result = SendAndSave(link, values(kSaveOnly), prompterAsker());
    EXPECT_TRUE(replay.matched());
    EXPECT_FALSE(result.sendAsked);
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.location, "5");
    CSmsDB store;
    store.Requery();
    ASSERT_EQ(store.GetRecordCount(), 1);
    store.MoveFirst();
    EXPECT_EQ(store.textValue("Status"), "Not Sent");
    EXPECT_EQ(store.textValue("Date"), "24 hour");
}
