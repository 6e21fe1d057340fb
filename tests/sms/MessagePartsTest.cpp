// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTimeZone>

#include "pdu/PduCodec.h"
#include "sms/MessageParts.h"

namespace {

// A received part (count 0: a message in one).
QString part(const QString& sender, int reference, int count, int sequence, const QString& text,
             bool sixteenBit = false) {
    SmsPdu pdu;
    pdu.address = {sender, kInternationalAddress};
    pdu.serviceCentreTime = QDateTime(QDate(2026, 12, 5), QTime(11, 30), QTimeZone::utc());
    pdu.text = text;
    if (count > 0) {
        pdu.header = {concatElement(reference, count, sequence, sixteenBit)};
    }
    return encodePdu(pdu).hex;
}

struct ReadCase {
    const char* name;
    QList<PduEntry> entries;
    QStringList locations;  // of each message, in order
    QStringList texts;
    QStringList missing;
};

}  // namespace

TEST(MessageParts, JoinsThePartsOfEachMessage) {
    const QString a = "+447700900123";
    const QString b = "+447700900456";
    const QList<ReadCase> cases = {
        {"out of order",
         {{3, 1, part(a, 7, 3, 3, "C")},
          {4, 1, part(a, 7, 3, 1, "A")},
          {6, 0, part(a, 7, 3, 2, "B")}},
         {"4,6,3"},
         {"ABC"},
         {""}},
        {"a part missing",
         {{1, 1, part(a, 7, 3, 1, "A")}, {2, 1, part(a, 7, 3, 3, "C")}},
         {"1,2"},
         {"A[...]C"},
         {"2 of 3"}},
        {"16-bit reference, a neighbour of another sender with the same one",
         {{1, 1, part(a, 300, 2, 1, "A")},
          {2, 1, part(b, 300, 2, 1, "x")},
          {5, 1, part(a, 300, 2, 2, "B")},
          {6, 1, part(a, 0, 0, 0, "single")}},
         {"1,5", "2", "6"},
         {"AB", "x[...]", "single"},
         {"", "2 of 2", ""}},
        {"undecodable between two whole ones",
         {{1, 1, part(a, 0, 0, 0, "one")},
          {2, 1, "0791447758100650040C914477"},
          {3, 1, part(b, 0, 0, 0, "two")}},
         {"1", "2", "3"},
         {"one", kUndecodableText, "two"},
         {"", "", ""}},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QList<JoinedMessage> messages = joinParts(c.entries);
        QStringList locations, texts, missing;
        for (const JoinedMessage& message : messages) {
            locations << locationsText(message.locations);
            texts << message.text;
            missing << missingText(message);
        }
        EXPECT_EQ(locations, c.locations);
        EXPECT_EQ(texts, c.texts);
        EXPECT_EQ(missing, c.missing);
    }
}

TEST(MessageParts, UndecodableKeepsItsHex) {
    const QString hex = "0791447758100650040C9144";
    const QList<JoinedMessage> messages = joinParts({{4, 1, hex}});
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0].rawHex, hex);
}
