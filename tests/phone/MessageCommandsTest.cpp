// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "phone/MessageAnswers.h"
#include "phone/PhoneLink.h"
#include "platform/Profile.h"
#include "support/EnginePhoneLink.h"
#include "support/TempWorkDir.h"

namespace {

PhoneSimState messagePhone() {
    PhoneSimState state = PhoneSimState::demo();
    state.serviceCentre = "+4477";
    state.showHeader = 1;
    state.smMessages.capacity = 5;
    state.smMessages.messages.clear();
    state.smMessages.messages[1] = {"REC UNREAD", "+491", 145, "01/05/14,12:30:00+36",
                                    "a,b",        4,      0,   0};
    state.smMessages.messages[2] = {"STO UNSENT", "0123", 129, {}, "Hi \"x\"\nthere", 145, 0, -1};
    return state;
}

class MessageCommandsTest : public ::testing::Test {
  protected:
    MessageCommandsTest() : phone(messagePhone()) {
        Profile::useFolder(dir.path());
        phone.line();  // connected
        sentBefore = phone.line().writes().size();
    }
    ~MessageCommandsTest() override { Profile::useFolder({}); }

    // The command lines sent since the test began.
    QList<QByteArray> sent() const { return phone.line().writes().mid(sentBefore); }
    void refuse(const QByteArray& pattern) {
        PhoneSimFaults faults;
        faults.errorPattern = pattern;
        phone.engine().setFaults(faults);
    }

    TempWorkDir dir;
    mutable EnginePhoneLink phone;
    qsizetype sentBefore = 0;
};

}  // namespace

TEST_F(MessageCommandsTest, MessageModeSelectsSimTextModeAndHeaderDetails) {
    EXPECT_EQ(phone.link().SetMessageMode(1, 1, 1), 0);
    EXPECT_EQ(sent(), (QList<QByteArray>{"at+cpms=\"sm\"\r", "at+cmgf=1\r", "at+csdh=1\r"}));
    EXPECT_EQ(phone.engine().state().showHeader, 1);
}

TEST_F(MessageCommandsTest, StorageSelectionIsTriedThreeTimesThenGivesUp) {
    refuse("cpms");
    EXPECT_EQ(phone.link().SetMessageMode(0, 1, 1), 1);
    EXPECT_EQ(sent(), QList<QByteArray>(3, "at+cpms=\"bm\"\r"));
}

TEST_F(MessageCommandsTest, RefusedFormatStopsBeforeTheHeaderSetting) {
    refuse("cmgf");
    EXPECT_EQ(phone.link().SetMessageMode(1, 1, 1), 1);
    EXPECT_EQ(sent(), (QList<QByteArray>{"at+cpms=\"sm\"\r", "at+cmgf=1\r"}));
}

TEST_F(MessageCommandsTest, SendParametersByTheTables) {
    PhoneLink& link = phone.link();
    EXPECT_EQ(link.SetSendParameters(1, 0, 0, 0), 0);
    EXPECT_EQ(link.SetSendParameters(1, 1, 5, 0), 0);
    EXPECT_EQ(link.SetSendParameters(1, 2, 3, 4), 0);
    EXPECT_EQ(sent(),
              (QList<QByteArray>{"at+cmgf=1\r", "at+csmp=145,11,0,0\r", "at+cmgf=1\r",
                                 "at+csmp=17,255,0,0\r", "at+cmgf=1\r", "at+csmp=145,167,5,0\r"}));
    // Choices outside the tables are refused before anything is sent.
    EXPECT_EQ(link.SetSendParameters(1, 0, 6, 0), 1);
    EXPECT_EQ(link.SetSendParameters(1, 0, -1, 0), 1);
    EXPECT_EQ(link.SetSendParameters(1, 0, 0, 5), 1);
    EXPECT_EQ(sent().size(), 6);
}

