// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimeZone>
#include <algorithm>

#include "exchange/Exchange.h"
#include "exchange/ExchangeTestData.h"
#include "exchange/SmsExchange.h"
#include "platform/PresentTime.h"
#include "platform/Profile.h"
#include "sms/CSmsDB.h"
#include "support/EnginePhoneLink.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

// The message table as CSV and as SMS backup XML.

namespace {

struct Row {
    QString number, name, phoneNumber, date, status, message, type;
    bool reply = false;
    int pid = 0;
    QString rawPdu;
    bool operator==(const Row&) const = default;
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.number.toStdString() << '|' << row.name.toStdString() << '|'
         << row.phoneNumber.toStdString() << '|' << row.date.toStdString() << '|'
         << row.status.toStdString() << '|' << row.message.toStdString() << '|'
         << row.type.toStdString() << '|' << row.reply << '|' << row.pid << '|'
         << row.rawPdu.toStdString();
}

void addRow(const Row& row) {
    CSmsDB store;
    store.Requery();
    store.AddNew();
    store.setValue("Number", row.number);
    store.setValue("Name", row.name);
    store.setValue("PhoneNumber", row.phoneNumber);
    store.setValue("Date", row.date);
    store.setValue("Status", row.status);
    store.setValue("Message", row.message);
    store.setValue("Type", row.type);
    store.setValue("Reply", row.reply);
    store.setValue("Pid", row.pid);
    store.setValue("RawPdu", row.rawPdu);
    store.Update();
}

QList<Row> rows() {
    CSmsDB store;
    store.Requery();
    QList<Row> all;
    if (store.GetRecordCount() > 0) {
        for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
            all.append({store.textValue("Number"), store.textValue("Name"),
                        store.textValue("PhoneNumber"), store.textValue("Date"),
                        store.textValue("Status"), store.textValue("Message"),
                        store.textValue("Type"), store.boolValue("Reply"), store.intValue("Pid"),
                        store.textValue("RawPdu")});
        }
    }
    std::sort(all.begin(), all.end(),
              [](const Row& a, const Row& b) { return a.number.toInt() < b.number.toInt(); });
    return all;
}

const QList<Row> kRows = {
    {"1", "Ann", "+491", "01/05/14,12:30:00+36", "UnRead", "a, \"b\"\r\nline two", "SIM", false, 0,
     ""},
    {"2", "", "+4477", "26/12/07,10:15:00-08", "Read", QString::fromUtf8("Grüße & <tags>"), "SIM",
     true, 0, ""},
    {"3", "Bob", "0301", "24 hour", "Not Sent", "draft", "SIM", false, 0, ""},
    // A message that could not be decoded keeps its units for the next program.
    {"10", "", "0302", "", "Sent", "sent\ttab", "SIM", false, 64, "0011FF"},
};

class SmsExchangeTest : public ::testing::Test {
  protected:
    SmsExchangeTest() { Profile::useFolder(profileDir.path()); }
    ~SmsExchangeTest() override { Profile::useFolder({}); }

    QString file(const QString& name) const { return files.filePath(name); }

    QTemporaryDir profileDir;
    QTemporaryDir files;
    RecordingProgress progress;
};

}  // namespace

TEST_F(SmsExchangeTest, CsvExportMatchesTheGoldenFileInLocationOrder) {
    TempWorkDir work;
    for (qsizetype i = kRows.size() - 1; i >= 0; --i) {
        addRow(kRows[i]);
    }
    const ExchangeResult result = exportSmsCsv(file("sms.csv"));
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.exported, 4);
    const QByteArray actual = fileBytes(file("sms.csv"));
    EXPECT_EQ(withLf(actual), withLf(goldenBytes("sms_messages.csv", actual)));
}

TEST_F(SmsExchangeTest, XmlExportMatchesTheGoldenFile) {
    TempWorkDir work;
    for (const Row& row : kRows) {
        addRow(row);
    }
    const QDateTime stamp(QDate(2026, 12, 8), QTime(9, 0), QTimeZone(3600));
    const ExchangeResult result = exportSmsXml(file("sms.xml"), stamp);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.exported, 4);
    const QByteArray actual = fileBytes(file("sms.xml"));
    EXPECT_EQ(withLf(actual), withLf(goldenBytes("sms_messages.xml", actual)));
    // Received messages are dated by their service-centre stamp (+36 quarters is +09:00).
    EXPECT_TRUE(actual.contains(
        "date=\"" +
        QByteArray::number(
            QDateTime(QDate(2001, 5, 14), QTime(3, 30), QTimeZone::utc()).toMSecsSinceEpoch()) +
        "\" type=\"1\""));
    // Stored ones by the export time.
    EXPECT_TRUE(actual.contains("date=\"" + QByteArray::number(stamp.toMSecsSinceEpoch()) +
                                "\" type=\"3\""));
}

TEST_F(SmsExchangeTest, CsvExportThenImportGivesBackTheSameRows) {
    {
        TempWorkDir work;
        for (const Row& row : kRows) {
            addRow(row);
        }
        ASSERT_TRUE(exportSmsCsv(file("sms.csv")).ok());
    }
    TempWorkDir work;
    const ExchangeResult result = importSmsCsv(file("sms.csv"), nullptr, progress);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.imported, 4);
    EXPECT_EQ(rows(), kRows);
    const ExchangeResult again = importSmsCsv(file("sms.csv"), nullptr, progress);
    EXPECT_EQ(again.imported, 0);
    EXPECT_EQ(again.skippedReasons.first(), "line 2: already in the message list");
    EXPECT_EQ(rows(), kRows);
}

