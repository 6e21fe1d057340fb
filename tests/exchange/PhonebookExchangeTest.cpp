// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "exchange/Exchange.h"
#include "exchange/ExchangeTestData.h"
#include "exchange/PhonebookExchange.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "platform/Profile.h"
#include "support/EnginePhoneLink.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

// Phonebooks to and from vCard and CSV, through the phonebook's own stores.

namespace {

PcPhonebookEntry fullPcEntry() {
    PcPhonebookEntry entry;
    entry.number = 7;
    entry.name = QString::fromUtf8("Zoë O'Brien, Jr.");
    entry.mainNumber = "+442079460000";
    entry.officeNumber = "020 7946 0001";
    entry.faxNumber = "020 7946 0002";
    entry.mobileNumber = "07700 900123";
    entry.homeNumber = "01632 960000";
    entry.pagerNumber = "0800 123";
    entry.emailAddress = "zoe@example.org";
    entry.address = "1 High Street; Flat 2, London";
    entry.memo =
        "Met at \"the fair\"\nback\\slash and a line long enough to need folding twice "
        "in the exported card, more than seventy-five octets";
    return entry;
}

class PhonebookExchangeTest : public ::testing::Test {
  protected:
    PhonebookExchangeTest() { Profile::useFolder(profileDir.path()); }
    ~PhonebookExchangeTest() override { Profile::useFolder({}); }

    // Rows as a load from the phone leaves them (caller-ID prefix in phone form).
    void fillTables() {
        CSimViewDB sim;
        sim.AddRow(1, "+441234567", "Ann");
        sim.AddRow(3, "+*31#22", "Bob");
        CMsListDB ms;
        ms.AddRow(2, "0301234", QString::fromUtf8("Jürgen"));
        CPCListDB pc;
        pc.AddRow(fullPcEntry());
        PcPhonebookEntry sparse;
        sparse.number = 1;
        sparse.name = "Only Name";
        pc.AddRow(sparse);
    }

    QString file(const QString& name) const { return files.filePath(name); }

    QTemporaryDir profileDir;
    QTemporaryDir files;
    RecordingProgress progress;
};

QList<PhonebookEntry> simRows() {
    return CSimViewDB().rows();
}
QList<PhonebookEntry> msRows() {
    return CMsListDB().rows();
}
QList<PcPhonebookEntry> pcRows() {
    return CPCListDB().rows();
}

QByteArray cardsInto(QList<QByteArray> cards) {
    QByteArray bytes;
    for (const QByteArray& card : cards) {
        bytes += "BEGIN:VCARD\r\nVERSION:3.0\r\n" + card + "END:VCARD\r\n";
    }
    return bytes;
}

}  // namespace

TEST_F(PhonebookExchangeTest, VCardExportMatchesTheGoldenFile) {
    TempWorkDir work;
    fillTables();
    const ExchangeResult result =
        exportPhonebookVCard(file("all.vcf"), {MemorySim, MemoryMs, MemoryPc});
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.exported, 5);
    const QByteArray actual = fileBytes(file("all.vcf"));
    EXPECT_EQ(withLf(actual), withLf(goldenBytes("phonebook_all.vcf", actual)));
    // RFC 2426 wants CRLF and lines of at most 75 octets.
    for (const QByteArray& line : actual.split('\n')) {
        EXPECT_LE(line.size(), 76) << line.constData();
    }
    EXPECT_EQ(actual.count("\r\n"), actual.count('\n'));
}

TEST_F(PhonebookExchangeTest, CsvExportMatchesTheGoldenFile) {
    TempWorkDir work;
    fillTables();
    const ExchangeResult result = exportPhonebookCsv(file("all.csv"), {MemoryPc, MemorySim});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.exported, 4);
    const QByteArray actual = fileBytes(file("all.csv"));
    EXPECT_EQ(withLf(actual), withLf(goldenBytes("phonebook_pc_sim.csv", actual)));
}

