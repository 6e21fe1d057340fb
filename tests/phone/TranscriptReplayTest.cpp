// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>

#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "phonesim/PhoneSimTranscript.h"
#include "platform/Profile.h"
#include "support/PhoneSimRunner.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"

// The harness that every recorded exchange relies on: it must notice each kind of difference.

namespace {

Transcript parsed(const QByteArray& text) {
    Transcript transcript;
    QString error;
    EXPECT_TRUE(Transcript::parse(text, "test.txt", &transcript, &error)) << error.toStdString();
    return transcript;
}

const QByteArray kMaskExchange =
    "# feature mask\n"
    "host  at+crfo\\r\n"
    "phone at+crfo\\r\\r\\n+CRFO: \n"
    "phone 13\\r\\n\\r\\nOK\\r\\n\n";

class TranscriptReplayTest : public ::testing::Test {
  protected:
    TranscriptReplayTest() { Profile::useFolder(dir.path()); }
    ~TranscriptReplayTest() override { Profile::useFolder({}); }
    TempWorkDir dir;
};

}  // namespace

TEST(TranscriptFormat, ParsesStepsEscapesAndNotes) {
    const Transcript t = parsed(
        "# comment\n"
        "\n"
        "host  a\\\\b\\x1a\\r\n"
        "----- a note for the reader\r\n"
        "phone  OK\\n\n"
        "----- hang-up\n");
    ASSERT_EQ(t.steps.size(), 3);
    EXPECT_EQ(t.steps[0].kind, TranscriptStep::Host);
    EXPECT_EQ(t.steps[0].bytes, QByteArray("a\\b\x1a\r"));
    EXPECT_EQ(t.steps[0].lineNumber, 3);
    EXPECT_EQ(t.steps[1].kind, TranscriptStep::Phone);
    EXPECT_EQ(t.steps[1].bytes, " OK\n");  // the blank after the prefix is data
    EXPECT_EQ(t.steps[1].lineNumber, 5);
    EXPECT_EQ(t.steps[2].kind, TranscriptStep::HangUp);
}

TEST(TranscriptFormat, ReadsBackWhatTheSimulatedPhoneWrites) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const Transcript t = parsed("phone " + PhoneSimTranscript::escape(all) + "\n");
    ASSERT_EQ(t.steps.size(), 1);
    EXPECT_EQ(t.steps[0].bytes, all);
}

TEST(TranscriptFormat, MalformedLinesNameTheLine) {
    Transcript t;
    QString error;
    EXPECT_FALSE(Transcript::parse("host  ok\nsent  at\\r\n", "x.txt", &t, &error));
    EXPECT_TRUE(error.startsWith("x.txt line 2:")) << error.toStdString();
    for (const QByteArray bad : {"host  at\\q\n", "host  at\\x1\n", "host  at\\\n"}) {
        EXPECT_FALSE(Transcript::parse(bad, "x.txt", &t, &error)) << bad.constData();
        EXPECT_TRUE(error.startsWith("x.txt line 1: broken escape")) << error.toStdString();
    }
}

TEST_F(TranscriptReplayTest, AMatchingOperationPasses) {
    TranscriptReplay replay(parsed(kMaskExchange));
    PhoneLink& link = replay.connectThenReplay();
    EXPECT_EQ(link.QueryFeatureMask(), 13);  // the answer came in two chunks
    EXPECT_TRUE(replay.matched());
    EXPECT_EQ(replay.writes(), QList<QByteArray>{"at+crfo\r"});
}

TEST_F(TranscriptReplayTest, TheFirstDifferingByteFailsWithLineAndOffset) {
    TranscriptReplay replay(parsed(kMaskExchange));
    PhoneLink& link = replay.connectThenReplay();
    QString answer;
    EXPECT_EQ(link.Transact("at+crfx\r", answer), kTransactFailed);
    const ::testing::AssertionResult result = replay.matched();
    ASSERT_FALSE(result);
    EXPECT_NE(std::string(result.message())
                  .find("test.txt line 2, offset 6: the program sent "
                        "`x` where the transcript has `o`"),
              std::string::npos)
        << result.message();
    // The line hung up on the difference: the next command ends at once, and is not blamed.
    const qint64 before = replay.clock().nowMs();
    link.Transact("at+crfo\r", answer);
    EXPECT_LT(replay.clock().nowMs() - before, kPollPeriodMs + 1);
    EXPECT_NE(std::string(replay.matched().message()).find("offset 6"), std::string::npos);
}

