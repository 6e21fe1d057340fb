// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/ListAnswers.h"

#include <gtest/gtest.h>

#include "phone/MessageAnswers.h"

// Texts run from header to header; an announced length only picks the header when a text line
// looks like one, and the last text ends at the final framing.
TEST(ListAnswersTest, ListingIsCutIntoItsMessages) {
    const auto listed = [](int index, const QString& status, const QString& text, int length) {
        return QString("+CMGL: %1,\"%2\",\"+491\",,\"t\",145,%3\r\n%4\r\n")
            .arg(index)
            .arg(status)
            .arg(length)
            .arg(text);
    };
    const QString fakeHeader = "a\r\n+CMGL: 9,\"REC READ\",\"1\",,\"x\",129,1\r\nb";
    struct Case {
        QString answer;
        QList<int> indexes;
        QStringList texts;
    };
    const Case cases[] = {
        {listed(1, "REC READ", "Is that\nOK", 10) + listed(4, "STO SENT", "ERROR", 5),
         {1, 4},
         {"Is that\nOK", "ERROR"}},
        {listed(2, "REC READ", fakeHeader, fakeHeader.size()) + listed(3, "REC READ", "c", 1),
         {2, 3},
         {fakeHeader, "c"}},
        {listed(1, "REC READ", "too short", 2) + listed(2, "REC READ", "too long", 90) +
             listed(3, "REC READ", "last\nOK", 1),
         {1, 2, 3},
         {"too short", "too long", "last\nOK"}},
        {"+CMGL: 5,\"REC READ\",\"+491\",,\"t\"\r\nno details\r\n", {5}, {"no details"}},
        {"", {}, {}},
    };
    for (const Case& c : cases) {
        const QList<ListedMessage> messages =
            listedMessagesOf("at+cmgl\r\r\n" + c.answer + "\r\nOK\r\n");
        QList<int> indexes;
        QStringList texts;
        for (const ListedMessage& message : messages) {
            indexes << message.index;
            texts << message.fields.value(kMessageText);
            EXPECT_EQ(message.complete, message.fields[kMessageStatus].startsWith("REC"));
        }
        EXPECT_EQ(indexes, c.indexes) << c.answer.toStdString();
        EXPECT_EQ(texts, c.texts) << c.answer.toStdString();
    }
}

// Listings as real phones give them: no blank after the colon, blanks after the commas, a
// missing name field; the number and time keep their places and lose the blanks.
TEST(ListAnswersTest, RealPhonesListingsKeepTheirFieldsInPlace) {
    const QList<ListedMessage> messages = listedMessagesOf(
        "at+cmgl=\"ALL\"\r\r\n"
        "+CMGL:7,\"REC READ\",\"+393381234567\",,\"07/04/05,18:02:28+08\",145,4\r\nciao\r\n"
        "+CMGL: 8, \"REC UNREAD\", \"+4123456789132\", , \"09/08/18,19:11:45+08\"\r\nhi\r\n"
        "\r\nOK\r\n");
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[0].index, 7);
    EXPECT_EQ(messages[0].fields[kMessageAddress], "+393381234567");
    EXPECT_EQ(messages[0].fields[kMessageText], "ciao");
    EXPECT_EQ(messages[1].index, 8);
    EXPECT_EQ(messages[1].fields[kMessageStatus], "REC UNREAD");
    EXPECT_EQ(messages[1].fields[kMessageAddress], "+4123456789132");
    EXPECT_EQ(messages[1].fields[kMessageName], "");
    EXPECT_EQ(messages[1].fields[kMessageText], "hi");
}