TEST_F(MessageCommandsTest, ReadGivesTheBodyBehindTheHeaderMarker) {
    ASSERT_EQ(phone.link().SetMessageMode(1, 1, 1), 0);  // the connection left "bm" selected
    QString body = "stale";
    EXPECT_EQ(phone.link().ReadMessage(1, body), 0);
    EXPECT_EQ(sent().last(), "at+cmgr=1\r");
    EXPECT_EQ(body,
              "\"REC UNREAD\",\"+491\",,\"01/05/14,12:30:00+36\",145,4,0,0,\"+4477\",145,3"
              "\r\na,b\r\n\r\nOK\r\n");
    EXPECT_EQ(phone.engine().state().smMessages.messages.at(1).status, "REC READ");
    // The message read waits 300 ms once before it polls.
    EXPECT_TRUE(phone.clock().sleeps().contains(300));
}

TEST_F(MessageCommandsTest, EmptyAndRefusedLocationsGiveAnEmptyBody) {
    ASSERT_EQ(phone.link().SetMessageMode(1, 1, 1), 0);
    QString body = "stale";
    EXPECT_EQ(phone.link().ReadMessage(3, body), 0);
    EXPECT_TRUE(body.isEmpty());
    body = "stale";
    EXPECT_EQ(phone.link().ReadMessage(9, body), 1);  // outside the storage: +CMS ERROR: 321
    EXPECT_TRUE(body.isEmpty());
}

TEST_F(MessageCommandsTest, DeleteSelectsTheStorageFirst) {
    PhoneLink& link = phone.link();
    EXPECT_EQ(link.DeleteMessage(1, 2), 0);
    EXPECT_EQ(phone.engine().state().smMessages.messages.count(2), 0u);
    EXPECT_EQ(link.DeleteMessage(0, 1), 0);
    EXPECT_EQ(sent(), (QList<QByteArray>{"at+cpms=\"sm\"\r", "at+cmgd=2\r", "at+cpms=\"bm\"\r",
                                         "at+cmgd=1\r"}));
    // A refused selection sends no delete.
    refuse("cpms");
    EXPECT_EQ(link.DeleteMessage(1, 1), 1);
    EXPECT_EQ(sent().last(), "at+cpms=\"sm\"\r");
    EXPECT_EQ(phone.engine().state().smMessages.messages.count(1), 1u);
}

TEST_F(MessageCommandsTest, WriteSendsHeaderLineThenTextWithCtrlZ) {
    QString newIndex = "unchanged";
    EXPECT_EQ(
        phone.link().WriteMessage(1, 1, 3, 0, "0123", 129, "STO UNSENT", "Hello, you", newIndex),
        0);
    EXPECT_EQ(sent(),
              (QList<QByteArray>{"at+cpms=\"sm\"\r", "at+cmgf=1\r", "at+csmp=17,167,0,0\r",
                                 "at+cmgw=\"0123\",129,\"STO UNSENT\"\r", "Hello, you\x1a\r"}));
    EXPECT_EQ(newIndex, "3");
    const PhoneSimMessage& stored = phone.engine().state().smMessages.messages.at(3);
    EXPECT_EQ(stored.text, "Hello, you");
    EXPECT_EQ(stored.status, "STO UNSENT");
    EXPECT_EQ(stored.firstOctet, 17);
}

TEST_F(MessageCommandsTest, WriteKeepsTheIndexWhenThePhoneRefuses) {
    phone.engine().state().smMessages.capacity = 2;  // full
    QString newIndex = "unchanged";
    EXPECT_EQ(phone.link().WriteMessage(1, 0, 0, 0, "+49123", 145, "STO SENT", "x", newIndex), 1);
    EXPECT_EQ(newIndex, "unchanged");
}

