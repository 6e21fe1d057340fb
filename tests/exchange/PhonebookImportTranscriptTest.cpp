// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "exchange/ExchangeTestData.h"
#include "exchange/PhonebookExchange.h"
#include "phonebook/PhoneMemoryTable.h"
#include "platform/Profile.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"

// A phonebook import as it goes over the wire, replayed byte for byte.

TEST(PhonebookImportTranscript, EachCardIsANewEntryAndARefusedOneIsSkipped) {
    QTemporaryDir profile;
    Profile::useFolder(profile.path());
    QTemporaryDir files;
    TempWorkDir work;
    const QString file = files.filePath("in.vcf");
    writeBytes(file,
               "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Ann\r\nTEL:111\r\nEND:VCARD\r\n"
               "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Bob\r\nTEL:*31#+22\r\nEND:VCARD\r\n"
               "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Cid\r\nTEL:333\r\nEND:VCARD\r\n");
    PhoneSimState state;
    state.sm = PhoneSimPhonebook{10, {}};
    state.me = PhoneSimPhonebook{10, {}};
    TranscriptReplay replay("phonebook_import_sim", state);
    PhoneLink& link = replay.connectThenReplay();
    ScriptedPrompter prompter;
    RecordingProgress progress;
    const ExchangeResult result = importPhonebookVCard(file, MemorySim, &link, progress);
    EXPECT_TRUE(replay.matched());
    EXPECT_EQ(result.imported, 2);
    EXPECT_EQ(result.skippedReasons, QStringList{"card at line 6 (Bob): the phone refused it"});
    EXPECT_EQ(CSimViewDB().rows(), (QList<PhonebookEntry>{{1, "Ann", "111"}, {2, "Cid", "333"}}));
    EXPECT_TRUE(prompter.prompts().isEmpty());
    Profile::useFolder({});
}
