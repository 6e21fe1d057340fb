// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "phonesim/PhoneSimEngine.h"

namespace {

PhoneSimState organiserPhone() {
    PhoneSimState state;
    state.echo = false;
    state.fixedClock = QDateTime(QDate(2026, 12, 7), QTime(21, 5, 9));
    return state;
}

}  // namespace

TEST(PhoneSimSchedule, WritesAndReadsBothFormsOfAnEntry) {
    PhoneSimEngine phone(organiserPhone());
    EXPECT_EQ(phone.feed("at+schw=7,2,1,2001,5,14,9,30,9,25,\"555\"\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+schr=7\r"),
              QByteArray("\r\n+SCHR: 7,2,1,2001/05/14,09:30,09:25,\"555\"\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+schw=7,3,0,2001,5,14,9,30,\"Lunch, Joe\"\r"),
              QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+schr=7\r"),
              QByteArray("\r\n+SCHR: 7,3,0,2001/05/14,09:30,\"Lunch, Joe\"\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.state().schedule.at(7).alarmHour, 0);
    EXPECT_EQ(phone.feed("at+schd=7\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+schr=7\r"), QByteArray("\r\nOK\r\n"));
}

TEST(PhoneSimSchedule, RefusesSlotsAndValuesOutOfRange) {
    PhoneSimEngine phone(organiserPhone());
    EXPECT_EQ(phone.feed("at+schr=50\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+schw=50,1,0,2001,5,14,9,30,\"x\"\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+schw=1,5,0,2001,5,14,9,30,\"x\"\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+schw=1,1,0,2001,13,14,9,30,\"x\"\r"), QByteArray("\r\nERROR\r\n"));
    // The alarm flag must match the number of fields.
    EXPECT_EQ(phone.feed("at+schw=1,1,1,2001,5,14,9,30,\"x\"\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+schw=1,1,2,2001,5,14,9,30,9,0,\"x\"\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_TRUE(phone.state().schedule.empty());
}

TEST(PhoneSimTodo, WritesReadsMarksDoneAndDeletes) {
    PhoneSimEngine phone(organiserPhone());
    EXPECT_EQ(phone.feed("at+ctdw=3,0,1,2026,12,10,\"Renew, insurance\"\r"),
              QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+ctdr=3\r"),
              QByteArray("\r\n+CTDR: 3,1,2026/12/10,\"Renew, insurance\",,\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+ctdw=3,1\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+ctdr=3\r"),
              QByteArray("\r\n+CTDR: 3,1,2026/12/10,\"Renew, insurance\",2026/12/07,21:05\r\n"
                         "\r\nOK\r\n"));
    // Rewriting a done item as done keeps the phone's stamp.
    phone.state().fixedClock = phone.state().fixedClock.addDays(1);
    phone.feed("at+ctdw=3,2,0,2026,12,11,\"Renew\"\r");
    EXPECT_EQ(phone.state().todos.at(3).doneDate, "2026/12/07");
    EXPECT_EQ(phone.feed("at+ctdw=3,0\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_TRUE(phone.state().todos.at(3).doneDate.isEmpty());
    EXPECT_EQ(phone.feed("at+ctdd=3\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+ctdr=3\r"), QByteArray("\r\nOK\r\n"));
}

TEST(PhoneSimTodo, RefusesBadValuesAndMissingItems) {
    PhoneSimEngine phone(organiserPhone());
    EXPECT_EQ(phone.feed("at+ctdw=4,1\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+ctdw=4,3,0,2026,12,10,\"x\"\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+ctdw=4,0,2,2026,12,10,\"x\"\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+ctdr=-1\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+ctdr=51\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_TRUE(phone.state().todos.empty());
}