TEST_F(MessageCommandsTest, UnsafeTextIsRefusedBeforeAnythingIsSent) {
    QString newIndex;
    PhoneLink& link = phone.link();
    EXPECT_EQ(link.WriteMessage(1, 0, 0, 0, "0123", 129, "STO UNSENT", "end\x1a early", newIndex),
              1);
    EXPECT_EQ(link.SendMessage(1, 0, 0, 0, "0123\"", 129, "text"), 1);
    EXPECT_EQ(link.SendMessage(1, 0, 0, 0, "0123", 129, "esc\x1b"), 1);
    EXPECT_TRUE(sent().isEmpty());
    // Line ends are part of a message text.
    EXPECT_EQ(link.SendMessage(1, 0, 0, 0, "0123", 129, "two\nlines"), 0);
    EXPECT_EQ(phone.engine().state().outbox.back().text, "two\nlines");
}

TEST_F(MessageCommandsTest, SendSetsTheModeAndParametersThenSends) {
    EXPECT_EQ(phone.link().SendMessage(1, 0, 4, 0, "+49123", 145, "Hi"), 0);
    EXPECT_EQ(sent(),
              (QList<QByteArray>{"at+cpms=\"sm\"\r", "at+cmgf=1\r", "at+csdh=1\r", "at+cmgf=1\r",
                                 "at+csmp=145,173,0,0\r", "at+cmgs=\"+49123\",145\r", "Hi\x1a\r"}));
    ASSERT_EQ(phone.engine().state().outbox.size(), 1u);
    EXPECT_EQ(phone.engine().state().outbox.back().address, "+49123");
}

TEST_F(MessageCommandsTest, CountReadsTheUsedCount) {
    EXPECT_EQ(phone.link().CountSimMessages(), 2);
    EXPECT_EQ(sent(), QList<QByteArray>{"at+cpms=\"sm\"\r"});
    refuse("cpms");
    EXPECT_EQ(phone.link().CountSimMessages(), -1);
}

TEST_F(MessageCommandsTest, NewMessageIndicationQueryAndSet) {
    QString answer = "kept";
    refuse("cnmi");
    EXPECT_FALSE(phone.link().QueryNewMessageSettings(answer));
    EXPECT_EQ(answer, "kept");
    phone.engine().setFaults({});
    EXPECT_TRUE(phone.link().QueryNewMessageSettings(answer));
    EXPECT_TRUE(answer.contains("+CNMI: (0-3),(0-3),(0-3),(0-2),(0,1)"));
    EXPECT_TRUE(phone.link().SetNewMessageIndication({"1", "(2-3)", "", "x\r", "0"}, answer));
    EXPECT_EQ(sent().last(), "at+cnmi=1,2,0,0,0\r");
    EXPECT_TRUE(answer.endsWith("OK\r\n"));
}

TEST(MessageAnswers, IndicationFieldsBecomeOneDigitEach) {
    EXPECT_EQ(indicationCharacterOf("1"), u'1');
    EXPECT_EQ(indicationCharacterOf("(0-3)"), u'0');
    EXPECT_EQ(indicationCharacterOf(" 2"), u'2');
    EXPECT_EQ(indicationCharacterOf("\"\r,"), u'0');
    EXPECT_EQ(indicationCharacterOf(""), u'0');
}

TEST(MessageAnswers, UsedCountAndWrittenIndex) {
    EXPECT_EQ(usedMessageCountOf("at+cpms=\"sm\"\r\r\n+CPMS: 3,10,3,10,3,10\r\n\r\nOK\r\n"), 3);
    EXPECT_EQ(usedMessageCountOf("\r\n+CPMS: x\r\n"), -1);
    EXPECT_EQ(usedMessageCountOf("OK\r\n"), -1);
    QString index = "kept";
    EXPECT_FALSE(writtenMessageIndexOf("\r\nOK\r\n", index));
    EXPECT_EQ(index, "kept");
    EXPECT_TRUE(writtenMessageIndexOf("x\x1a\r\r\n+CMGW: 7\r\n\r\nOK\r\n", index));
    EXPECT_EQ(index, "7");
}