TEST_F(PhonebookExchangeTest, ExportThenImportGivesBackTheSameRows) {
    QList<PhonebookEntry> sim, ms;
    QList<PcPhonebookEntry> pc;
    {
        TempWorkDir work;
        fillTables();
        sim = simRows();
        ms = msRows();
        pc = pcRows();
        ASSERT_TRUE(exportPhonebookVCard(file("all.vcf"), {MemorySim, MemoryMs, MemoryPc}).ok());
        ASSERT_TRUE(exportPhonebookCsv(file("all.csv"), {MemorySim, MemoryMs, MemoryPc}).ok());
    }
    for (const QString name : {"all.vcf", "all.csv"}) {
        SCOPED_TRACE(name.toStdString());
        TempWorkDir work;
        const ExchangeResult result =
            name.endsWith("vcf") ? importPhonebookVCard(file(name), std::nullopt, nullptr, progress)
                                 : importPhonebookCsv(file(name), std::nullopt, nullptr, progress);
        ASSERT_TRUE(result.ok()) << result.error.toStdString();
        EXPECT_EQ(result.imported, 5);
        EXPECT_EQ(result.skippedReasons, QStringList{});
        EXPECT_EQ(simRows(), sim);
        EXPECT_EQ(msRows(), ms);
        EXPECT_EQ(pcRows(), pc);

        // The same file again adds nothing twice.
        const ExchangeResult again =
            name.endsWith("vcf") ? importPhonebookVCard(file(name), std::nullopt, nullptr, progress)
                                 : importPhonebookCsv(file(name), std::nullopt, nullptr, progress);
        EXPECT_EQ(again.imported, 0);
        EXPECT_EQ(again.skipped, 5);
        EXPECT_EQ(pcRows(), pc);
    }
}

TEST_F(PhonebookExchangeTest, VCard21IntoThePcMapsEveryNumberAndKeepsTheRestInTheMemo) {
    TempWorkDir work;
    writeBytes(file("in.vcf"),
               "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Berg;Anna;;Dr.;\r\n"
               "TEL;WORK;VOICE:111\r\nTEL;CELL:222\r\nTEL;HOME:333\r\nTEL;WORK;FAX:444\r\n"
               "TEL;PAGER:555\r\nTEL;CELL:666\r\nEMAIL;INTERNET:a@b.c\r\nEMAIL:d@e.f\r\n"
               "ADR;HOME:;;Main St. 1;Town;;12345;Land\r\n"
               "NOTE;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:Gr=C3=BC=C3=9Fe\r\nEND:VCARD\r\n");
    const ExchangeResult result = importPhonebookVCard(file("in.vcf"), MemoryPc, nullptr, progress);
    EXPECT_EQ(result.imported, 1);
    ASSERT_EQ(pcRows().size(), 1);
    const PcPhonebookEntry entry = pcRows().first();
    EXPECT_EQ(entry.number, 1);
    EXPECT_EQ(entry.name, "Dr. Anna Berg");
    EXPECT_EQ(entry.officeNumber, "111");
    EXPECT_EQ(entry.mobileNumber, "222");
    EXPECT_EQ(entry.homeNumber, "333");
    EXPECT_EQ(entry.faxNumber, "444");
    EXPECT_EQ(entry.pagerNumber, "555");
    EXPECT_EQ(entry.mainNumber, "666");  // the second mobile number finds the main slot free
    EXPECT_EQ(entry.emailAddress, "a@b.c");
    EXPECT_EQ(entry.address, "Main St. 1, Town, 12345, Land");
    EXPECT_EQ(entry.memo, QString::fromUtf8("Grüße\nE-mail: d@e.f"));
}

TEST_F(PhonebookExchangeTest, ACompanyCardIsNamedByItsCompanyAndUriNumbersAreDialled) {
    TempWorkDir work;
    writeBytes(file("in.vcf"), cardsInto({"N:;;;;\r\nORG:Acme Ltd;Sales\r\n"
                                          "TEL;VALUE=uri;TYPE=work:tel:+1-555-0100\r\n"}));
    const ExchangeResult result = importPhonebookVCard(file("in.vcf"), MemoryPc, nullptr, progress);
    EXPECT_EQ(result.imported, 1);
    ASSERT_EQ(pcRows().size(), 1);
    EXPECT_EQ(pcRows()[0].name, "Acme Ltd");
    EXPECT_EQ(pcRows()[0].officeNumber, "+1-555-0100");
    EXPECT_EQ(pcRows()[0].mainNumber, "+15550100");
}

TEST_F(PhonebookExchangeTest, AMalformedCardIsSkippedWithItsLineAndNothingOfIt) {
    TempWorkDir work;
    writeBytes(file("in.vcf"),
               cardsInto({"FN:First\r\nTEL:1\r\n", "FN:Broken\r\nTEL:2\r\nno colon here\r\n",
                          "FN:Third\r\nTEL:3\r\n"}));
    const ExchangeResult result =
        importPhonebookVCard(file("in.vcf"), MemorySim, nullptr, progress);
    EXPECT_EQ(result.imported, 2);
    EXPECT_EQ(result.skippedReasons,
              QStringList{"card at line 6 skipped: line 10: a property without a name and ':'"});
    EXPECT_EQ(simRows(), (QList<PhonebookEntry>{{1, "First", "1"}, {2, "Third", "3"}}));
}

