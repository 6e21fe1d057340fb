// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "phone/PhoneLink.h"
#include "sms/CSmsDB.h"
#include "support/RecordingProgress.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"

// Every message operation against its recorded exchange, byte for byte.

namespace {

PhoneSimState transcriptPhone() {
    PhoneSimState state = PhoneSimState::demo();
    state.serviceCentre = "+4477";
    state.showHeader = 1;
    state.smMessages.capacity = 4;
    state.smMessages.messages.clear();
    state.smMessages.messages[1] = {"REC UNREAD",   "+491", 145, "01/05/14,12:30:00+36",
                                    "a, \"b\"\nOK", 4,      0,   0};
    state.smMessages.messages[3] = {"STO UNSENT", "0123", 129, {}, "draft", 145, 0, 167};
    return state;
}

}  // namespace

TEST(MessageTranscripts, MessageMode) {
    TranscriptReplay replay("sms_message_mode", transcriptPhone());
    EXPECT_EQ(replay.connectThenReplay().SetMessageMode(1, 1, 1), 0);
    EXPECT_TRUE(replay.matched());
}

TEST(MessageTranscripts, SendParameters) {
    TranscriptReplay replay("sms_send_parameters", transcriptPhone());
    EXPECT_EQ(replay.connectThenReplay().SetSendParameters(1, 1, 5, 0), 0);
    EXPECT_TRUE(replay.matched());
}

TEST(MessageTranscripts, ReadReceivedStoredEmptyAndOutside) {
    TranscriptReplay replay("sms_read", transcriptPhone());
    PhoneLink& link = replay.connectThenReplay();
    ASSERT_EQ(link.SetMessageMode(1, 1, 1), 0);
    QString body;
    EXPECT_EQ(link.ReadMessage(1, body), 0);
    EXPECT_TRUE(body.startsWith("\"REC UNREAD\",\"+491\""));
    EXPECT_EQ(link.ReadMessage(2, body), 0);
    EXPECT_TRUE(body.isEmpty());
    EXPECT_EQ(link.ReadMessage(3, body), 0);
    EXPECT_TRUE(body.startsWith("\"STO UNSENT\",\"0123\""));
    EXPECT_EQ(link.ReadMessage(5, body), 1);
    EXPECT_TRUE(replay.matched());
}

TEST(MessageTranscripts, Delete) {
    TranscriptReplay replay("sms_delete", transcriptPhone());
    EXPECT_EQ(replay.connectThenReplay().DeleteMessage(1, 3), 0);
    EXPECT_TRUE(replay.matched());
}

TEST(MessageTranscripts, Write) {
    TranscriptReplay replay("sms_write", transcriptPhone());
    QString newIndex;
    EXPECT_EQ(replay.connectThenReplay().WriteMessage(1, 0, 3, 0, "0123", 129, "STO UNSENT",
                                                      "Two\nlines, with commas", newIndex),
              0);
    EXPECT_EQ(newIndex, "2");
    EXPECT_TRUE(replay.matched());
}

TEST(MessageTranscripts, Send) {
    TranscriptReplay replay("sms_send", transcriptPhone());
    EXPECT_EQ(replay.connectThenReplay().SendMessage(1, 1, 3, 0, "+49123", 145, "Hello"), 0);
    EXPECT_TRUE(replay.matched());
}

// Destination and text in hex, the text marked as UCS2 on the air where the GSM alphabet lacks it.
TEST(MessageTranscripts, Ucs2Send) {
    TranscriptReplay replay("sms_send_ucs2", transcriptPhone());
    replay.setSettings(PhoneSettings{
        .charset = PhoneCharset::Ucs2, .fastLoad = false, .profile = {}, .smsFormat = {}});
    const QString text = QStringLiteral("Γειά σου, \"Иван\" 你好 😀");
    EXPECT_EQ(replay.connectThenReplay().SendMessage(1, 1, 3, 0, "+49123", 145, text), 0);
    EXPECT_TRUE(replay.matched());
}

TEST(MessageTranscripts, Count) {
    TranscriptReplay replay("sms_count", transcriptPhone());
    EXPECT_EQ(replay.connectThenReplay().CountSimMessages(), 2);
    EXPECT_TRUE(replay.matched());
}

TEST(MessageTranscripts, NewMessageIndication) {
    TranscriptReplay replay("sms_new_message_indication", transcriptPhone());
    PhoneLink& link = replay.connectThenReplay();
    QString answer;
    EXPECT_TRUE(link.QueryNewMessageSettings(answer));
    EXPECT_TRUE(link.SetNewMessageIndication({"1", "1", "0", "0", "0"}, answer));
    EXPECT_TRUE(replay.matched());
}

TEST(MessageTranscripts, Load) {
    TempWorkDir dir;
    RecordingProgress progress;
    TranscriptReplay replay("sms_load", transcriptPhone());
    PhoneLink& link = replay.connectThenReplay();
    {
        CSmsDB store;
        EXPECT_TRUE(store.LoadFromPhone(link, progress).loaded());
        EXPECT_EQ(store.FillList(4).total, "TOTAL : 2 / 4 ");
    }
    closeAllDatabases();
    EXPECT_TRUE(replay.matched());
}

// Fast loading: one listing, then a read of the stored message for its sending parameters.
TEST(MessageTranscripts, FastLoad) {
    TempWorkDir dir;
    RecordingProgress progress;
    TranscriptReplay replay("sms_load_fast", transcriptPhone());
    PhoneLink& link = replay.connectThenReplay();
    link.settings.fastLoad = true;
    {
        CSmsDB store;
        EXPECT_TRUE(store.LoadFromPhone(link, progress).loaded());
        const QList<SmsListRow> rows = store.FillList(4).rows;
        ASSERT_EQ(rows.size(), 2);
        EXPECT_EQ(rows[0].status + rows[1].time, "UnRead24 hour");
    }
    closeAllDatabases();
    EXPECT_TRUE(replay.matched());
}