TEST_F(SmsExchangeTest, ImportedMessagesTakeFreeLocationsAndNamesFromThePhonebook) {
    TempWorkDir work;
    addRow(kRows[0]);
    writeBytes(file("in.xml"),
               "<?xml version='1.0' encoding='UTF-8' standalone='yes' ?>\n"
               "<smses count=\"4\">\n"
               "  <sms address=\"+4915\" date=\"1000000000000\" type=\"1\" body=\"hi&#10;there\" "
               "read=\"0\" contact_name=\"Cleo\" />\n"
               "  <sms address=\"+4916\" date=\"1000000000000\" type=\"2\" body=\"out\" "
               "read=\"1\" />\n"
               "  <mms address=\"+4917\" date=\"1\" />\n"
               "  <sms address=\"+4918\" date=\"1\" type=\"9\" body=\"?\" read=\"1\" />\n"
               "</smses>\n");
    const ExchangeResult result = importSmsXml(file("in.xml"), nullptr, progress);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.imported, 2);
    EXPECT_EQ(result.skippedReasons, (QStringList{"line 5: only short text messages are imported",
                                                  "line 6: unknown message type \"9\""}));
    const QList<Row> all = rows();
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[1].number, "2");
    EXPECT_EQ(all[1].name, "Cleo");
    EXPECT_EQ(all[1].status, "UnRead");
    EXPECT_EQ(all[1].message, "hi\r\nthere");
    EXPECT_EQ(all[1].date, QDateTime::fromMSecsSinceEpoch(1000000000000)
                               .toString("yy/MM/dd,hh:mm:ss")
                               .append(all[1].date.right(3)));
    EXPECT_EQ(all[2].number, "3");
    EXPECT_EQ(all[2].status, "Sent");
    EXPECT_EQ(all[2].date, "");
}

TEST_F(SmsExchangeTest, ABrokenXmlFileImportsNothingAndNamesTheLine) {
    TempWorkDir work;
    writeBytes(file("bad.xml"),
               "<smses count=\"2\">\n<sms address=\"1\" type=\"1\" body=\"ok\" />\n"
               "<sms address=\"2\" body=\"broken />\n</smses>\n");
    const ExchangeResult result = importSmsXml(file("bad.xml"), nullptr, progress);
    EXPECT_TRUE(result.error.startsWith(file("bad.xml") + ": line "));
    EXPECT_TRUE(rows().isEmpty());
    writeBytes(file("bad.csv"), "Number,Name\r\n1,x\r\n");
    EXPECT_EQ(importSmsCsv(file("bad.csv"), nullptr, progress).error,
              file("bad.csv") + ": line 1: the header has no PhoneNumber column");
}

TEST_F(SmsExchangeTest, CacheOnlyMessagesAreToldAboutUntilAnImportWritesThemToTheSim) {
    TempWorkDir work;
    AppStateOwner run;
    writeBytes(file("in.csv"),
               "PhoneNumber,Status,Message\r\n+1,Read,x\r\n+2,Sent,y\r\n+4,Read,w\r\n");
    ExchangeOptions options;
    options.what = ExchangeWhat::Sms;
    options.format = ExchangeFormat::Csv;
    options.file = file("in.csv");
    const ExchangeResult offline = importList(options, nullptr, progress);
    EXPECT_EQ(offline.imported, 3);
    EXPECT_EQ(offline.notes, QStringList{"The imported messages live only in the cache on this "
                                         "computer until the phone is connected and the import "
                                         "is run again."});

    PhoneSimState state = PhoneSimState::demo();
    state.smMessages.messages.clear();
    state.smMessages.messages[1] = {"REC READ", "+1", 145, "", "x"};
    state.smMessages.messages[3] = {"REC READ", "+3", 145, "", "z"};
    EnginePhoneLink phone(state);
    CSmsDB().DeleteSelected(phone.link(), {2});  // the cache's w: the SIM's location 3 stays
    EXPECT_EQ(phone.engine().state().smMessages.messages.count(3), 1u);
    const MirrorOutcome load = CSmsDB().LoadFromPhone(phone.link(), progress);
    ASSERT_TRUE(load.loaded());
    ASSERT_TRUE(load.notice);
    EXPECT_EQ(load.notice->text,
              "1 imported message was only in the cache on this computer, not on the SIM: it is "
              "no longer listed. Run the import again while the phone is connected to write it "
              "to the SIM.");

    // Off-line again, then with the phone: the dropped one is written, nothing is left to tell.
    EXPECT_EQ(importList(options, nullptr, progress).imported, 2);
    const ExchangeResult online = importList(options, &phone.link(), progress);
    EXPECT_EQ(online.imported, 2);
    EXPECT_EQ(online.skippedReasons, QStringList{"line 2: already on the SIM"});
    EXPECT_TRUE(online.notices.isEmpty() && online.notes.isEmpty());
    EXPECT_EQ(phone.engine().state().smMessages.messages.at(2).status, "STO SENT");
    EXPECT_EQ(rows().size(), 4);
}
