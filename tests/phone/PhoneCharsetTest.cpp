// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QList>

#include "phone/PhoneCharset.h"

TEST(PhoneCharsetTest, ValuesAndNamesOfTheSets) {
    for (const PhoneCharset set : {PhoneCharset::Latin1, PhoneCharset::Ucs2, PhoneCharset::Gsm}) {
        EXPECT_EQ(phoneCharsetFromValue(phoneCharsetValue(set)), set);
    }
    EXPECT_EQ(phoneCharsetFromValue(QStringLiteral("UCS2")), std::nullopt);
    EXPECT_EQ(phoneCharsetCommandName(PhoneCharset::Latin1), QString());
    EXPECT_EQ(phoneCharsetCommandName(PhoneCharset::Gsm), QStringLiteral("GSM"));
}

TEST(PhoneCharsetTest, TextGoesOutInTheSetAndComesBack) {
    struct Case {
        PhoneCharset set;
        const char* utf8;
        QString sent;
    };
    const QList<Case> cases = {
        {PhoneCharset::Ucs2, "Tom \"Q\" Ray",
         QStringLiteral("0054006F006D00200022005100220020005200610079")},
        {PhoneCharset::Ucs2, "Ελένη", QStringLiteral("039503BB03AD03BD03B7")},
        {PhoneCharset::Ucs2, "王小明", QStringLiteral("738B5C0F660E")},
        {PhoneCharset::Ucs2, "Emoji 😀", QStringLiteral("0045006D006F006A00690020D83DDE00")},
        {PhoneCharset::Ucs2, "+4930*#", QStringLiteral("002B0034003900330030002A0023")},
        {PhoneCharset::Gsm, "5 € @", QString::fromLatin1("5 \x1B\x65 \0", 6)},
        {PhoneCharset::Latin1, "Émile", QString::fromUtf8("Émile")},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf8(c.utf8);
        EXPECT_EQ(encodeForPhone(text, c.set), c.sent) << c.utf8;
        const PhoneFieldText back = decodeFromPhone(c.sent, c.set, PhoneTextKind::Name);
        EXPECT_EQ(back.text, text) << c.utf8;
        EXPECT_FALSE(back.malformed) << c.utf8;
    }
}

TEST(PhoneCharsetTest, FieldsThatAreNotValidInTheSetAreTakenAsTheyStand) {
    struct Case {
        PhoneCharset set;
        PhoneTextKind kind;
        const char* field;
        const char* read;
        bool malformed;
    };
    const QList<Case> cases = {
        {PhoneCharset::Ucs2, PhoneTextKind::Name, "004", "004", true},
        {PhoneCharset::Ucs2, PhoneTextKind::Name, "00G1", "00G1", true},
        {PhoneCharset::Ucs2, PhoneTextKind::Name, "D83D0041", "D83D0041", true},
        {PhoneCharset::Ucs2, PhoneTextKind::Name, "DE00", "DE00", true},
        {PhoneCharset::Ucs2, PhoneTextKind::Name, "0041 042", "0041 042", true},
        {PhoneCharset::Ucs2, PhoneTextKind::MessageText, "", "", false},
        {PhoneCharset::Ucs2, PhoneTextKind::Number, "002B00340039", "+49", false},
        {PhoneCharset::Ucs2, PhoneTextKind::Number, "0031002A00230070", "1*#p", false},
        // A number some phones send plain even under UCS2.
        {PhoneCharset::Ucs2, PhoneTextKind::Number, "+491711234567", "+491711234567", false},
        {PhoneCharset::Ucs2, PhoneTextKind::Number, "01711234", "01711234", false},
        {PhoneCharset::Ucs2, PhoneTextKind::Number, "0041", "0041", false},
        {PhoneCharset::Gsm, PhoneTextKind::Name, "caf\xE9", "caf\xE9", true},
    };
    for (const Case& c : cases) {
        const PhoneFieldText read = decodeFromPhone(QString::fromLatin1(c.field), c.set, c.kind);
        EXPECT_EQ(read.text, QString::fromLatin1(c.read)) << c.field;
        EXPECT_EQ(read.malformed, c.malformed) << c.field;
    }
}

TEST(PhoneCharsetTest, TheCheckJudgesTextAgainstTheSetInUse) {
    struct Case {
        PhoneCharset set;
        PhoneTextKind kind;
        const char* utf8;
        const char* named;  // empty: the text may be sent
    };
    const QList<Case> cases = {
        {PhoneCharset::Ucs2, PhoneTextKind::Name, "Tom \"Q\" Ray 😀 王 €", ""},
        {PhoneCharset::Ucs2, PhoneTextKind::Name, "Ann\rB", "control character (code 13)"},
        {PhoneCharset::Ucs2, PhoneTextKind::MessageText, "Hi\r\nthere", ""},
        {PhoneCharset::Ucs2, PhoneTextKind::MessageText, "a\x1A", "control character (code 26)"},
        {PhoneCharset::Ucs2, PhoneTextKind::Number, "0171 1", "the character \" \""},
        {PhoneCharset::Gsm, PhoneTextKind::Name, "Émile ΔΦ €[]", ""},
        {PhoneCharset::Gsm, PhoneTextKind::Name, "Ελένη",
         "\"Ε\" (U+0395), which is outside the GSM"},
        {PhoneCharset::Gsm, PhoneTextKind::Name, "a 😀", "(U+1F600), which is outside the GSM"},
        {PhoneCharset::Gsm, PhoneTextKind::Name, "Tom \"Q\"", "a double quote"},
        {PhoneCharset::Gsm, PhoneTextKind::MessageText, "me@home", "as a NUL character"},
        {PhoneCharset::Gsm, PhoneTextKind::MessageText, "a\r\nb", ""},
        {PhoneCharset::Latin1, PhoneTextKind::Name, "5 €", "outside Latin-1"},
    };
    for (const Case& c : cases) {
        const QString problem = phoneCharsetProblem(QString::fromUtf8(c.utf8), c.kind, c.set);
        if (*c.named == 0) {
            EXPECT_TRUE(problem.isEmpty()) << c.utf8 << ": " << problem.toStdString();
        } else {
            EXPECT_TRUE(problem.contains(QString::fromUtf8(c.named))) << problem.toStdString();
        }
    }
}
