// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "phone/ScheduleAnswers.h"
#include "platform/Profile.h"
#include "support/EnginePhoneLink.h"
#include "support/TempWorkDir.h"

namespace {

ScheduleEntry callEntry() {
    ScheduleEntry entry;
    entry.index = 7;
    entry.type = ScheduleCall;
    entry.alarm = 1;
    entry.year = 2001;
    entry.month = 5;
    entry.date = 14;
    entry.hour = 9;
    entry.minute = 30;
    entry.alarmHour = 9;
    entry.alarmMinute = 25;
    entry.contents = "555";
    return entry;
}

PhoneSimState emptySchedulePhone() {
    PhoneSimState state = PhoneSimState::demo();
    state.schedule.clear();
    return state;
}

class ScheduleCommandsTest : public ::testing::Test {
  protected:
    ScheduleCommandsTest() { Profile::useFolder(dir.path()); }
    ~ScheduleCommandsTest() override { Profile::useFolder({}); }

    QByteArray lastCommand() { return phone.line().writes().last(); }

    TempWorkDir dir;
    EnginePhoneLink phone{emptySchedulePhone()};
};

}  // namespace

TEST_F(ScheduleCommandsTest, WriteSendsTheLongFormOnlyForAlarmOne) {
    PhoneLink& link = phone.link();
    ScheduleEntry entry = callEntry();
    EXPECT_EQ(link.WriteScheduleEntry(entry), kTransactComplete);
    EXPECT_EQ(lastCommand(), "at+schw=7,2,1,2001,5,14,9,30,9,25,\"555\"\r");

    entry.alarm = 0;
    EXPECT_EQ(link.WriteScheduleEntry(entry), kTransactComplete);
    EXPECT_EQ(lastCommand(), "at+schw=7,2,0,2001,5,14,9,30,\"555\"\r");

    // Anything but exactly 1 is the short form with a literal 0, whatever the field holds.
    entry.alarm = 2;
    EXPECT_EQ(link.WriteScheduleEntry(entry), kTransactComplete);
    EXPECT_EQ(lastCommand(), "at+schw=7,2,0,2001,5,14,9,30,\"555\"\r");
    EXPECT_EQ(phone.engine().state().schedule.at(7).alarm, 0);
}

TEST_F(ScheduleCommandsTest, ContentsGoBetweenQuotesUnchanged) {
    ScheduleEntry entry = callEntry();
    entry.index = 0;
    entry.type = ScheduleMeeting;
    entry.month = 12;
    entry.date = 1;
    entry.hour = 0;
    entry.minute = 5;
    entry.alarmHour = 23;
    entry.alarmMinute = 0;
    entry.contents = QString::fromLatin1("Lunch, J\xf8rgen 100%");
    EXPECT_EQ(phone.link().WriteScheduleEntry(entry), kTransactComplete);
    EXPECT_EQ(lastCommand(), "at+schw=0,3,1,2001,12,1,0,5,23,0,\"Lunch, J\xf8rgen 100%\"\r");
}

TEST_F(ScheduleCommandsTest, UnsafeContentsAreNeverSent) {
    const qsizetype before = phone.line().writes().size();
    ScheduleEntry entry = callEntry();
    for (const QString& contents : {QString("say \"hi\""), QString("a\rat+cpbw=1"),
                                    QString("line\nbreak"), QString::fromUtf8("\u20ac")}) {
        entry.contents = contents;
        EXPECT_EQ(phone.link().WriteScheduleEntry(entry), kTransactFailed);
    }
    EXPECT_EQ(phone.line().writes().size(), before);
    EXPECT_TRUE(phone.engine().state().schedule.empty());
}

TEST_F(ScheduleCommandsTest, DeleteAndReadCommandTexts) {
    PhoneLink& link = phone.link();
    ASSERT_EQ(link.WriteScheduleEntry(callEntry()), kTransactComplete);
    QString answer = "stale";
    EXPECT_EQ(link.ReadScheduleEntry(7, answer), kTransactComplete);
    EXPECT_EQ(lastCommand(), "at+schr=7\r");
    // Everything after the marker, the final result line included.
    EXPECT_EQ(answer, "7,2,1,2001/05/14,09:30,09:25,\"555\"\r\n\r\nOK\r\n");

    EXPECT_EQ(link.DeleteScheduleEntry(7), kTransactComplete);
    EXPECT_EQ(lastCommand(), "at+schd=7\r");
    EXPECT_TRUE(phone.engine().state().schedule.empty());

    // An empty slot answers OK alone; a refused read empties the text as well.
    answer = "stale";
    EXPECT_EQ(link.ReadScheduleEntry(7, answer), kTransactComplete);
    EXPECT_TRUE(answer.isEmpty());
    answer = "stale";
    EXPECT_EQ(link.ReadScheduleEntry(50, answer), kTransactFailed);
    EXPECT_TRUE(answer.isEmpty());
}

