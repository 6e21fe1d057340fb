// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "link/SerialPort.h"
#include "support/FakeClock.h"
#include "support/FakeSerialDevice.h"

namespace {

// A port on a fake line whose phone answers each write with the given chunks.
class TransactTest : public ::testing::Test {
  protected:
    TransactTest() {
        auto device = std::make_unique<FakeSerialDevice>(clock);
        line = device.get();
        port = std::make_unique<SerialPort>(3, 38400, 8, 0, 0, 0, std::move(device), &clock);
        port->setDevicePath("/dev/fake");
    }

    void answerWith(QList<FakeChunk> chunks) {
        line->setResponder([chunks](const QByteArray&) { return chunks; });
    }
    int transact(const QByteArray& command) { return port->Transact(command, answer); }

    FakeClock clock;
    FakeSerialDevice* line = nullptr;
    std::unique_ptr<SerialPort> port;
    QByteArray answer;
};

}  // namespace

TEST_F(TransactTest, EchoReportAndOkCompleteWithTheWholeAnswer) {
    ASSERT_TRUE(port->Open());
    answerWith({{5, "at+cpbs?\r\r\n+CPBS: \"SM\",12,250\r\n\r\nOK\r\n"}});
    EXPECT_EQ(transact("at+cpbs?\r"), 0);
    EXPECT_EQ(answer, "at+cpbs?\r\r\n+CPBS: \"SM\",12,250\r\n\r\nOK\r\n");
    EXPECT_EQ(line->writes(), QList<QByteArray>{"at+cpbs?\r"});
}

TEST_F(TransactTest, AnAnswerAtOnceDoesNotWaitAFullPollPeriod) {
    ASSERT_TRUE(port->Open());
    answerWith({{3, "\r\nOK\r\n"}});
    EXPECT_EQ(transact("at\r"), 0);
    EXPECT_LT(clock.nowMs(), 10);
}

TEST_F(TransactTest, ChunksAreAssembledAndOkInTheMiddleDoesNotEnd) {
    ASSERT_TRUE(port->Open());
    answerWith({{10, "at+cmgl\r\r\n+CMGL: 1\r\nOK\r\nmore"},
                {150, " text"},
                {400, " and the end\r\n\r\nOK\r\n"},
                {900, "late"}});
    EXPECT_EQ(transact("at+cmgl\r"), 0);
    EXPECT_EQ(answer, "at+cmgl\r\r\n+CMGL: 1\r\nOK\r\nmore text and the end\r\n\r\nOK\r\n");
}

TEST_F(TransactTest, APartialChunkNeverEndsTheTransaction) {
    ASSERT_TRUE(port->Open());
    // "ERROR" followed by a short tail, but the line is not finished: the rest says OK.
    answerWith({{10, "\r\n+CPBR: 1,\"1\",129,\"ERROR"}, {120, "x\"\r\n\r\nOK\r\n"}});
    EXPECT_EQ(transact("at+cpbr=1\r"), 0);
    EXPECT_TRUE(answer.endsWith("OK\r\n"));
}

TEST_F(TransactTest, LateBytesAreLeftForTheNextTransaction) {
    ASSERT_TRUE(port->Open());
    answerWith({{10, "\r\nOK\r\n"}, {50, "\r\n+CMTI: \"SM\",3\r\n"}});
    EXPECT_EQ(transact("at\r"), 0);
    EXPECT_EQ(answer, "\r\nOK\r\n");
    clock.advance(100);
    answerWith({{10, "\r\nOK\r\n"}});
    EXPECT_EQ(transact("at\r"), 0);
    EXPECT_EQ(answer, "\r\n+CMTI: \"SM\",3\r\n\r\nOK\r\n");
}

TEST_F(TransactTest, PromptEndsMessageSendAndWriteOnly) {
    ASSERT_TRUE(port->Open());
    answerWith({{10, "at+cmgs=\"123\"\r\r\n> "}});
    EXPECT_EQ(transact("at+cmgs=\"123\"\r"), 0);
    EXPECT_EQ(answer, "at+cmgs=\"123\"\r\r\n> ");

    answerWith({{10, "\r\n> "}});
    EXPECT_EQ(transact("at+cmgw=\"123\"\r"), 0);

    // A message read holding ">" in its text goes on to the final OK.
    answerWith({{10, "\r\n+CMGR: \"REC READ\",\"1\"\r\na > b\r\n"}, {200, "\r\nOK\r\n"}});
    EXPECT_EQ(transact("at+cmgr=1\r"), 0);
    EXPECT_TRUE(answer.endsWith("\r\nOK\r\n"));
    // "cmgs" elsewhere than at index 3 does not open message entry.
    answerWith({{10, "x> "}, {200, "\r\nOK\r\n"}});
    EXPECT_EQ(transact("at+xcmgs\r"), 0);
    EXPECT_TRUE(answer.endsWith("\r\nOK\r\n"));
}

