// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "exchange/ExchangeTestData.h"
#include "exchange/VCardFormat.h"

// Reading the vCards other programs write, and writing 3.0 lines.

namespace {

VCardCard onlyCard(const QByteArray& bytes) {
    const VCardReadResult read = readVCards(bytes);
    EXPECT_EQ(read.problems, QStringList{});
    EXPECT_EQ(read.cards.size(), 1);
    return read.cards.value(0);
}

QString textOf(const VCardCard& card, const QString& name) {
    const VCardProperty* property = card.first(name);
    return property ? property->text() : QStringLiteral("<none>");
}

}  // namespace

TEST(VCardRead, QuotedPrintableSoftBreakInsideAUtf8Character) {
    // "Zoë" with the two bytes of the ë on either side of a soft line break.
    const VCardCard card = onlyCard(
        "BEGIN:VCARD\r\nVERSION:2.1\r\n"
        "FN;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Zo=C3=\r\n=AB M=C3=BCller\r\n"
        "END:VCARD\r\n");
    EXPECT_EQ(textOf(card, "FN"), QString::fromUtf8("Zoë Müller"));
}

TEST(VCardRead, BareQuotedPrintableParameterAndSoftBreaksOverSeveralLines) {
    const VCardCard card = onlyCard(
        "BEGIN:VCARD\nVERSION:2.1\n"
        "NOTE;QUOTED-PRINTABLE:first line=0D=0Asecond =\nline and =\nmore\n"
        "END:VCARD\n");
    EXPECT_EQ(textOf(card, "NOTE"), "first line\r\nsecond line and more");
}

TEST(VCardRead, Latin1CharacterSet) {
    const VCardCard card = onlyCard(
        "BEGIN:VCARD\r\nVERSION:2.1\r\nN;CHARSET=ISO-8859-1:J\xF6rg;Ren\xE9\r\n"
        "FN;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Ren=E9 J=F6rg\r\nEND:VCARD\r\n");
    EXPECT_EQ(textOf(card, "FN"), QString::fromUtf8("René Jörg"));
    EXPECT_EQ(card.first("N")->components(),
              (QStringList{QString::fromUtf8("Jörg"), QString::fromUtf8("René")}));
}

TEST(VCardRead, EightBitTextWithoutCharsetThatIsNotUtf8ReadsAsLatin1) {
    const VCardCard card = onlyCard("BEGIN:VCARD\r\nFN:Fran\xE7ois\r\nEND:VCARD\r\n");
    EXPECT_EQ(textOf(card, "FN"), QString::fromUtf8("François"));
}

TEST(VCardRead, FoldedLinesGroupsTypesAndEscapes) {
    const VCardCard card = onlyCard(
        "BEGIN:VCARD\r\nVERSION:3.0\r\n"
        "FN:Anna\r\n  Berg\r\n"
        "item1.TEL;TYPE=WORK,VOICE:+49 30 1\r\n"
        "TEL;type=cell;type=pref:0170\r\n"
        "TEL;HOME;FAX:0301\r\n"
        "NOTE:a\\, b\\; c\\\\d\\nnext\r\n"
        "ADR;TYPE=HOME:;;Main St. 1\\, back;Town;;12345;\r\n"
        "END:VCARD\r\n");
    EXPECT_EQ(textOf(card, "FN"), "Anna Berg");
    const QList<const VCardProperty*> tels = card.all("TEL");
    ASSERT_EQ(tels.size(), 3);
    EXPECT_EQ(tels[0]->types, (QSet<QString>{"WORK", "VOICE"}));
    EXPECT_EQ(tels[0]->text(), "+49 30 1");
    EXPECT_EQ(tels[1]->types, (QSet<QString>{"CELL", "PREF"}));
    EXPECT_EQ(tels[2]->types, (QSet<QString>{"HOME", "FAX"}));
    EXPECT_EQ(textOf(card, "NOTE"), "a, b; c\\d\nnext");
    EXPECT_EQ(card.first("ADR")->components(),
              (QStringList{"", "", "Main St. 1, back", "Town", "", "12345", ""}));
}

TEST(VCardRead, AMalformedCardIsSkippedWithItsLineAndTheOthersAreRead) {
    const VCardReadResult read = readVCards(
        "BEGIN:VCARD\r\nFN:Good One\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nFN:Broken\r\nthis line has no colon\r\nTEL:1\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nFN;ENCODING=QUOTED-PRINTABLE:bad=ZZ\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nFN:Good Two\r\nEND:VCARD\r\n"
        "BEGIN:VCARD\r\nFN:Unfinished\r\n");
    ASSERT_EQ(read.cards.size(), 2);
    EXPECT_EQ(read.cards[0].first("FN")->text(), "Good One");
    EXPECT_EQ(read.cards[1].first("FN")->text(), "Good Two");
    EXPECT_EQ(read.cards[1].line, 12);
    EXPECT_EQ(read.problems,
              (QStringList{"card at line 4 skipped: line 6: a property without a name and ':'",
                           "card at line 9 skipped: line 10: broken quoted-printable text",
                           "card at line 15 skipped: no END:VCARD before the end of the file"}));
}

TEST(VCardRead, ExplicitUtf8ThatIsNotUtf8SkipsTheCard) {
    const VCardReadResult read =
        readVCards("BEGIN:VCARD\r\nFN;CHARSET=UTF-8:Fran\xE7ois\r\nEND:VCARD\r\n");
    EXPECT_TRUE(read.cards.isEmpty());
    EXPECT_EQ(read.problems, QStringList{"card at line 1 skipped: line 2: text that is not UTF-8"});
}

TEST(VCardWrite, FoldsAtSeventyFiveOctetsWithoutCuttingACharacter) {
    VCardWriter out;
    // 70 ASCII octets, then two-byte characters: the cut must fall between characters.
    const QString value = QString(70, u'a') + QString(10, QChar(0xE9));
    out.property("NOTE", value);
    const QList<QByteArray> lines = out.bytes().split('\n');
    ASSERT_GE(lines.size(), 2);
    EXPECT_EQ(lines[0], "NOTE:" + QByteArray(70, 'a') + "\r");  // 75 octets, then a cut
    EXPECT_TRUE(lines[1].startsWith(" \xC3\xA9"));
    for (const QByteArray& line : lines) {
        EXPECT_LE(line.size(), 76);  // 75 octets and the CR
    }
    // Reading it back restores the value.
    VCardWriter card;
    card.begin();
    card.property("NOTE", value);
    card.end();
    EXPECT_EQ(onlyCard(card.bytes()).first("NOTE")->text(), value);
}

TEST(VCardWrite, EscapesTextAndReadsItBack) {
    const QString text = "a,b;c\\d\r\ne\nf";
    EXPECT_EQ(VCardWriter::escapeText(text), "a\\,b\\;c\\\\d\\ne\\nf");
    VCardWriter card;
    card.begin();
    card.property("NOTE", VCardWriter::escapeText(text));
    card.end();
    EXPECT_EQ(onlyCard(card.bytes()).first("NOTE")->text(), "a,b;c\\d\ne\nf");
}