TEST_F(PhonebookExchangeTest, NamesAndNumbersThePhoneCannotTakeAreSkippedWithTheirReason) {
    TempWorkDir work;
    writeBytes(file("in.vcf"), cardsInto({QString::fromUtf8("FN:Дмитрий\r\nTEL:1\r\n").toUtf8(),
                                          "FN:Say \"hi\"\r\nTEL:2\r\n", "FN:No Number\r\n",
                                          "TEL:4\r\n", "FN:Long\r\nTEL:123456789012345678901\r\n",
                                          "FN:Fine\r\nTEL:+49 (170) 123-45\r\n"}));
    const ExchangeResult result = importPhonebookVCard(file("in.vcf"), MemoryMs, nullptr, progress);
    EXPECT_EQ(result.imported, 1);
    ASSERT_EQ(result.skipped, 5);
    EXPECT_TRUE(
        result.skippedReasons[0].startsWith(QString::fromUtf8("card at line 1 (Дмитрий): ")));
    EXPECT_TRUE(result.skippedReasons[1].startsWith("card at line 6 (Say \"hi\"): "));
    EXPECT_EQ(result.skippedReasons[2],
              "card at line 11 (No Number): no phone number for the MS phonebook");
    EXPECT_EQ(result.skippedReasons[3], "card at line 15 (no name): You must input name field");
    EXPECT_EQ(result.skippedReasons[4],
              "card at line 19 (Long): You must input main number within 20 digit");
    // Layout characters of address books are not dialled.
    EXPECT_EQ(msRows(), (QList<PhonebookEntry>{{1, "Fine", "+4917012345"}}));
}

TEST_F(PhonebookExchangeTest, ThreeHundredCardsIntoASimOfTwoHundredFiftyStoreTwoHundredFifty) {
    TempWorkDir work;
    PhoneSimState state;
    state.sm = PhoneSimPhonebook{250, {}};
    state.me = PhoneSimPhonebook{10, {}};
    EnginePhoneLink phone(state);
    ASSERT_TRUE(phone.link().phoneFound);
    ASSERT_EQ(phone.link().simPhonebookCapacity, 250);
    QList<QByteArray> cards;
    for (int i = 1; i <= 300; ++i) {
        cards << QString("FN:Person %1\r\nTEL:+44%2\r\n").arg(i).arg(1000 + i).toUtf8();
    }
    writeBytes(file("many.vcf"), cardsInto(cards));
    ExchangeOptions options;
    options.what = ExchangeWhat::Phonebook;
    options.format = ExchangeFormat::VCard;
    options.memories = {"sim"};
    options.file = file("many.vcf");
    const ExchangeResult result = importList(options, &phone.link(), progress);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.imported, 250);
    EXPECT_EQ(result.skipped, 50);
    EXPECT_EQ(result.skippedReasons.first(),
              "card at line 1251 (Person 251): the SIM phonebook is full (250 entries)");
    EXPECT_EQ(phone.engine().state().sm.used(), 250);
    EXPECT_EQ(phone.engine().state().sm.entries.at(250).name, "Person 250");
    EXPECT_EQ(simRows().size(), 250);
    EXPECT_TRUE(result.notices.isEmpty());
    EXPECT_EQ(progress.lastValue, 100);
    EXPECT_FALSE(progress.visible);
}

TEST_F(PhonebookExchangeTest, CsvRowsWithTheWrongFieldCountOrMemoryAreSkippedByLine) {
    TempWorkDir work;
    writeBytes(file("in.csv"),
               "Name,MainNumber,Memory,Memo\r\nAnn,1,pc,\r\nBob,2\r\nCid,3,tape,\r\n"
               "Dee,4,,\"two\nlines\"\r\n");
    const ExchangeResult result =
        importPhonebookCsv(file("in.csv"), std::nullopt, nullptr, progress);
    EXPECT_EQ(result.imported, 2);
    EXPECT_EQ(result.skippedReasons, (QStringList{"line 3: 2 fields where the header has 4",
                                                  "line 4: unknown memory tape"}));
    ASSERT_EQ(pcRows().size(), 2);
    EXPECT_EQ(pcRows()[1].memo, "two\nlines");
}

TEST_F(PhonebookExchangeTest, BrokenFilesAreErrorsNamingTheLine) {
    TempWorkDir work;
    writeBytes(file("bad.csv"), "Name,MainNumber\r\nAnn,\"1\r\n");
    EXPECT_EQ(importPhonebookCsv(file("bad.csv"), std::nullopt, nullptr, progress).error,
              file("bad.csv") + ": line 2: a quoted field is never closed");
    writeBytes(file("nocard.vcf"), "hello\r\n");
    EXPECT_EQ(importPhonebookVCard(file("nocard.vcf"), std::nullopt, nullptr, progress).error,
              file("nocard.vcf") + " is no vCard file: line 1: text outside a card");
    EXPECT_FALSE(importPhonebookVCard(file("missing.vcf"), std::nullopt, nullptr, progress).ok());
    EXPECT_TRUE(pcRows().isEmpty());
}
