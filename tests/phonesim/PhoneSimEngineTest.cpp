// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "phonesim/PhoneSimEngine.h"

namespace {

PhoneSimState smallPhone() {
    PhoneSimState state;
    state.sm.capacity = 10;
    state.me.capacity = 20;
    state.sm.entries[2] = {"+123", 145, "Anna"};
    state.sm.entries[5] = {"0456", 129, "Bob"};
    state.me.entries[1] = {"789", 129, "Carl"};
    state.extensionCapacity = 1;
    state.extensionUsed = 0;
    return state;
}

}  // namespace

TEST(PhoneSimEngine, EchoesTheLineThenAnswersInStandardFraming) {
    PhoneSimEngine phone(smallPhone());
    EXPECT_EQ(phone.feed("atz\r"), QByteArray("atz\r\r\nOK\r\n"));
    const QByteArray answer = phone.feed("at+cgmi\r");
    EXPECT_EQ(answer, QByteArray("at+cgmi\r\r\nQuillon\r\n\r\nOK\r\n"));
    EXPECT_GT(answer.indexOf("Quillon"), 0);
    EXPECT_EQ(phone.feed("at+crfo\r"), QByteArray("at+crfo\r\r\n+CRFO: 15\r\n\r\nOK\r\n"));
}

TEST(PhoneSimEngine, EchoOffStillEchoesTheSwitchingCommandAndNothingAfter) {
    PhoneSimEngine phone(smallPhone());
    EXPECT_EQ(phone.feed("ate0\r"), QByteArray("ate0\r\r\nOK\r\n"));
    EXPECT_FALSE(phone.state().echo);
    EXPECT_EQ(phone.feed("at+cgmi\r"), QByteArray("\r\nQuillon\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("ATE1\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at\r"), QByteArray("at\r\r\nOK\r\n"));
}

TEST(PhoneSimEngine, CommandsAreCaseInsensitiveButQuotedTextKeepsItsCase) {
    PhoneSimEngine phone(smallPhone());
    phone.state().echo = false;
    EXPECT_EQ(phone.feed("AT+CGMI\r"), QByteArray("\r\nQuillon\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("At+CpBs=\"ME\"\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.state().selectedPhonebook, "me");
    EXPECT_EQ(phone.feed("AT+CPBW=3,0,\"555\",129,\"McDonald\"\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.state().me.entries.at(3).name, "McDonald");
}

TEST(PhoneSimEngine, UnknownOrMalformedCommandsAnswerError) {
    PhoneSimEngine phone(smallPhone());
    phone.state().echo = false;
    EXPECT_EQ(phone.feed("at+xyz\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("hello\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+cpbs=\"xx\"\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+cpbr=abc\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+cpbw=1,7,\"1\",129,\"x\"\r"), QByteArray("\r\nERROR\r\n"));
}

TEST(PhoneSimEngine, AssemblesCommandsFromPiecesAndAnswersEachCompleteLine) {
    PhoneSimEngine phone(smallPhone());
    EXPECT_EQ(phone.feed("at+c"), QByteArray());
    EXPECT_EQ(phone.feed("gmi"), QByteArray());
    EXPECT_EQ(phone.feed("\rat\rat+c"),
              QByteArray("at+cgmi\r\r\nQuillon\r\n\r\nOK\r\nat\r\r\nOK\r\n"));
    // A stray line feed after a carriage return starts no command.
    EXPECT_EQ(phone.feed("rfo\r\n"), QByteArray("at+crfo\r\r\n+CRFO: 15\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.commandCount(), 3);
}

TEST(PhoneSimEngine, SelectionAndUsedCountsFollowTheEntries) {
    PhoneSimEngine phone(smallPhone());
    phone.state().echo = false;
    EXPECT_EQ(phone.feed("at+cpbs=\"sm\"\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+cpbs?\r"), QByteArray("\r\n+CPBS: \"SM\",2,10\r\n\r\nOK\r\n"));
    phone.feed("at+cpbw=9,0,\"1\",129,\"x\"\r");
    EXPECT_EQ(phone.feed("at+cpbs?\r"), QByteArray("\r\n+CPBS: \"SM\",3,10\r\n\r\nOK\r\n"));
    phone.feed("at+cpbs=\"me\"\r");
    EXPECT_EQ(phone.feed("at+cpbs?\r"), QByteArray("\r\n+CPBS: \"ME\",1,20\r\n\r\nOK\r\n"));
}

TEST(PhoneSimEngine, MessageStorageAnswerHasTheTotalAfterTheFirstComma) {
    PhoneSimState state = smallPhone();
    state.smMessages.capacity = 12;
    state.smMessages.messages[1] = {};
    state.bmMessages.capacity = 4;
    PhoneSimEngine phone(state);
    phone.state().echo = false;
    EXPECT_EQ(phone.feed("at+cpms=\"sm\"\r"),
              QByteArray("\r\n+CPMS: 1,12,1,12,1,12\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+cpms=\"bm\"\r"), QByteArray("\r\n+CPMS: 0,4,0,4,0,4\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.state().selectedMessageStorage, "bm");
}

TEST(PhoneSimEngine, ReadsPresentEmptyAndOutOfRangeIndexes) {
    PhoneSimEngine phone(smallPhone());
    EXPECT_EQ(phone.feed("at+cpbr=2\r"),
              QByteArray("at+cpbr=2\r\r\n+CPBR: 2,\"+123\",145,\"Anna\"\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+cpbr=3\r"), QByteArray("at+cpbr=3\r\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+cpbr=0\r"), QByteArray("at+cpbr=0\r\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+cpbr=11\r"), QByteArray("at+cpbr=11\r\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+cpbr=10\r"), QByteArray("at+cpbr=10\r\r\nOK\r\n"));
    // Reads follow the selected book.
    phone.feed("at+cpbs=\"me\"\r");
    EXPECT_EQ(phone.feed("at+cpbr=11\r"), QByteArray("at+cpbr=11\r\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+cpbr=1\r"),
              QByteArray("at+cpbr=1\r\r\n+CPBR: 1,\"789\",129,\"Carl\"\r\n\r\nOK\r\n"));
}

TEST(PhoneSimEngine, WritesOverwritesAndDeletesEntries) {
    PhoneSimEngine phone(smallPhone());
    phone.state().echo = false;
    EXPECT_EQ(phone.feed("at+cpbw=7,2,\"+123\",145,\"Anna, Jr.\"\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.state().sm.entries.at(7), (PhoneSimPhonebookEntry{"+123", 145, "Anna, Jr."}));
    EXPECT_EQ(phone.feed("at+cpbr=7\r"),
              QByteArray("\r\n+CPBR: 7,\"+123\",145,\"Anna, Jr.\"\r\n\r\nOK\r\n"));

    EXPECT_EQ(phone.feed("at+cpbw=2,0,\"999\",129,\"Anne\"\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.state().sm.entries.at(2), (PhoneSimPhonebookEntry{"999", 129, "Anne"}));

    EXPECT_EQ(phone.feed("at+cpbw=2\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.state().sm.entries.count(2), 0u);
    EXPECT_EQ(phone.feed("at+cpbr=2\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.feed("at+cpbw=11\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.feed("at+cpbw=11,0,\"1\",129,\"x\"\r"), QByteArray("\r\nERROR\r\n"));
    EXPECT_EQ(phone.state().sm.used(), 2);
}

TEST(PhoneSimEngine, FullExtensionStoreDropsTheExtensionAndSaysSo) {
    PhoneSimEngine phone(smallPhone());  // room for one extension
    phone.state().echo = false;
    EXPECT_EQ(phone.feed("at+cpbw=1,0,\"555P12\",129,\"Office\"\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.state().extensionUsed, 1);
    EXPECT_EQ(phone.feed("at+cpbw=3,0,\"+4466/7\",145,\"Desk\"\r"),
              QByteArray("\r\n+CPBW: 1\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.state().sm.entries.at(3).dial, "+4466");
    // Overwriting the entry that holds the extension reuses its slot.
    EXPECT_EQ(phone.feed("at+cpbw=1,0,\"555p99\",129,\"Office\"\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.state().sm.entries.at(1).dial, "555p99");
    // Deleting it frees the slot for the next one.
    phone.feed("at+cpbw=1\r");
    EXPECT_EQ(phone.state().extensionUsed, 0);
    EXPECT_EQ(phone.feed("at+cpbw=3,0,\"+4466/7\",145,\"Desk\"\r"), QByteArray("\r\nOK\r\n"));
    EXPECT_EQ(phone.state().sm.entries.at(3).dial, "+4466/7");
}

TEST(PhoneSimEngine, FaultsTurnMatchingCommandsIntoErrorsAndAddNoise) {
    PhoneSimEngine phone(smallPhone());
    phone.setFaults({"CPBR", -1, false});
    EXPECT_EQ(phone.feed("at+cpbr=2\r"), QByteArray("at+cpbr=2\r\r\nERROR\r\n"));
    phone.setFaults({"cpbr", 22, false});
    EXPECT_EQ(phone.feed("at+cpbr=2\r"), QByteArray("at+cpbr=2\r\r\n+CME ERROR: 22\r\n"));
    EXPECT_EQ(phone.feed("at\r"), QByteArray("at\r\r\nOK\r\n"));
    phone.setFaults({"cmgr", -1, false, 1234567890});
    EXPECT_EQ(phone.feed("at+cmgr=1\r"), QByteArray("at+cmgr=1\r\r\n+CMS ERROR: 1234567890\r\n"));

    phone.setFaults({{}, -1, true});
    const QByteArray noisy = phone.feed("at\r");
    EXPECT_TRUE(noisy.endsWith("at\r\r\nOK\r\n"));
    EXPECT_GT(noisy.size(), QByteArray("at\r\r\nOK\r\n").size());
    EXPECT_FALSE(noisy.contains('\0'));
}
