// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QList>

#include "pdu/GsmAlphabet.h"

TEST(GsmAlphabetTest, CharactersTakeTheirSeptetsAndComeBack) {
    struct Case {
        const char* utf8;
        QByteArray septets;
    };
    const QList<Case> cases = {
        {"@£$¥", QByteArray("\x00\x01\x02\x03", 4)},
        {"ΔΦΓΛΩΠΨΣΘΞ", QByteArray("\x10\x12\x13\x14\x15\x16\x17\x18\x19\x1A")},
        {"¤¡Ä§¿äà", QByteArray("\x24\x40\x5B\x5F\x60\x7B\x7F")},
        {"€", QByteArray("\x1B\x65")},
        {"[]{}^~\\|\f",
         QByteArray("\x1B\x3C\x1B\x3E\x1B\x28\x1B\x29\x1B\x14\x1B\x3D\x1B\x2F\x1B\x40"
                    "\x1B\x0A")},
        {"Hi\r\n", QByteArray("Hi\x0D\x0A")},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.utf8);
        const GsmEncoding encoded = gsmEncode(text);
        EXPECT_EQ(encoded.septets, c.septets) << c.utf8;
        EXPECT_EQ(encoded.unknownAt, -1) << c.utf8;
        EXPECT_EQ(gsmDecode(c.septets), text) << c.utf8;
        EXPECT_EQ(gsmSeptetCount(text), c.septets.size()) << c.utf8;
    }
    EXPECT_EQ(gsmSeptetCount(QString::fromUtf8("5 €")), 4);
}

TEST(GsmAlphabetTest, TheFirstCharacterOutsideIsNamedByPosition) {
    struct Case {
        const char* utf8;
        qsizetype at;
        char32_t unknown;
    };
    for (const Case& c : QList<Case>{{"ab`c", 2, U'`'},
                                     {"Ελένη", 0, U'Ε'},
                                     {"hi \xF0\x9F\x98\x80 ç", 3, U'\U0001F600'},
                                     {"tab\there", 3, U'\t'}}) {
        const QString text = QString::fromUtf8(c.utf8);
        const GsmEncoding encoded = gsmEncode(text);
        EXPECT_EQ(encoded.unknownAt, c.at) << c.utf8;
        EXPECT_EQ(encoded.unknown, c.unknown) << c.utf8;
        EXPECT_FALSE(gsmFits(text));
    }
    // One septet for the "?" a character outside the basic plane becomes.
    EXPECT_EQ(gsmSeptetCount(QString::fromUtf8("\xF0\x9F\x98\x80")), 1);
}

TEST(GsmAlphabetTest, AnEscapeBeforeAnUnlistedCodeShowsTheDefaultCharacter) {
    EXPECT_EQ(gsmDecode(QByteArray("\x1B\x41\x1B")), QStringLiteral("A"));
    EXPECT_EQ(gsmDecode(QByteArray("a\x1B\x1B")), QStringLiteral("a "));
}
