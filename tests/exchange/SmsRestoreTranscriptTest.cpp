// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimeZone>

#include "exchange/ExchangeTestData.h"
#include "exchange/SmsExchange.h"
#include "platform/Profile.h"
#include "sms/CSmsDB.h"
#include "support/RecordingProgress.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"

// An import while the phone answers, as it goes over the wire: the SIM is read, then each
// message the SIM lacks is written with its status until the SIM is full.

TEST(SmsRestoreTranscript, WritesWhatTheSimLacksWithItsStatusUntilItIsFull) {
    QTemporaryDir profile;
    Profile::useFolder(profile.path());
    AppStateOwner run;
    QTemporaryDir files;
    TempWorkDir work;
    // The first is the SIM's message to the second; the second differs only in its time.
    const qint64 onSim =
        QDateTime(QDate(2026, 12, 1), QTime(9, 14, 22), QTimeZone::utc()).toMSecsSinceEpoch();
    const QString file = files.filePath("in.xml");
    writeBytes(file, QStringLiteral(
                         "<smses count=\"5\">\n"
                         "<sms address=\"+4912\" date=\"%1\" type=\"1\" body=\"hi\" read=\"1\" />\n"
                         "<sms address=\"+4912\" date=\"1\" type=\"1\" body=\"hi\" read=\"0\" />\n"
                         "<sms address=\"0123\" date=\"1\" type=\"3\" body=\"two&#10;lines\" />\n"
                         "<sms address=\"0456\" date=\"1\" type=\"2\" body=\"sent\" />\n"
                         "<sms address=\"+4913\" date=\"1\" type=\"1\" body=\"late\" />\n"
                         "</smses>\n")
                         .arg(onSim)
                         .toUtf8());
    PhoneSimState state;
    state.smMessages.capacity = 4;
    state.smMessages.messages[1] = {"REC READ", "+4912", 145, "26/12/01,09:14:22+00", "hi"};
    TranscriptReplay replay("sms_import_restore", state);
    PhoneLink& link = replay.connectThenReplay();
    RecordingProgress progress;
    const ExchangeResult result = importSmsXml(file, &link, progress);
    EXPECT_TRUE(replay.matched());
    EXPECT_EQ(result.imported, 3);
    EXPECT_EQ(result.skippedReasons,
              (QStringList{"line 2: already on the SIM",
                           "line 6: does not fit: the SIM is full (4 messages)"}));
    // The table mirrors the SIM: the location each write got, a written message without a time.
    CSmsDB store;
    QStringList rows;
    for (const SmsListRow& row : store.FillList(4).rows) {
        rows << QStringList{row.number, row.phoneNumber, row.message, row.time, row.status}.join(
            u'|');
    }
    EXPECT_EQ(rows, (QStringList{"1|+4912|hi|26/12/01,09:14:22+00|Read", "2|+4912|hi||UnRead",
                                 "3|0123|two lines|1 hour|Not Sent", "4|0456|sent|1 hour|Sent"}));
    Profile::useFolder({});
}
