// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <QTimeZone>

#include "exchange/Exchange.h"
#include "exchange/ExchangeTestData.h"
#include "phonebook/CPCListDB.h"
#include "platform/PresentTime.h"
#include "platform/Profile.h"
#include "sms/CSmsDB.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

// The one entry point of the command line and the window.

TEST(ExchangeNames, ListsAndFormatsReadAnyCaseAndFitTheirLists) {
    EXPECT_EQ(exchangeWhatFromText("PhoneBook"), ExchangeWhat::Phonebook);
    EXPECT_EQ(exchangeWhatFromText("sms"), ExchangeWhat::Sms);
    EXPECT_EQ(exchangeWhatFromText("calendar"), std::nullopt);
    EXPECT_EQ(exchangeFormatFromText("ICS"), ExchangeFormat::ICalendar);
    EXPECT_EQ(exchangeFormatFromText("vcf"), ExchangeFormat::VCard);
    EXPECT_EQ(exchangeFormatFromText("json"), std::nullopt);
    for (const ExchangeWhat what :
         {ExchangeWhat::Phonebook, ExchangeWhat::Schedule, ExchangeWhat::Todo, ExchangeWhat::Sms}) {
        EXPECT_TRUE(exchangeFormatFits(what, defaultExchangeFormat(what)));
        EXPECT_EQ(exchangeWhatFromText(exchangeWhatText(what)), what);
    }
    EXPECT_FALSE(exchangeFormatFits(ExchangeWhat::Todo, ExchangeFormat::Csv));
    EXPECT_FALSE(exchangeFormatFits(ExchangeWhat::Sms, ExchangeFormat::VCard));
    EXPECT_FALSE(exchangeFormatFits(ExchangeWhat::Phonebook, ExchangeFormat::Xml));
}

TEST(ExchangeNames, OptionsThatMakeNoSenseAreRefusedBeforeAnyFileIsTouched) {
    ExchangeOptions options;
    options.what = ExchangeWhat::Phonebook;
    options.format = ExchangeFormat::VCard;
    options.file = "x.vcf";
    EXPECT_EQ(exchangeOptionsProblem(options, false), "");
    options.memories = {"sim", "pc"};
    EXPECT_EQ(exchangeOptionsProblem(options, false), "");
    EXPECT_EQ(exchangeOptionsProblem(options, true), "an import goes into one memory");
    options.memories = {"flash"};
    EXPECT_EQ(exchangeOptionsProblem(options, false), "unknown memory flash (sim, ms or pc)");
    options.memories = {};
    options.phoneTable = true;
    EXPECT_EQ(exchangeOptionsProblem(options, false),
              "the phone table belongs to the schedule only");
    options.what = ExchangeWhat::Schedule;
    options.format = ExchangeFormat::ICalendar;
    EXPECT_EQ(exchangeOptionsProblem(options, false), "");
    options.file.clear();
    EXPECT_EQ(exchangeOptionsProblem(options, false), "no file given");

    RecordingProgress progress;
    options.what = ExchangeWhat::Sms;
    options.format = ExchangeFormat::VCard;
    options.file = "never-written.vcf";
    EXPECT_EQ(exportList(options, progress).error, "sms cannot be written as vcard");
    EXPECT_FALSE(QFile::exists("never-written.vcf"));
}

TEST(ExchangeFacade, ExportsAreStampedWithThePresentTime) {
    QTemporaryDir profile;
    Profile::useFolder(profile.path());
    QTemporaryDir files;
    TempWorkDir work;
    CSmsDB store;
    SmsMessageValues draft;
    draft.index = "1";
    draft.statusWord = "STO UNSENT";
    draft.number = "0301";
    draft.text = "draft";
    store.AddMessage(draft);
    const QDateTime now(QDate(2026, 12, 8), QTime(12, 0), QTimeZone::utc());
    ScopedPresentTime present(now);
    ExchangeOptions options;
    options.what = ExchangeWhat::Sms;
    options.format = ExchangeFormat::Xml;
    options.file = files.filePath("sms.xml");
    RecordingProgress progress;
    const ExchangeResult result = exportList(options, progress);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.exported, 1);
    EXPECT_TRUE(fileBytes(options.file)
                    .contains("date=\"" + QByteArray::number(now.toMSecsSinceEpoch()) + "\""));
    Profile::useFolder({});
}

TEST(ExchangeFacade, BackupWritesEveryListAndImportsGoIntoThePcByDefault) {
    QTemporaryDir profile;
    Profile::useFolder(profile.path());
    QTemporaryDir files;
    TempWorkDir work;
    PcPhonebookEntry entry;
    entry.number = 4;
    entry.name = "Pat";
    entry.mainNumber = "301";
    CPCListDB().AddRow(entry);
    RecordingProgress progress;
    const QString folder = files.filePath("nested/backup");
    const ExchangeResult backup = backupAll(folder, progress);
    ASSERT_TRUE(backup.ok()) << backup.error.toStdString();
    EXPECT_EQ(QDir(folder).entryList(QDir::Files),
              (QStringList{"phonebook.vcf", "schedule.ics", "sms.xml", "todo.ics"}));

    // A card without a memory of its own goes into the PC phonebook.
    writeBytes(files.filePath("one.vcf"), "BEGIN:VCARD\r\nFN:Rae\r\nTEL:302\r\nEND:VCARD\r\n");
    ExchangeOptions options;
    options.what = ExchangeWhat::Phonebook;
    options.format = ExchangeFormat::VCard;
    options.file = files.filePath("one.vcf");
    const ExchangeResult imported = importList(options, nullptr, progress);
    EXPECT_EQ(imported.imported, 1);
    const QList<PcPhonebookEntry> rows = CPCListDB().rows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].name, "Rae");
    EXPECT_EQ(rows[0].number, 1);
    Profile::useFolder({});
}
