// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "phone/MessageAnswers.h"
#include "phone/StandardAnswers.h"

// Answers real phones and modems of several makers give, as they give them: blanks after the
// commas, optional fields left out, no blank line before the final result, no echo.

TEST(StandardAnswers, IdentityLines) {
    EXPECT_EQ(ParseIdentityAnswer("at+cgmi\r\r\nAcme\r\n\r\nOK\r\n"), "Acme");
    EXPECT_EQ(ParseIdentityAnswer("\r\n+CGMM: \"MC35i\"\r\nOK\r\n"), "MC35i");
    EXPECT_EQ(ParseIdentityAnswer("\r\nREVISION 02.00\r\n\r\nOK\r\n"), "REVISION 02.00");
    EXPECT_EQ(ParseIdentityAnswer("\r\n+CME ERROR: operation not supported\r\n"), "");
}

TEST(StandardAnswers, OfferedMemoriesAndStorages) {
    EXPECT_EQ(ParseOfferedNames("\r\n+CPBS: (\"SM\",\"ME\",\"FD\",\"LD\",\"MC\",\"RC\",\"ON\")\r\n"
                                "\r\nOK\r\n",
                                "+CPBS:"),
              QStringList({"SM", "ME", "FD", "LD", "MC", "RC", "ON"}));
    EXPECT_EQ(ParseOfferedNames("\r\n+CPBS: (\"sm\", \"fd\")\r\nOK\r\n", "+CPBS:"),
              QStringList({"SM", "FD"}));
    EXPECT_EQ(
        ParseOfferedNames("+CPMS: (\"ME\",\"SM\"),(\"ME\",\"SM\"),(\"ME\")\r\nOK\r\n", "+CPMS:"),
        QStringList({"ME", "SM"}));
    EXPECT_EQ(ParseOfferedNames("+CPMS: \"SM\",\"ME\"\r\nOK\r\n", "+CPMS:"),
              QStringList({"SM", "ME"}));
    EXPECT_EQ(ParseOfferedModes("\r\n+CMGF: (1)\r\nOK\r\n", "+CMGF:"), "1");
}

TEST(StandardAnswers, PhonebookBounds) {
    struct Case {
        const char* answer;
        int first, last, numberLength, textLength;
    };
    for (const Case& c : {Case{"\r\n+CPBR: (1-250),40,18\r\n\r\nOK\r\n", 1, 250, 40, 18},
                          Case{"\r\n+CPBR: (1-100), 20, 14\r\nOK\r\n", 1, 100, 20, 14},
                          Case{"+CPBR: (0-249),80,30,0,0,0,0\r\nOK\r\n", 0, 249, 80, 30},
                          Case{"+CPBR: (1-500)\r\nOK\r\n", 1, 500, 0, 0},
                          Case{"+CPBR: 1-20,,16\r\nOK\r\n", 1, 20, 0, 16}}) {
        const std::optional<PhonebookBounds> bounds = ParsePhonebookBounds(c.answer);
        ASSERT_TRUE(bounds) << c.answer;
        EXPECT_EQ(bounds->first, c.first) << c.answer;
        EXPECT_EQ(bounds->last, c.last) << c.answer;
        EXPECT_EQ(bounds->numberLength, c.numberLength) << c.answer;
        EXPECT_EQ(bounds->textLength, c.textLength) << c.answer;
    }
    EXPECT_FALSE(ParsePhonebookBounds("\r\n+CME ERROR: SIM not inserted\r\n"));
}

TEST(StandardAnswers, ReadMessageHeadersOfOtherPhones) {
    // No blank behind the colon: the message is there all the same.
    const QStringList packed = cutMessageBody(messageBodyOf(
        "\r\n+CMGR:\"REC READ\",\"+393331234567\",,\"07/04/05,18:02:28+08\",145,4,0,0,"
        "\"+393359609600\",145,5\r\nHello\r\n\r\nOK\r\n"));
    EXPECT_EQ(packed.value(kMessageAddress), "+393331234567");
    EXPECT_EQ(packed.value(3), "07/04/05,18:02:28+08");
    EXPECT_EQ(packed.value(kMessageText), "Hello");
    // Blanks after the commas and neither name nor details: the time stamp is no name.
    const QStringList sparse = cutMessageBody(messageBodyOf(
        "+CMGR: \"REC READ\", \"+4123456789132\", \"2009/8/18,19:11:45\"\r\nHi there\r\nOK\r\n"));
    EXPECT_EQ(sparse.value(kMessageAddress), "+4123456789132");
    EXPECT_EQ(sparse.value(kMessageName), "");
    EXPECT_EQ(sparse.value(3), "2009/8/18,19:11:45");
    EXPECT_EQ(sparse.value(kMessageText), "Hi there");
}
