// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QList>

#include "phone/PhoneSafeText.h"

TEST(PhoneSafeTextTest, CommandBreakingCharactersAreRefusedAndNamed) {
    struct Case {
        QString text;
        const char* named;
    };
    const QList<Case> cases = {
        {QStringLiteral("Tom \"Q\" Ray"), "a double quote (\")"},
        {QStringLiteral("Ann\rat+cpbw=1"), "a carriage return (CR)"},
        {QStringLiteral("Ann\nB"), "a line feed (LF)"},
        {QStringLiteral("a") + QChar(26), "Ctrl-Z"},
        {QStringLiteral("a") + QChar(27), "ESC"},
        {QStringLiteral("a") + QChar(0) + QStringLiteral("b"), "NUL"},
    };
    for (PhoneTextKind kind : {PhoneTextKind::Name, PhoneTextKind::Contents}) {
        for (const Case& c : cases) {
            const QString problem = phoneSafeTextProblem(c.text, kind);
            EXPECT_TRUE(problem.contains(QString::fromUtf8(c.named))) << problem.toStdString();
            EXPECT_FALSE(isPhoneSafeText(c.text, kind));
        }
    }
}

TEST(PhoneSafeTextTest, MessageTextKeepsLineEndsButNotTheMessageEnders) {
    EXPECT_TRUE(
        isPhoneSafeText(QStringLiteral("Is that OK\r\nsee you\n"), PhoneTextKind::MessageText));
    EXPECT_FALSE(isPhoneSafeText(QStringLiteral("cut") + QChar(26) + QStringLiteral("here"),
                                 PhoneTextKind::MessageText));
    EXPECT_FALSE(isPhoneSafeText(QStringLiteral("esc") + QChar(27), PhoneTextKind::MessageText));
    EXPECT_FALSE(isPhoneSafeText(QStringLiteral("say \"hi\""), PhoneTextKind::MessageText));
}

TEST(PhoneSafeTextTest, Latin1PassesAndEverythingBeyondIsRefusedByCodePoint) {
    EXPECT_TRUE(
        isPhoneSafeText(QStringLiteral("Émile Müller, O'Brien; 50% £ þ"), PhoneTextKind::Name));
    const QString euro = phoneSafeTextProblem(QStringLiteral("5 €"), PhoneTextKind::Contents);
    EXPECT_TRUE(euro.contains(QStringLiteral("\"€\" (U+20AC)"))) << euro.toStdString();
    // A character outside the basic plane is one code point, not two halves.
    const QString smile =
        phoneSafeTextProblem(QString::fromUtf8("hi \xF0\x9F\x98\x80"), PhoneTextKind::Name);
    EXPECT_TRUE(smile.contains(QStringLiteral("(U+1F600)"))) << smile.toStdString();
}

TEST(PhoneSafeTextTest, NumbersHoldOnlyDiallingCharacters) {
    for (const char* good :
         {"+491711234567", "*31#+123", "#31#0123", "0123P45", "0123/45", "0123p45", "12w3,4", ""}) {
        EXPECT_TRUE(isPhoneSafeText(QString::fromLatin1(good), PhoneTextKind::Number)) << good;
    }
    for (const char* bad : {"0171 123", "0171-123", "12\"3", "12\r", "abc"}) {
        EXPECT_FALSE(isPhoneSafeText(QString::fromLatin1(bad), PhoneTextKind::Number)) << bad;
    }
    EXPECT_TRUE(phoneSafeTextProblem(QStringLiteral("0171 123"), PhoneTextKind::Number)
                    .contains(QStringLiteral("the character \" \"")));
}

TEST(PhoneSafeTextTest, ControlCharactersOtherThanTabAreRefusedForEveryKind) {
    for (PhoneTextKind kind :
         {PhoneTextKind::Name, PhoneTextKind::Contents, PhoneTextKind::MessageText}) {
        const QString backspace =
            phoneSafeTextProblem(QStringLiteral("Ann") + QChar(8) + QStringLiteral("x"), kind);
        EXPECT_TRUE(backspace.contains(QStringLiteral("a control character (code 8)")))
            << backspace.toStdString();
        EXPECT_FALSE(isPhoneSafeText(QStringLiteral("del") + QChar(0x7F), kind));
        EXPECT_TRUE(isPhoneSafeText(QStringLiteral("a\tb"), kind));
    }
}

// The phone's read answers lose the byte 255 in their field cut: a name "Zoÿ" written to the
// phone would come back as "Zo" on the next load.
TEST(PhoneSafeTextTest, ByteTwoFiftyFiveIsRefusedWhereTheReadBackDropsIt) {
    const QString name = QStringLiteral("Zo") + QChar(0xFF);
    for (PhoneTextKind kind : {PhoneTextKind::Name, PhoneTextKind::Contents}) {
        EXPECT_EQ(phoneSafeTextProblem(name, kind),
                  QStringLiteral("The text cannot be sent to the phone: it holds the character "
                                 "\"ÿ\"."));
    }
    EXPECT_TRUE(isPhoneSafeText(name, PhoneTextKind::MessageText));
}