TEST_F(TranscriptReplayTest, StoppingShortOrSayingMoreFails) {
    {
        TranscriptReplay replay(parsed(kMaskExchange + "host  at+cgmi\\r\n"));
        replay.connectThenReplay().QueryFeatureMask();
        const ::testing::AssertionResult result = replay.matched();
        ASSERT_FALSE(result);
        EXPECT_NE(std::string(result.message()).find("line 5, offset 0: the program stopped"),
                  std::string::npos)
            << result.message();
    }
    {
        TranscriptReplay replay(parsed(kMaskExchange));
        PhoneLink& link = replay.connectThenReplay();
        link.QueryFeatureMask();
        link.QueryFeatureMask();
        const ::testing::AssertionResult result = replay.matched();
        ASSERT_FALSE(result);
        EXPECT_NE(std::string(result.message()).find("after the transcript ended"),
                  std::string::npos)
            << result.message();
    }
    {
        TranscriptReplay replay(parsed(kMaskExchange));
        EXPECT_FALSE(replay.matched());  // no link made at all
    }
}

TEST_F(TranscriptReplayTest, AMissingFileFails) {
    if (TranscriptReplay::recording()) {
        GTEST_SKIP() << "recording";
    }
    TranscriptReplay replay(QStringLiteral("no-such-transcript"));
    const ::testing::AssertionResult result = replay.matched();
    ASSERT_FALSE(result);
    EXPECT_NE(std::string(result.message()).find("no-such-transcript.txt"), std::string::npos);
}

TEST_F(TranscriptReplayTest, HangUpAndSilenceAreReplayed) {
    TranscriptReplay replay(
        parsed("host  at+crfo\\r\n"
               "host  at+cgmi\\r\n"
               "phone at+cgmi\\r\n"
               "----- hang-up\n"));
    PhoneLink& link = replay.connectThenReplay();
    QString answer;
    // No answer at all: the transaction waits out its bound.
    const qint64 before = replay.clock().nowMs();
    EXPECT_EQ(link.Transact("at+crfo\r", answer), kTransactFailed);
    EXPECT_GE(replay.clock().nowMs() - before, kSilenceBoundMs);
    EXPECT_EQ(link.Transact("at+cgmi\r", answer), kTransactFailed);
    EXPECT_TRUE(link.port->lost());
    EXPECT_TRUE(replay.matched());
}

TEST_F(TranscriptReplayTest, FromTheFirstByteTheConnectionIsReplayedToo) {
    TranscriptReplay replay(
        parsed("phone \\r\\nRING\\r\\n\n"
               "host  atz\\r\n"
               "phone atz\\r\\r\\nOK\\r\\n\n"
               "host  at+cgmi\\r\n"
               "phone at+cgmi\\r\\r\\nOthermake\\r\\n\\r\\nOK\\r\\n\n"
               "host  at+cgmi\\r\n"
               "host  at+cgmi\\r\n"));
    PhoneLink link(replay.options());
    EXPECT_FALSE(link.phoneFound);
    EXPECT_TRUE(replay.matched());
}

// What the simulated phone logs with --transcript replays as it is: no conversion step.
TEST_F(TranscriptReplayTest, TheSimulatedPhonesOwnLogReplays) {
    const QString log = dir.path() + "/run.txt";
    QString entry;
    int mask = 0;
    {
        PhoneSimOptions options;
        options.transcriptPath = log;
        options.chunkBytes = 9;  // answers in pieces: several phone lines each
        options.chunkGapMs = 1;
        PhoneSimRunner phone(PhoneSimState::demo(), options);
        ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
        PhoneLinkOptions linkOptions;
        linkOptions.devicePath = phone.slavePath();
        PhoneLink link(linkOptions);
        ASSERT_TRUE(link.phoneFound);
        mask = link.QueryFeatureMask();
        link.SelectPhonebookMemory(0);
        link.ReadPhonebookEntry(1, entry);
        ASSERT_FALSE(entry.isEmpty());
    }
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    Transcript transcript;
    QString error;
    ASSERT_TRUE(Transcript::parse(file.readAll(), "run.txt", &transcript, &error))
        << error.toStdString();

    TranscriptReplay replay(transcript);
    PhoneLink link(replay.options());
    EXPECT_TRUE(link.phoneFound);
    EXPECT_EQ(link.QueryFeatureMask(), mask);
    EXPECT_EQ(link.SelectPhonebookMemory(0), kTransactComplete);
    QString replayed;
    EXPECT_EQ(link.ReadPhonebookEntry(1, replayed), kTransactComplete);
    EXPECT_EQ(replayed, entry);
    EXPECT_TRUE(replay.matched());
}
