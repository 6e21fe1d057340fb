// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "phonesim/PhoneSimEngine.h"

namespace {

PhoneSimState messagePhone() {
    PhoneSimState state;
    state.echo = false;
    state.showHeader = 1;
    state.serviceCentre = "+4477";
    state.smMessages.capacity = 3;
    state.smMessages.messages[1] = {"REC UNREAD", "+4912", 145, "26/12/01,09:14:22+00",
                                    "a,b",        4,       0,   0};
    state.smMessages.messages[2] = {"STO UNSENT", "0123", 129, {}, "Hi \"x\"", 17, 0, 167};
    state.fixedClock = QDateTime(QDate(2026, 12, 7), QTime(21, 5, 9));
    return state;
}

}  // namespace

TEST(PhoneSimMessages, ReadsReceivedAndStoredMessagesWithTheirHeaderDetails) {
    PhoneSimEngine phone(messagePhone());
    EXPECT_EQ(phone.feed("at+cmgr=1\r"),
              QByteArray("\r\n+CMGR: \"REC UNREAD\",\"+4912\",,\"26/12/01,09:14:22+00\",145,4,0,0,"
                         "\"+4477\",145,3\r\na,b\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.state().smMessages.messages.at(1).status, "REC READ");
    EXPECT_EQ(phone.feed("at+cmgr=2\r"),
              QByteArray("\r\n+CMGR: \"STO UNSENT\",\"0123\",,129,17,0,0,167,\"+4477\",145,6\r\n"
                         "Hi \"x\"\r\n\r\nOK\r\n"));
    phone.feed("at+csdh=0\r");
    EXPECT_EQ(phone.feed("at+cmgr=1\r"),
              QByteArray("\r\n+CMGR: \"REC READ\",\"+4912\",,\"26/12/01,09:14:22+00\"\r\na,b\r\n"
                         "\r\nOK\r\n"));
}

TEST(PhoneSimMessages, EmptyAndInvalidLocations) {
    PhoneSimEngine phone(messagePhone());
    EXPECT_EQ(phone.feed("at+cmgr=3\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+cmgr=4\r"), QByteArray("\r\n+CMS ERROR: 321\r\n"));
    EXPECT_EQ(phone.feed("at+cmgd=4\r"), QByteArray("\r\n+CMS ERROR: 321\r\n"));
    EXPECT_EQ(phone.feed("at+cmgd=1\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.state().smMessages.messages.count(1), 0u);
    EXPECT_EQ(phone.feed("at+cpms=\"sm\"\r"), QByteArray("\r\n+CPMS: 1,3,1,3,1,3\r\n\r\nOK\r\n"));
}

TEST(PhoneSimMessages, StoresATypedMessageAtTheFirstFreeLocation) {
    PhoneSimEngine phone(messagePhone());
    phone.state().echo = true;
    EXPECT_EQ(phone.feed("at+csmp=145,11,0,0\r"), QByteArray("at+csmp=145,11,0,0\r\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+cmgw=\"0123\",129,\"STO UNSENT\"\r"),
              QByteArray("at+cmgw=\"0123\",129,\"STO UNSENT\"\r\r\n> "));
    EXPECT_TRUE(phone.inTextEntry());
    // The text, Ctrl-Z and the carriage return the host adds.
    EXPECT_EQ(phone.feed("Line, one\x1a\r"), QByteArray("Line, one\x1a\r\n+CMGW: 3\r\n\r\nOK\r\n"));
    EXPECT_FALSE(phone.inTextEntry());
    EXPECT_EQ(phone.state().smMessages.messages.at(3),
              (PhoneSimMessage{"STO UNSENT", "0123", 129, {}, "Line, one", 145, 0, 11}));
    // Full storage refuses before the prompt.
    EXPECT_EQ(phone.feed("at+cmgw=\"1\",129,\"STO SENT\"\r"),
              QByteArray("at+cmgw=\"1\",129,\"STO SENT\"\r\r\n+CMS ERROR: 322\r\n"));
    EXPECT_EQ(phone.feed("at\r"), QByteArray("at\r\r\nOK\r\n"));
}

TEST(PhoneSimMessages, SendsAMessageAndCountsReferences) {
    PhoneSimEngine phone(messagePhone());
    EXPECT_EQ(phone.feed("at+cmgs=\"+49123\",145\r"), QByteArray("\r\n> "));
    EXPECT_EQ(phone.feed("See you\x1a\r"), QByteArray("\r\n+CMGS: 1\r\n\r\nOK\r\n"));
    phone.feed("at+cmgs=\"0123\",129\r");
    EXPECT_EQ(phone.feed("Second\x1a\r"), QByteArray("\r\n+CMGS: 2\r\n\r\nOK\r\n"));
    ASSERT_EQ(phone.state().outbox.size(), 2u);
    EXPECT_EQ(phone.state().outbox[0].address, "+49123");
    EXPECT_EQ(phone.state().outbox[0].addressType, 145);
    EXPECT_EQ(phone.state().outbox[0].text, "See you");
    EXPECT_EQ(phone.state().outbox[0].timestamp, "26/12/07,21:05:09+00");
    // ESC abandons the message.
    phone.feed("at+cmgs=\"0123\",129\r");
    EXPECT_EQ(phone.feed("never\x1b"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.state().outbox.size(), 2u);
}

TEST(PhoneSimMessages, SettingsAndServiceCentre) {
    PhoneSimEngine phone(messagePhone());
    EXPECT_EQ(phone.feed("at+cmgf=1\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+cmgf=2\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+csdh?\r"), QByteArray("\r\n+CSDH: 1\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+csmp=17,255,0,0\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+csmp?\r"), QByteArray("\r\n+CSMP: 17,255,0,0\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+cnmi=2,1,0,0,0\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+cnmi?\r"), QByteArray("\r\n+CNMI: 2,1,0,0,0\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+csca?\r"), QByteArray("\r\n+CSCA: \"+4477\",145\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+csca=\"0800123\"\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+csca?\r"), QByteArray("\r\n+CSCA: \"0800123\",129\r\n\r\nOK\r\n"));
    // In PDU mode a message kept as text reads as the unit it came in: status, length, hex.
    phone.feed("at+cmgf=0\r");
    EXPECT_TRUE(phone.feed("at+cmgr=1\r").startsWith("\r\n+CMGR: 0,,18\r\n058180002"));
}

TEST(PhoneSimMessages, ListsByStatusAndMarksTheListedUnreadOnesRead) {
    PhoneSimEngine phone(messagePhone());
    EXPECT_EQ(phone.feed("at+cmgl=\"STO UNSENT\"\r"),
              QByteArray("\r\n+CMGL: 2,\"STO UNSENT\",\"0123\",,,129,6\r\nHi \"x\"\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.state().smMessages.messages.at(1).status, "REC UNREAD");
    EXPECT_EQ(phone.feed("at+cmgl=\"READ\"\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_TRUE(phone.feed("at+cmgl=\"ALL\"\r").contains("\r\n+CMGL: 1,\"REC UNREAD\""));
    EXPECT_EQ(phone.state().smMessages.messages.at(1).status, "REC READ");
}