TEST_F(TransactTest, MessageReadWaitsOnceBeforeItsFirstPoll) {
    ASSERT_TRUE(port->Open());
    answerWith({{0, "\r\nOK\r\n"}});
    transact("at+cmgr=2\r");
    EXPECT_EQ(clock.sleeps(), QList<int>{300});
    clock.clearRecords();
    transact("at+cmgl=4\r");
    EXPECT_TRUE(clock.sleeps().isEmpty());
}

TEST_F(TransactTest, PhonebookWriteMarkerWinsOverOk) {
    ASSERT_TRUE(port->Open());
    answerWith({{10, "\r\n+CPBW: 1\r\n\r\nOK\r\n"}});
    EXPECT_EQ(transact("at+cpbw=1,0,\"1P2\",129,\"A\"\r"), 2);
}

TEST_F(TransactTest, ErrorForms) {
    ASSERT_TRUE(port->Open());
    const QList<QByteArray> failures = {
        "ERROR\r\n",                           // no echo, however short
        "at+x\r\r\nERROR\r\n",                 // plain
        "\r\n+CMS ERROR: 500\r\n",             // six characters after the marker
        "\r\n+CME ERROR: 100\r\n",             // longer code: the final line decides
        "\r\nERROR: 1234\r\n",                 // longer code again
        "\r\n+CMS ERROR: 30000\r\n",           // and for messages
        "\r\nfoo ERROR bar\r\n\r\nERROR\r\n",  // an earlier "ERROR" hides the last from the
                                               // short-tail rule, not from the final line
    };
    for (const QByteArray& reply : failures) {
        answerWith({{10, reply}});
        const qint64 start = clock.nowMs();
        EXPECT_EQ(transact("at+x\r"), 1) << reply.toStdString();
        EXPECT_EQ(answer, reply);
        EXPECT_LT(clock.nowMs() - start, 100) << "ran to the silence bound";
    }
}

TEST_F(TransactTest, ErrorInsideTextDoesNotFailAnAnswerThatEndsWithOk) {
    ASSERT_TRUE(port->Open());
    answerWith({{10, "\r\n+CMGR: 1\r\nERROR report of the day\r\n\r\nOK\r\n"}});
    EXPECT_EQ(transact("at+cmgl\r"), 0);
}

TEST_F(TransactTest, SlowPollAppliesOnlyToTheTransactionAskingForIt) {
    ASSERT_TRUE(port->Open());
    answerWith({{450, "\r\nOK\r\n"}});
    EXPECT_EQ(port->SendExpectOk("at\r", PollRate::Slow), 0);
    ASSERT_FALSE(clock.waitBounds().isEmpty());
    for (int bound : clock.waitBounds()) {
        EXPECT_EQ(bound, 200);
    }
    clock.clearRecords();
    EXPECT_EQ(transact("at\r"), 0);
    ASSERT_FALSE(clock.waitBounds().isEmpty());
    for (int bound : clock.waitBounds()) {
        EXPECT_EQ(bound, 100);
    }
}

TEST_F(TransactTest, SilentPhoneEndsAfterThreeSecondsWithCodeOne) {
    ASSERT_TRUE(port->Open());
    EXPECT_EQ(transact("at+cgmi\r"), 1);
    EXPECT_TRUE(answer.isEmpty());
    EXPECT_GE(clock.nowMs(), 3000);
    EXPECT_LT(clock.nowMs(), 3200);
}

TEST_F(TransactTest, SilenceBoundCountsFromTheLastNews) {
    ASSERT_TRUE(port->Open());
    // Only the echo comes back: no longer than the command, so code 1.
    answerWith({{2000, "at+cgmi\r"}});
    EXPECT_EQ(transact("at+cgmi\r"), 1);
    EXPECT_EQ(answer, "at+cgmi\r");
    EXPECT_GE(clock.nowMs(), 5000);
}

TEST_F(TransactTest, SilenceAfterMoreThanTheCommandCountsAsComplete) {
    ASSERT_TRUE(port->Open());
    // The error line's code is too long for the short-tail rule and it is not the final line.
    answerWith({{10, "\r\n+XYZ: something\r\n"}});
    EXPECT_EQ(transact("at+xyz\r"), 0);
    EXPECT_EQ(answer, "\r\n+XYZ: something\r\n");
}

