// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "sms/CSmsDB.h"
#include "support/EnginePhoneLink.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

PhoneSimMessage received(const QString& status, const QString& address, const QString& text) {
    return {status, address, address.startsWith('+') ? 145 : 129, "01/05/14,12:30:00+36", text, 4,
            0,      0};
}

class SmsLoadTest : public ::testing::Test {
  protected:
    SmsLoadTest() {
        state = PhoneSimState::demo();
        state.smMessages.capacity = 10;
        state.smMessages.messages.clear();
    }
    ~SmsLoadTest() override { closeAllDatabases(); }

    PhoneLink& connect() {
        phone = std::make_unique<EnginePhoneLink>(state);
        return phone->link();
    }
    void refuse(const QByteArray& pattern) {
        PhoneSimFaults faults;
        faults.errorPattern = pattern;
        phone->engine().setFaults(faults);
    }
    QStringList numbers() {
        QStringList out;
        for (const SmsListRow& row : store.FillList(10).rows) {
            out << row.number;
        }
        return out;
    }
    QStringList commands() const {
        QStringList out;
        for (const QByteArray& line : phone->line().writes()) {
            out << QString::fromLatin1(line);
        }
        return out;
    }
    MirrorOutcome::Kind load(PhoneLink& link) {
        return (outcome = store.LoadFromPhone(link, progress)).kind;
    }
    void cacheOneRow() {
        SmsMessageValues cached;
        cached.index = "9";
        cached.statusWord = "REC READ";
        cached.text = "cached";
        store.AddMessage(cached);
    }

    AppStateOwner run;
    TempWorkDir dir;
    PhoneSimState state;
    std::unique_ptr<EnginePhoneLink> phone;
    CSmsDB store;
    RecordingProgress progress;
    MirrorOutcome outcome;
};

using Kind = MirrorOutcome::Kind;

}  // namespace

TEST_F(SmsLoadTest, LoadMirrorsTheOccupiedLocations) {
    state.smMessages.messages[2] = received("REC UNREAD", "+491", "hello");
    state.smMessages.messages[7] = {"STO UNSENT", "0123", 129, {}, "draft", 145, 0, 167};
    PhoneLink& link = connect();
    cacheOneRow();
    EXPECT_EQ(load(link), Kind::Loaded);
    EXPECT_EQ(numbers(), (QStringList{"2", "7"}));

    store.FillList(10);
    ASSERT_TRUE(store.MoveFirst());
    EXPECT_EQ(store.textValue("Status"), "UnRead");
    EXPECT_EQ(store.textValue("PhoneNumber"), "+491");
    EXPECT_EQ(store.textValue("Date"), "01/05/14,12:30:00+36");
    EXPECT_EQ(store.textValue("Message"), "hello");
    EXPECT_FALSE(store.boolValue("Reply"));
    EXPECT_EQ(store.textValue("Type"), "SIM");
    ASSERT_TRUE(store.MoveNext());
    EXPECT_EQ(store.textValue("Status"), "Not Sent");
    EXPECT_EQ(store.textValue("Date"), "24 hour");
    EXPECT_TRUE(store.boolValue("Reply"));
    // Reading marks the phone's copy read.
    EXPECT_EQ(phone->engine().state().smMessages.messages.at(2).status, "REC READ");
}

TEST_F(SmsLoadTest, ModeThenEveryLocationWithItsPauses) {
    state.smMessages.messages[1] = received("REC READ", "+491", "x");
    PhoneLink& link = connect();
    phone->clock().clearRecords();
    const qsizetype before = phone->line().writes().size();
    ASSERT_EQ(load(link), Kind::Loaded);
    QStringList expected{"at+cpms=\"sm\"\r", "at+cmgf=1\r", "at+csdh=1\r"};
    for (int i = 1; i <= 10; ++i) {
        expected << QString("at+cmgr=%1\r").arg(i);
    }
    EXPECT_EQ(commands().mid(before), expected);
    // 100 ms before each read, 300 ms in each read, 100 ms more after each empty location.
    const QList<int> sleeps = phone->clock().sleeps();
    EXPECT_EQ(sleeps.count(100), 10 + 9);
    EXPECT_EQ(sleeps.count(300), 10);
    EXPECT_EQ(progress.calls.first(), "show SMS Load|Loading....");
    EXPECT_TRUE(progress.calls.contains("value 18"));   // 100 * 1 / 10 + 8
    EXPECT_TRUE(progress.calls.contains("value 108"));  // the last asks for more than full
    EXPECT_EQ(progress.calls.last(), "destroy");
}

TEST_F(SmsLoadTest, TextKeepsCommasQuotesAndLineEnds) {
    state.smMessages.messages[1] = received("REC READ", "+491", "a, \"b\"\nc,\nd");
    state.smMessages.messages[3] = received("REC READ", "+491", "x\r\ny");
    PhoneLink& link = connect();
    ASSERT_EQ(load(link), Kind::Loaded);
    store.FillList(10);
    ASSERT_TRUE(store.MoveFirst());
    EXPECT_EQ(store.textValue("Message"), "a, \"b\"\r\nc,\r\nd");
    ASSERT_TRUE(store.MoveNext());
    EXPECT_EQ(store.textValue("Message"), "x\r\ny");
}

