// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QList>

#include "pdu/MessageSplitter.h"
#include "pdu/PduCodec.h"

namespace {

QString repeated(const char* utf8, int times) {
    return QString::fromUtf8(utf8).repeated(times);
}

// 300 characters of the GSM alphabet, each position distinct enough to show a lost or moved one.
QString gsmText() {
    QString text;
    for (int i = 0; i < 300; ++i) {
        text += QChar(u"abcdefghijklmnopqrstuvwxyz0123456789 .,ÄÖÜ@£"[i % 44]);
    }
    return text;
}

// The parts as the phone would read them back: each encoded, decoded and joined in order.
QString sentAndReadBack(const QList<SmsPdu>& parts, PduCoding coding, bool sixteenBit) {
    QString joined;
    for (int i = 0; i < parts.size(); ++i) {
        const SmsPdu read = decodePdu(encodePdu(parts[i]).hex);
        EXPECT_FALSE(read.undecodable) << read.problem.toStdString();
        EXPECT_EQ(codingOf(read.dataCoding), coding);
        const PduConcat concat = concatOf(read);
        if (parts.size() > 1) {
            EXPECT_EQ(concat.reference, sixteenBit ? 0x1234 : 0x34);
            EXPECT_EQ(concat.count, parts.size());
            EXPECT_EQ(concat.sequence, i + 1);
            EXPECT_EQ(concat.sixteenBit, sixteenBit);
        }
        joined += read.text;
    }
    return joined;
}

}  // namespace

TEST(MessageSplitterTest, LongTextsGoOutInPartsAndComeBackWhole) {
    struct Case {
        QString text;
        bool sixteenBit;
        PduCoding coding;
        QList<int> partSizes;  // characters (UTF-16 units) in each part
        const char* counter;
    };
    const QList<Case> cases = {
        {gsmText(), false, PduCoding::Gsm7, {153, 147}, "2 messages, 6 characters left"},
        {gsmText(), true, PduCoding::Gsm7, {152, 148}, "2 messages, 4 characters left"},
        {repeated("αβγδεζηθικ", 10),
         false,
         PduCoding::Ucs2,
         {67, 33},
         "2 messages, 34 characters left"},
        {repeated("😀", 40), false, PduCoding::Ucs2, {66, 14}, "2 messages, 53 characters left"},
        {repeated("€", 80), false, PduCoding::Gsm7, {80}, "1 message, 0 characters left"},
        {repeated("€", 80) + QStringLiteral("a"),
         false,
         PduCoding::Gsm7,
         {76, 5},
         "2 messages, 144 characters left"},
        {QString(), false, PduCoding::Gsm7, {0}, "1 message, 160 characters left"},
        {repeated("x", 159) + QString::fromUtf8("ł"),
         false,
         PduCoding::Ucs2,
         {67, 67, 26},
         "3 messages, 41 characters left"},
    };
    for (const Case& c : cases) {
        SubmitSettings settings;
        settings.destination = {QStringLiteral("+491711234567"), kInternationalAddress};
        settings.reference = 0x1234;
        settings.sixteenBitReference = c.sixteenBit;
        const QList<SmsPdu> parts = submitPdus(c.text, settings);
        QList<int> sizes;
        for (const SmsPdu& part : parts) {
            sizes.append(static_cast<int>(part.text.size()));
        }
        EXPECT_EQ(sizes, c.partSizes) << c.counter;
        EXPECT_EQ(sentAndReadBack(parts, c.coding, c.sixteenBit), c.text) << c.counter;
        EXPECT_EQ(messageCounterText(c.text, c.sixteenBit), QString::fromLatin1(c.counter));
    }
}

TEST(MessageSplitterTest, TenPartsAtMost) {
    EXPECT_EQ(submitPdus(repeated("x", 1530), {}).size(), 10);
    EXPECT_TRUE(submitPdus(repeated("x", 1531), {}).isEmpty());
    EXPECT_TRUE(measureMessage(repeated("x", 1531)).tooLong);
    EXPECT_EQ(messageCounterText(repeated("x", 1531)),
              QStringLiteral("Too long: 11 messages, 10 at most"));
}

TEST(MessageSplitterTest, ValidityAndReportRequestGoIntoTheFirstOctetAndTheirField) {
    SubmitSettings settings;
    settings.destination = {QStringLiteral("+46708251358"), kInternationalAddress};
    const QString text = QStringLiteral("hellohello");
    const EncodedPdu plain = encodePdu(submitPdus(text, settings).value(0));
    EXPECT_EQ(plain.hex, QStringLiteral("0001000B916407281553F800000AE8329BFD4697D9EC37"));
    EXPECT_EQ(plain.tpduLength, 22);
    struct Case {
        int choice;
        const char* vp;
    };
    for (const Case& c :
         QList<Case>{{0, "0B"}, {1, "47"}, {2, "8F"}, {3, "A7"}, {4, "AD"}, {5, "FF"}}) {
        settings.validityChoice = c.choice;
        settings.statusReport = true;
        EXPECT_EQ(encodePdu(submitPdus(text, settings).value(0)).hex,
                  QStringLiteral("0031000B916407281553F80000") + QLatin1String(c.vp) +
                      QStringLiteral("0AE8329BFD4697D9EC37"));
    }
}
