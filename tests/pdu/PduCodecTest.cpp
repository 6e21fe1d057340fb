// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QList>

#include "pdu/PduCodec.h"

namespace {

struct Vector {
    const char* hex;
    PduType type;
    const char* centre;
    const char* address;
    const char* time;  // ISO with the zone; empty where the type has none
    const char* text;  // UTF-8, or the start of a long text
    PduConcat concat;
};

// Published examples and PDUs real phones produced.
const QList<Vector> kVectors = {
    {"07917283010010F5040BC87238880900F10000993092516195800AE8329BFD4697D9EC37",
     PduType::Deliver,
     "+27381000015",
     "27838890001",
     "1999-03-29T15:16:59+02:00",
     "hellohello",
     {}},
    {"0011000B916407281553F80000AA0AE8329BFD4697D9EC37",
     PduType::Submit,
     "",
     "+46708251358",
     "",
     "hellohello",
     {}},
    {"0001010B915121551532F40010104190991D9EA341EDF27C1E3E9743",
     PduType::Submit,
     "",
     "+15125551234",
     "",
     "A flash message!",
     {}},
    {"0001AB0B915121551532F400C80F3190BB7C07D9DFE971B91D4EB301",
     PduType::Submit,
     "",
     "+15125551234",
     "",
     "1 new voicemail",
     {}},
    {"0011000C910955050000100008AA0C015E006500620065006B0065",
     PduType::Submit,
     "",
     "+905550000001",
     "",
     "Şebeke",
     {}},
    {"0791227167830001040C912271271640910008906012024514001C002E004020AC00A300680065006C006C006F0"
     "02000E900EC006B00F0",
     PduType::Deliver,
     "+221776380010",
     "+221772610419",
     "2009-06-21T20:54:41+00:00",
     ".@€£hello éìkð",
     {}},
    {"07914477790706520414D06176198F0EE361F2321900005001610013334014C324350B9287D12079180D92A341613"
     "4480E",
     PduType::Deliver,
     "+447797706025",
     "alexhax0red",
     "2005-10-16T00:31:33+01:00",
     "CITY rah rah rh ah r",
     {}},
    {"0791448720003023440C91449703529096000050015132532240A00500037A020190E9339A9D3EA3E920FA1B1466B"
     "341E472193E079DD3EE73D85DA7EB41E7B41C1407C1CBF43228CC26E3416137390F3AABCFEAB3FAAC3EABCFEAB3F"
     "AAC3EABCFEAB3FAAC3EABCFEAB3FADC3EB7CFED73FBDC3EBF5D4416D9457411596457137D87B7E16438194E86BB"
     "CF6D16D9055D429548A28BE822BA882E6370196C2A8950E291E822BA88",
     PduType::Deliver,
     "+447802000332",
     "+447930250969",
     "2005-10-15T23:35:22+01:00",
     "Highlight to all deeps ginganutz",
     {0x7A, 2, 1, false}},
    {"07919730071111F14007D0CD21720A0008718042814134218B0608040AE50301041D04300020043E0441043D043E0"
     "4"
     "320430043D043804380020043F0440043E0433043D043E0437043000200424041304110423002000AB04260435043"
     "D"
     "044204400430043B044C043D043E0435002004230413041C042100BB0020003200340020043004320433044304410"
     "4"
     "420430002004320020041C043E0441043A043204350020",
     PduType::Deliver,
     "+79037011111",
     "MCHS",
     "2017-08-24T18:14:43+03:00",
     "На основании прогноза ФГБУ «Центральное УГМС» 24 августа в Москве ",
     {0x0AE5, 3, 1, true}},
    // A delivery report built by hand: reference 42, delivered (status 0).
    {"00062A0B914497035290F67180428141342171804281415421"
     "00",
     PduType::StatusReport,
     "",
     "+44793025096",
     "2017-08-24T18:14:43+03:00",
     "",
     {}},
};

}  // namespace

