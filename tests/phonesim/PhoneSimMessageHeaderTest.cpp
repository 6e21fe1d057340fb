// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QJsonDocument>

#include "phonesim/PhoneSimEngine.h"

namespace {

PhoneSimState headerPhone() {
    PhoneSimState state;
    state.echo = false;
    state.showHeader = 1;
    state.serviceCentre = "+4477";
    state.smMessages.capacity = 3;
    state.smMessages.messages[1] = {"REC READ",    "+4912", 145, "26/12/01,09:14:22+00",
                                    "Hello World", 4,       0,   0};
    state.smMessages.messages[1].announcedLength = 4;
    state.smMessages.messages[2] = {"STO SENT", "0123", 129, {}, "Hi", 17, 0, -1};
    state.smMessages.messages[3] = {"REC READ", "+4912", 145, "26/12/01,09:14:22+00",
                                    "bare",     4,       0,   0};
    state.smMessages.messages[3].omitHeaderDetails = true;
    return state;
}

}  // namespace

TEST(PhoneSimMessageHeader, WrongLengthEmptyValidityAndNoDetails) {
    PhoneSimEngine phone(headerPhone());
    EXPECT_EQ(phone.feed("at+cmgr=1\r"),
              QByteArray("\r\n+CMGR: \"REC READ\",\"+4912\",,\"26/12/01,09:14:22+00\",145,4,0,0,"
                         "\"+4477\",145,4\r\nHello World\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+cmgr=2\r"),
              QByteArray("\r\n+CMGR: \"STO SENT\",\"0123\",,129,17,0,0,,\"+4477\",145,2\r\nHi\r\n"
                         "\r\nOK\r\n"));
    // Details left out even though "+CSDH" asks for them.
    EXPECT_EQ(phone.feed("at+cmgr=3\r"),
              QByteArray("\r\n+CMGR: \"REC READ\",\"+4912\",,\"26/12/01,09:14:22+00\"\r\nbare\r\n"
                         "\r\nOK\r\n"));
}

TEST(PhoneSimMessageHeader, HeaderFaultsSurviveTheStateFile) {
    const PhoneSimState state = headerPhone();
    const QJsonObject json =
        QJsonDocument::fromJson(QJsonDocument(state.toJson()).toJson()).object();
    EXPECT_EQ(PhoneSimState::fromJson(json), state);
}