TEST_F(SmsLoadTest, StoredMessageWithoutValidity) {
    state.smMessages.messages[4] = {"STO SENT", "0123", 129, {}, "no validity", 17, 0, -1};
    PhoneLink& link = connect();
    ASSERT_EQ(load(link), Kind::Loaded);
    store.FillList(10);
    ASSERT_TRUE(store.MoveFirst());
    EXPECT_EQ(store.textValue("Status"), "Sent");
    EXPECT_EQ(store.textValue("Date"), "");
    EXPECT_EQ(store.textValue("Message"), "no validity");
    EXPECT_FALSE(store.boolValue("Reply"));
}

TEST_F(SmsLoadTest, OffLineShowsCommPortErrorAndKeepsTheTable) {
    PhoneLink& link = connect();
    link.phoneFound = false;
    cacheOneRow();
    const qsizetype before = phone->line().writes().size();
    EXPECT_EQ(load(link), Kind::Skipped);
    ASSERT_TRUE(outcome.notice);
    EXPECT_EQ(outcome.notice->text, "Comm Port Error!");
    EXPECT_EQ(outcome.notice->icon, PromptIcon::None);
    EXPECT_EQ(phone->line().writes().size(), before);
    EXPECT_EQ(numbers(), QStringList{"9"});
}

TEST_F(SmsLoadTest, RefusedModeKeepsTheTable) {
    state.smMessages.messages[1] = received("REC READ", "+491", "x");
    PhoneLink& link = connect();
    cacheOneRow();
    refuse("cmgf");
    EXPECT_EQ(load(link), Kind::Skipped);
    EXPECT_FALSE(outcome.notice);
    EXPECT_EQ(numbers(), QStringList{"9"});
    EXPECT_FALSE(commands().contains("at+cmgr=1\r"));
}

TEST_F(SmsLoadTest, PhoneLostMidLoadKeepsThePreviousTable) {
    for (int i = 1; i <= 10; ++i) {
        state.smMessages.messages[i] = received("REC READ", "+491", "m");
    }
    PhoneLink& link = connect();
    cacheOneRow();
    // The phone answers the mode and three reads, then falls silent.
    auto left = std::make_shared<int>(6);
    PhoneSimEngine* engine = &phone->engine();
    phone->line().setResponder([engine, left](const QByteArray& written) {
        QList<FakeChunk> chunks;
        if ((*left)-- > 0) {
            chunks.append(FakeChunk{0, engine->feed(written), false});
        }
        return chunks;
    });
    EXPECT_EQ(load(link), Kind::PhoneLost);
    ASSERT_TRUE(outcome.notice);
    EXPECT_EQ(outcome.notice->text, "Now is OFF line");
    EXPECT_EQ(outcome.notice->caption, "Load");
    EXPECT_EQ(outcome.notice->icon, PromptIcon::Error);
    EXPECT_EQ(numbers(), QStringList{"9"});
    // The load ended at the first unanswered read.
    EXPECT_TRUE(commands().contains("at+cmgr=4\r"));
    EXPECT_FALSE(commands().contains("at+cmgr=5\r"));
    EXPECT_EQ(progress.calls.last(), "destroy");
}

TEST_F(SmsLoadTest, RefusedLocationIsSkippedWhenThePhoneStillAnswers) {
    state.smMessages.messages[1] = received("REC READ", "+491", "one");
    state.smMessages.messages[2] = received("REC READ", "+491", "two");
    state.smMessages.messages[3] = received("REC READ", "+491", "three");
    PhoneLink& link = connect();
    refuse("cmgr=2");
    EXPECT_EQ(load(link), Kind::Loaded);
    EXPECT_EQ(numbers(), (QStringList{"1", "3"}));
    // The probe's reset is followed by the message mode again.
    const QStringList sent = commands();
    const qsizetype probe = sent.indexOf("at+cgmi\r", sent.indexOf("at+cmgr=2\r"));
    ASSERT_GE(probe, 0);
    const qsizetype mode = sent.indexOf("at+cmgf=1\r", probe);
    EXPECT_GT(mode, probe);
    EXPECT_LT(mode, sent.indexOf("at+cmgr=3\r"));
}

TEST_F(SmsLoadTest, LoadOnceLoadsOnlyWhileNothingWasLoaded) {
    state.smMessages.messages[5] = received("REC READ", "+491", "x");
    PhoneLink& link = connect();
    EXPECT_FALSE(LoadMessagesOnce(&link, false, store, progress));
    EXPECT_FALSE(LoadMessagesOnce(nullptr, true, store, progress));
    EXPECT_EQ(appState().messagesLoaded, 0);
    EXPECT_TRUE(LoadMessagesOnce(&link, true, store, progress));
    EXPECT_EQ(appState().messagesLoaded, 1);
    EXPECT_EQ(numbers(), QStringList{"5"});
    const qsizetype before = phone->line().writes().size();
    EXPECT_FALSE(LoadMessagesOnce(&link, true, store, progress));
    EXPECT_EQ(phone->line().writes().size(), before);
}

TEST_F(SmsLoadTest, LoadOnceWithAPhoneGoneCountsTheTry) {
    PhoneLink& link = connect();
    refuse("cgmi");
    const std::optional<MirrorOutcome> tried = LoadMessagesOnce(&link, true, store, progress);
    ASSERT_TRUE(tried && tried->notice);
    EXPECT_EQ(tried->notice->text, "Now is Off line");
    EXPECT_EQ(appState().messagesLoaded, 1);
}
