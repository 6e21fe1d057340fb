// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTimeZone>
#include "db/DatabaseConnection.h"
#include "db/TableColumns.h"

#include "pdu/PduCodec.h"
#include "phonesim/PhoneSimPdu.h"
#include "sms/CSmsDB.h"
#include "sms/PduMessageSend.h"
#include "support/EnginePhoneLink.h"
#include "support/RecordingProgress.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"

// The message operations of PDU mode against their recorded exchanges, byte for byte.

namespace {

PhoneSettings pduSettings() {
    PhoneSettings settings;
    settings.smsFormat = SmsFormat::Pdu;
    return settings;
}

QString receivedPart(int sequence, const QString& text) {
    SmsPdu pdu;
    pdu.serviceCentre = {"+4477", kInternationalAddress};
    pdu.address = {"+491", kInternationalAddress};
    pdu.serviceCentreTime = QDateTime(QDate(2026, 12, 5), QTime(11, 30), QTimeZone::utc());
    pdu.text = text;
    pdu.header = {concatElement(42, 2, sequence, false)};
    return encodePdu(pdu).hex;
}

// The second part sits before the first; location 2 holds a message in Greek kept as text.
PhoneSimState pduPhone() {
    PhoneSimState state = PhoneSimState::demo();
    state.serviceCentre = "+4477";
    state.smMessages.capacity = 4;
    state.smMessages.messages.clear();
    state.smMessages.messages[1].pdu = receivedPart(2, "world");
    state.smMessages.messages[2] = {
        "REC UNREAD", "+302", 145, "26/12/06,12:00:00+00", QStringLiteral("Γειά σου"), 4, 0, 0};
    state.smMessages.messages[4].pdu = receivedPart(1, "Hello ");
    state.smMessages.messages[4].status = "REC READ";
    return state;
}

PduMessageOptions longMessage() {
    PduMessageOptions options;
    options.number = "+49123";
    options.text = QString(200, 'x');
    options.validityChoice = 3;
    options.reference = 9;
    return options;
}

}  // namespace

TEST(PduMessageTranscripts, LoadOneByOneJoinsTheParts) {
    TempWorkDir dir;
    TranscriptReplay replay("sms_pdu_load", pduPhone());
    replay.setSettings(pduSettings());
    PhoneLink& link = replay.connectThenReplay();
    link.simMessageCapacity = 4;
    RecordingProgress progress;
    CSmsDB store;
    EXPECT_TRUE(store.LoadFromPhone(link, progress).loaded());
    EXPECT_TRUE(replay.matched());
    const SmsListContents contents = store.FillList(4);
    ASSERT_EQ(contents.rows.size(), 2);
    EXPECT_EQ(contents.rows[0].message, QStringLiteral("Γειά σου"));
    EXPECT_EQ(contents.rows[0].status, "UnRead");
    EXPECT_EQ(contents.rows[1].parts, "4,1");
    EXPECT_EQ(contents.rows[1].message, "Hello world");
    EXPECT_EQ(contents.rows[1].time, "26/12/05,11:30:00+00");
    closeAllDatabases();
}

TEST(PduMessageTranscripts, TwoPartSend) {
    TranscriptReplay replay("sms_pdu_send_two_parts", pduPhone());
    replay.setSettings(pduSettings());
    const PduSendOutcome outcome = sendPduMessage(replay.connectThenReplay(), longMessage());
    EXPECT_TRUE(replay.matched());
    EXPECT_EQ(outcome.code, 0);
    EXPECT_EQ(outcome.partsSent, 2);
}

// The phone takes the first part and refuses the second: the user learns the first went out.
TEST(PduMessageTranscripts, RefusedSecondPartStopsTheSend) {
    TranscriptReplay replay("sms_pdu_send_refused_part", pduPhone());
    replay.setSettings(pduSettings());
    PhoneSimFaults faults;
    faults.errorPattern = "at+cmgs=59";
    faults.cmsError = 500;
    replay.engine().setFaults(faults);
    const PduSendOutcome outcome = sendPduMessage(replay.connectThenReplay(), longMessage());
    EXPECT_TRUE(replay.matched());
    EXPECT_NE(outcome.code, 0);
    EXPECT_EQ(outcome.partsSent, 1);
    EXPECT_EQ(outcome.errorCode, 500);
    EXPECT_EQ(partsSentText(outcome),
              "Part 1 of 2 went out; part 2 was refused and nothing after it was sent.");
}

// The demo SIM's units in PDU format: the long message whole, its sent message delivered; in
// text format every unit is a row of its own.
TEST(PduMessageLoad, DemoSimReadsInBothFormats) {
    TempWorkDir dir;
    EnginePhoneLink phone(PhoneSimState::showcase());
    PhoneLink& link = phone.link();
    link.simMessageCapacity = 15;
    RecordingProgress progress;
    CSmsDB store;
    ASSERT_TRUE(store.LoadFromPhone(link, progress).loaded());
    const int textRows = store.FillList(15).rows.size();
    link.settings.smsFormat = SmsFormat::Pdu;
    ASSERT_TRUE(store.LoadFromPhone(link, progress).loaded());
    const SmsListContents contents = store.FillList(15);
    EXPECT_EQ(contents.rows.size(), textRows - 2);
    QStringList joined;
    for (const SmsListRow& row : contents.rows) {
        if (!row.parts.isEmpty() || row.time.startsWith("Delivered")) {
            joined << row.parts + " " + row.message.right(5) + " " + row.time;
        }
    }
    EXPECT_EQ(joined, QStringList({"9,11,10 Alice 26/12/06,18:06:00+00",
                                   " 8 pm? Delivered 26/12/06,20:05:05+00"}));
    closeAllDatabases();
}