TEST(MessageAnswers, ReceivedBodyCut) {
    const QStringList fields = cutMessageBody(
        "\"REC READ\",\"+491\",\"Anna\",\"01/05/14,12:30:00+36\",145,4,0,0,\"+4477\",145,3\r\n"
        "a,b\r\n\r\nOK\r\n");
    ASSERT_EQ(fields.size(), 12);
    EXPECT_EQ(fields, (QStringList{"REC READ", "+491", "Anna", "01/05/14,12:30:00+36", "145", "4",
                                   "0", "0", "+4477", "145", "3", "a,b"}));
    EXPECT_TRUE(isReceivedMessage(fields));
}

TEST(MessageAnswers, StoredBodyWithoutValidityKeepsItsFieldPositions) {
    const QStringList fields = cutMessageBody(
        "\"STO UNSENT\",\"0123\",,129,145,0,0,,\"+4477\",145,12\r\nHi \"x\"\nthere\r\n\r\nOK\r\n");
    EXPECT_FALSE(isReceivedMessage(fields));
    EXPECT_EQ(fields.value(4), "145");
    EXPECT_EQ(fields.value(7), "");
    EXPECT_EQ(fields.value(10), "12");
    EXPECT_EQ(fields.value(11), "Hi \"x\"\nthere");
}

TEST(MessageAnswers, TextIsWhatLiesBeforeTheFinalFramingWhateverTheLength) {
    const QString header = "\"REC READ\",\"+491\",,\"01/05/14,12:30:00+36\",145,4,0,0,\"+44\",145,";
    // Announced too short, and too long: the framing decides.
    EXPECT_EQ(cutMessageBody(header + "4\r\nHello World\r\n\r\nOK\r\n").value(kMessageText),
              "Hello World");
    EXPECT_EQ(cutMessageBody(header + "25\r\nHello\r\n\r\nOK\r\n").value(kMessageText), "Hello");
    // Lines that look like final results inside the text stay text.
    EXPECT_EQ(cutMessageBody(header + "12\r\nOK\r\nERROR\r\n>\r\n\r\nOK\r\n").value(kMessageText),
              "OK\r\nERROR\r\n>");
    // A phone that puts no empty line before the final result.
    EXPECT_EQ(cutMessageBody(header + "5\r\nHello\r\nOK\r\n").value(kMessageText), "Hello");
    // A text that ends in a line feed of its own keeps it.
    EXPECT_EQ(cutMessageBody(header + "6\r\nHello\n\r\n\r\nOK\r\n").value(kMessageText), "Hello\n");
    // The other fields are cut as before.
    const QStringList fields = cutMessageBody(header + "4\r\nHello World\r\n\r\nOK\r\n");
    EXPECT_EQ(fields.value(3), "01/05/14,12:30:00+36");
    EXPECT_EQ(fields.value(5), "4");
    EXPECT_EQ(fields.value(kMessageLength), "4");
}

TEST(MessageAnswers, HeaderWithoutDetails) {
    const QStringList fields = cutMessageBody(
        "\"REC UNREAD\",\"+491\",\"Anna\",\"01/05/14,12:30:00+36\"\r\na,b\r\n"
        "\r\nOK\r\n");
    ASSERT_EQ(fields.size(), kMessageBodyFields);
    EXPECT_EQ(fields.value(kMessageStatus), "REC UNREAD");
    EXPECT_EQ(fields.value(kMessageName), "Anna");
    EXPECT_EQ(fields.value(3), "01/05/14,12:30:00+36");
    EXPECT_EQ(fields.value(5), "");
    EXPECT_EQ(fields.value(kMessageText), "a,b");
}

// Ten digits used to wrap into a negative count (and a written index of "-1923267926").
TEST(MessageAnswers, RunawayNumbersAreClampedNotWrapped) {
    EXPECT_EQ(usedMessageCountOf("at+crfo\r\r6666666666+SCHR:66666666666666665\n+CRFO: 15\r\n"),
              2147483647);
    QString index;
    ASSERT_TRUE(writtenMessageIndexOf("+CMGW: 6666666666\r\n\r\nOK\r\n", index));
    EXPECT_EQ(index, "2147483647");
}