TEST_F(TransactTest, MessageTextWaitsAMinuteForTheNetwork) {
    ASSERT_TRUE(port->Open());
    answerWith({{45000, "\r\n+CMGS: 12\r\n\r\nOK\r\n"}});
    EXPECT_EQ(transact(QByteArray("hello") + char(26)), 0);
    EXPECT_TRUE(answer.endsWith("OK\r\n"));

    answerWith({});
    const qint64 start = clock.nowMs();
    EXPECT_EQ(transact(QByteArray("hello") + char(26)), 1);
    EXPECT_GE(clock.nowMs() - start, 60000);
    EXPECT_LT(clock.nowMs() - start, 60300);
}

TEST_F(TransactTest, HangUpEndsTheTransactionAtOnce) {
    ASSERT_TRUE(port->Open());
    line->setResponder([](const QByteArray&) {
        return QList<FakeChunk>{{10, "at+cgmi\r\r\n+CG"}, {20, {}, true}};
    });
    EXPECT_EQ(transact("at+cgmi\r"), 0);  // more than the command came back
    EXPECT_LT(clock.nowMs(), 200);
    EXPECT_TRUE(port->lost());
    const qint64 before = clock.nowMs();
    EXPECT_EQ(transact("at\r"), 1);
    EXPECT_EQ(clock.nowMs(), before);
}

TEST_F(TransactTest, ClosedPortShowsTheMessageAndReturnsZero) {
    answer = "stale";
    EXPECT_EQ(transact("at\r"), 0);
    EXPECT_TRUE(answer.isEmpty());
    const Notices told = port->notices().take();
    ASSERT_EQ(told.size(), 1);
    const Notice& shown = told.first();
    EXPECT_EQ(
        shown.text,
        "Serial Port Init Failed!\r\n\r\nClose Another Session Using Port.\n\r<On Commport>!");
    EXPECT_EQ(shown.caption, "Error");
    EXPECT_EQ(shown.icon, PromptIcon::Error);
    EXPECT_TRUE(line->writes().isEmpty());
}

TEST_F(TransactTest, FailedWriteReturnsZeroWithEmptyAnswer) {
    ASSERT_TRUE(port->Open());
    line->setWriteFails(true);
    EXPECT_EQ(transact("at\r"), 0);
    EXPECT_TRUE(answer.isEmpty());
}

TEST_F(TransactTest, NestedTransactionIsRefusedWithoutWriting) {
    ASSERT_TRUE(port->Open());
    int nestedCode = -1;
    QByteArray nestedAnswer = "x";
    line->setResponder([&](const QByteArray& written) {
        if (written == "at+outer\r") {
            // The phone's answer to the outer command starts a nested one, as a timer would.
            nestedCode = port->Transact("at+inner\r", nestedAnswer);
        }
        return QList<FakeChunk>{{10, "\r\nOK\r\n"}};
    });
    EXPECT_EQ(transact("at+outer\r"), 0);
    EXPECT_EQ(nestedCode, 1);
    EXPECT_TRUE(nestedAnswer.isEmpty());
    EXPECT_EQ(line->writes(), QList<QByteArray>{"at+outer\r"});
    // The guard is released afterwards.
    EXPECT_EQ(transact("at+again\r"), 0);
}

TEST_F(TransactTest, ZeroBytesInTheAnswerAreDropped) {
    ASSERT_TRUE(port->Open());
    answerWith({{10, QByteArray("\r\nA\0B\r\n\r\nOK\r\n", 13)}});
    EXPECT_EQ(transact("at\r"), 0);
    EXPECT_EQ(answer, "\r\nAB\r\n\r\nOK\r\n");
}

TEST(TransactEndCode, EndTestsInTheirOrder) {
    // The CMS marker with a short tail fails even though OK was seen earlier.
    EXPECT_EQ(transactEndCode("at+cmgs=1\r", "OK\r\n+CMS ERROR: 1\r\n"), 1);
    // ERROR with seven characters after it and not on the final line: no end yet.
    EXPECT_EQ(transactEndCode("at\r", "ERROR: 123\r\nmore\r\n"), -1);
    // Marker before OK.
    EXPECT_EQ(transactEndCode("at\r", "+CPBW: 1\r\nOK\r\n"), 2);
    EXPECT_EQ(transactEndCode("at\r", "OK\r\n"), 0);
    EXPECT_EQ(transactEndCode("at\r", "OK\r"), -1);
    EXPECT_EQ(transactEndCode("at+cmgw=1\r", "\r\n>"), 0);
}