TEST_F(ScheduleCommandsTest, WrittenEntryReadsBackEqual) {
    PhoneLink& link = phone.link();
    ScheduleEntry entry = callEntry();
    entry.index = 49;
    entry.contents = "Budget, Q3";
    ASSERT_EQ(link.WriteScheduleEntry(entry), kTransactComplete);
    QString answer;
    ASSERT_EQ(link.ReadScheduleEntry(49, answer), kTransactComplete);
    ScheduleEntry read;
    ASSERT_TRUE(ParseScheduleAnswer(answer, read));
    EXPECT_EQ(read, entry);

    entry.alarm = 0;
    entry.alarmHour = 0;
    entry.alarmMinute = 0;
    ASSERT_EQ(link.WriteScheduleEntry(entry), kTransactComplete);
    ASSERT_EQ(link.ReadScheduleEntry(49, answer), kTransactComplete);
    ASSERT_TRUE(ParseScheduleAnswer(answer, read));
    EXPECT_EQ(read, entry);
}

TEST(ScheduleAnswers, AlarmEntryTakesTheAlarmTimeAndTheSeventhField) {
    ScheduleEntry entry;
    ASSERT_TRUE(
        ParseScheduleAnswer("12,3,1,2001/05/14,09:30,09:05,\"Budget\"\r\n\r\nOK\r\n", entry));
    EXPECT_EQ(entry.index, 12);
    EXPECT_EQ(entry.type, 3);
    EXPECT_EQ(entry.alarm, 1);
    EXPECT_EQ(entry.year, 2001);
    EXPECT_EQ(entry.month, 5);
    EXPECT_EQ(entry.date, 14);
    EXPECT_EQ(entry.hour, 9);
    EXPECT_EQ(entry.minute, 30);
    EXPECT_EQ(entry.alarmHour, 9);
    EXPECT_EQ(entry.alarmMinute, 5);
    EXPECT_EQ(entry.contents, "Budget");
}

TEST(ScheduleAnswers, WithoutAlarmTheSixthFieldIsTheContentsEvenWhenASeventhFollows) {
    ScheduleEntry entry;
    ASSERT_TRUE(ParseScheduleAnswer("4,1,0,2026/12/09,10:00,\"Dentist\",\"extra\"\r\n", entry));
    EXPECT_EQ(entry.alarm, 0);
    EXPECT_EQ(entry.contents, "Dentist");
    EXPECT_EQ(entry.alarmHour, 0);
    EXPECT_EQ(entry.alarmMinute, 0);
}

TEST(ScheduleAnswers, AnyNonZeroAlarmFieldMeansAlarm) {
    ScheduleEntry entry;
    ASSERT_TRUE(ParseScheduleAnswer("4,1,2,2026/12/09,10:00,08:45,\"x\"", entry));
    EXPECT_EQ(entry.alarm, 1);
    EXPECT_EQ(entry.alarmHour, 8);
    EXPECT_EQ(entry.alarmMinute, 45);
    EXPECT_EQ(entry.contents, "x");
}

TEST(ScheduleAnswers, QuotedCommasStayInTheContents) {
    ScheduleEntry entry;
    ASSERT_TRUE(
        ParseScheduleAnswer("0,3,0,2001/05/14,09:30,\"Lunch, Joe, Ann\"\r\n\r\nOK\r\n", entry));
    EXPECT_EQ(entry.contents, "Lunch, Joe, Ann");
    // Without quotes the comma cuts the text.
    ASSERT_TRUE(ParseScheduleAnswer("0,3,0,2001/05/14,09:30,Lunch, Joe\r\n", entry));
    EXPECT_EQ(entry.contents, "Lunch");
}

TEST(ScheduleAnswers, MissingSeparatorsReadAsZeroBeforeAndTheWholeTextAfter) {
    ScheduleEntry entry;
    // No "/" at all: year 0, then month 0 and the whole text as the day.
    ASSERT_TRUE(ParseScheduleAnswer("1,1,0,14,930,\"a\"", entry));
    EXPECT_EQ(entry.year, 0);
    EXPECT_EQ(entry.month, 0);
    EXPECT_EQ(entry.date, 14);
    EXPECT_EQ(entry.hour, 0);
    EXPECT_EQ(entry.minute, 930);
    // One "/" only: the day part has none, so the month reads 0.
    ASSERT_TRUE(ParseScheduleAnswer("1,1,0,2001/0507,09:3x,\"a\"", entry));
    EXPECT_EQ(entry.year, 2001);
    EXPECT_EQ(entry.month, 0);
    EXPECT_EQ(entry.date, 507);
    EXPECT_EQ(entry.minute, 3);
    // Texts without digits read as 0.
    ASSERT_TRUE(ParseScheduleAnswer("x,y,z,a/b/c,d:e,\"a\"", entry));
    EXPECT_EQ(entry.index, 0);
    EXPECT_EQ(entry.type, 0);
    EXPECT_EQ(entry.alarm, 0);
    EXPECT_EQ(entry.year, 0);
}

TEST(ScheduleAnswers, EmptyTextIsAnEmptySlot) {
    ScheduleEntry entry;
    entry.contents = "kept";
    EXPECT_FALSE(ParseScheduleAnswer(QString(), entry));
    EXPECT_EQ(entry.contents, "kept");
}