TEST(PduCodecTest, VectorsDecodeToTheirMeaningAndEncodeBackToTheSameHex) {
    for (const Vector& v : kVectors) {
        const QString hex = QString::fromLatin1(v.hex);
        const SmsPdu pdu = decodePdu(hex);
        ASSERT_FALSE(pdu.undecodable) << v.hex << ": " << pdu.problem.toStdString();
        EXPECT_EQ(pdu.type, v.type) << v.hex;
        EXPECT_EQ(pdu.serviceCentre.number, QString::fromLatin1(v.centre)) << v.hex;
        EXPECT_EQ(pdu.address.number, QString::fromUtf8(v.address)) << v.hex;
        EXPECT_EQ(pdu.serviceCentreTime.toString(Qt::ISODate), QString::fromLatin1(v.time))
            << v.hex;
        const QString text = QString::fromUtf8(v.text);
        EXPECT_EQ(pdu.text.left(text.size()), text) << v.hex;
        const PduConcat concat = concatOf(pdu);
        EXPECT_EQ(concat.reference, v.concat.reference) << v.hex;
        EXPECT_EQ(concat.count, v.concat.count) << v.hex;
        EXPECT_EQ(concat.sequence, v.concat.sequence) << v.hex;
        EXPECT_EQ(concat.sixteenBit, v.concat.sixteenBit) << v.hex;
        const EncodedPdu encoded = encodePdu(pdu);
        EXPECT_EQ(encoded.hex, hex) << v.hex;
        const int centreOctets = hex.left(2).toInt(nullptr, 16) + 1;
        EXPECT_EQ(encoded.tpduLength, hex.size() / 2 - centreOctets) << v.hex;
    }
}

TEST(PduCodecTest, FieldsOfTheTypesAreRead) {
    const SmsPdu voicemail = decodePdu(QString::fromLatin1(kVectors[3].hex));
    EXPECT_EQ(voicemail.messageReference, 0xAB);
    EXPECT_EQ(voicemail.dataCoding, 0xC8);
    const SmsPdu submit = decodePdu(QString::fromLatin1(kVectors[1].hex));
    EXPECT_EQ(submit.validityFormat, 2);
    EXPECT_EQ(submit.validity, QByteArray("\xAA"));
    const SmsPdu report = decodePdu(QString::fromLatin1(kVectors.last().hex));
    EXPECT_EQ(report.messageReference, 42);
    EXPECT_EQ(report.status, 0);
    EXPECT_EQ(report.dischargeTime.toString(Qt::ISODate),
              QStringLiteral("2017-08-24T18:14:45+03:00"));
    EXPECT_FALSE(report.hasUserData);
    // The time stamp's zone west of Greenwich, and a national number.
    const SmsPdu west = decodePdu(QStringLiteral("00040AA110325476980000112131329595690141"));
    ASSERT_FALSE(west.undecodable) << west.problem.toStdString();
    EXPECT_EQ(west.address, (PduAddress{QStringLiteral("0123456789"), kNationalAddress}));
    EXPECT_EQ(west.serviceCentreTime.toString(Qt::ISODate),
              QStringLiteral("2011-12-13T23:59:59-04:00"));
}

TEST(PduCodecTest, BadInputIsKeptRawAndFlagged) {
    for (const char* bad : {
             "", "0",
             "0791",                                                // centre cut short
             "07917283010010F5",                                    // no message
             "0011000B916407281553F80000AA0",                       // odd digits
             "00ZZ",                                                // not hex
             "0011000B916407281553F80000AA20E8329BFD4697D9EC37",    // length beyond the data
             "0051000B916407281553F80000AA0A09E8329BFD4697D9EC37",  // header beyond user data
             "0051000B916407281553F80000AA0A0200099BFD4697D9EC37",  // element beyond the header
             "0011000B916407281553F8000CAA0AE8329BFD4697D9EC37",    // unknown coding
             "0011000B916407281553F80028AA0AE8329BFD4697D9EC37",    // compressed
             "0011000B916407281553F80008AA03E8329B",                // odd UCS2
             "040BC87238880900F10000993092516195",                  // cut inside its time stamp
         }) {
        const SmsPdu pdu = decodePdu(QString::fromLatin1(bad));
        EXPECT_TRUE(pdu.undecodable) << bad;
        EXPECT_FALSE(pdu.problem.isEmpty()) << bad;
        EXPECT_EQ(pdu.rawHex, QString::fromLatin1(bad));
    }
}
