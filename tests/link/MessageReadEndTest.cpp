// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "link/SerialPort.h"
#include "support/FakeClock.h"
#include "support/FakeSerialDevice.h"

namespace {

const QByteArray kRead = "at+cmgr=1\r";

// A read answer: echo, a received message's header announcing `length`, the text and the
// final result.
QByteArray readAnswer(const QByteArray& text, int length, const QByteArray& final = "OK") {
    return kRead + "\r\n+CMGR: \"REC READ\",\"+491\",,\"01/05/14,12:30:00+36\",145,4,0,0," +
           "\"+44\",145," + QByteArray::number(length) + "\r\n" + text + "\r\n\r\n" + final +
           "\r\n";
}

// The same read with the header details left out: no length to go by.
QByteArray bareAnswer(const QByteArray& text) {
    return kRead + "\r\n+CMGR: \"REC READ\",\"+491\",,\"01/05/14,12:30:00+36\"\r\n" + text +
           "\r\n\r\nOK\r\n";
}

// The answer cut into its lines (line ends kept), each one poll and a half after the last.
QList<FakeChunk> lineByLine(const QByteArray& answer, qint64 gapMs = 150) {
    QList<FakeChunk> chunks;
    qsizetype start = 0;
    qint64 delay = 5;
    while (start < answer.size()) {
        qsizetype end = answer.indexOf('\n', start);
        end = end < 0 ? answer.size() : end + 1;
        chunks.append({delay, answer.mid(start, end - start)});
        delay += gapMs;
        start = end;
    }
    return chunks;
}

class MessageReadEndTest : public ::testing::Test {
  protected:
    MessageReadEndTest() {
        auto device = std::make_unique<FakeSerialDevice>(clock);
        line = device.get();
        port = std::make_unique<SerialPort>(3, 38400, 8, 0, 0, 0, std::move(device), &clock);
        port->setDevicePath("/dev/fake");
        port->Open();
    }

    // Each read is answered by the next of the answers, line by line.
    void answerReads(QList<QByteArray> answers) {
        line->setResponder([answers, next = 0](const QByteArray&) mutable {
            return next < answers.size() ? lineByLine(answers[next++]) : QList<FakeChunk>{};
        });
    }

    FakeClock clock;
    FakeSerialDevice* line = nullptr;
    std::unique_ptr<SerialPort> port;
};

}  // namespace

TEST(MessageReadEndCode, FinalLinesInsideTheAnnouncedTextDoNotEnd) {
    for (const QByteArray& word :
         {QByteArray("OK"), QByteArray("ERROR"), QByteArray("+CMS ERROR: 500"), QByteArray(">")}) {
        const QByteArray text = "first\r\n" + word + "\r\nlast";
        const QByteArray whole = readAnswer(text, text.size());
        const qsizetype cut = whole.indexOf(word + "\r\n") + word.size() + 2;
        EXPECT_EQ(transactEndCode(kRead, whole.left(cut)), -1) << word.constData();
        EXPECT_EQ(transactEndCode(kRead, whole), 0) << word.constData();
    }
}

TEST(MessageReadEndCode, HeaderStillArrivingDoesNotEnd) {
    EXPECT_EQ(transactEndCode(kRead, kRead + "\r\n+CMGR: \"REC READ\",\"OK\r"), -1);
}

TEST(MessageReadEndCode, EmptyLocationAndRefusalEndAsAnyCommand) {
    EXPECT_EQ(transactEndCode(kRead, kRead + "\r\nOK\r\n"), 0);
    EXPECT_EQ(transactEndCode(kRead, kRead + "\r\n+CMS ERROR: 321\r\n"), 1);
    // An error after the announced text fails the read.
    EXPECT_EQ(transactEndCode(kRead, readAnswer("hello", 5, "+CMS ERROR: 500")), 1);
}

TEST(MessageReadEndCode, TooShortALengthEndsAtTheFirstFinalLineAfterIt) {
    EXPECT_EQ(transactEndCode(kRead, readAnswer("Hello World", 4)), 0);
    const QByteArray partial = readAnswer("Hello World", 4).chopped(10);  // before "OK"
    EXPECT_EQ(transactEndCode(kRead, partial), -1);
    EXPECT_EQ(transactQuietEndCode(kRead, partial), -1);
}

TEST(MessageReadEndCode, EarlyOkEndsOnlyAfterTheQuietTime) {
    // Too long a length: the real "OK" comes before the announced end.
    const QByteArray tooLong = readAnswer("Hello", 25);
    EXPECT_EQ(transactEndCode(kRead, tooLong), -1);
    EXPECT_EQ(transactQuietEndCode(kRead, tooLong), 0);
    // A text line "OK" inside the announced text is a candidate too, until more arrives.
    const QByteArray text = "a\r\nOK\r\nb";
    const QByteArray whole = readAnswer(text, text.size());
    const QByteArray upToTextOk = whole.left(whole.indexOf("OK\r\n") + 4);
    EXPECT_EQ(transactQuietEndCode(kRead, upToTextOk), 0);
    EXPECT_EQ(transactQuietEndCode(kRead, upToTextOk + "b"), -1);
    // An error line inside the announced text is text, even after a quiet time.
    const QByteArray errorText = "a\r\nERROR";
    const QByteArray withError = readAnswer(errorText, errorText.size() + 20);
    EXPECT_EQ(transactQuietEndCode(kRead, withError.left(withError.indexOf("ERROR") + 7)), -1);
}

TEST(MessageReadEndCode, HeaderWithoutLengthEndsOnlyByQuiet) {
    const QByteArray bare = bareAnswer("Hello\r\nOK\r\nthere");
    EXPECT_EQ(transactEndCode(kRead, bare), -1);
    EXPECT_EQ(transactQuietEndCode(kRead, bare), 0);
    const QByteArray failed =
        kRead + "\r\n+CMGR: \"REC READ\",\"+491\"\r\nx\r\n+CMS ERROR: 500\r\n";
    EXPECT_EQ(transactQuietEndCode(kRead, failed), 1);
    EXPECT_EQ(transactQuietEndCode(kRead, bare.chopped(1)), -1);  // the line is not complete
}

TEST(MessageReadEndCode, QuietRuleIsForMessageReadsOnly) {
    EXPECT_EQ(transactQuietEndCode("at+cpbr=1\r", "+CMGR: 1\r\nOK\r\n"), -1);
    EXPECT_EQ(transactQuietEndCode(kRead, kRead + "\r\nOK\r\n"), -1);  // ended at once anyway
}

TEST(MessageReadEndCode, OtherCommandsKeepTheirRules) {
    // Only the message read looks behind the header: a listing ends at its first "OK" line.
    EXPECT_EQ(transactEndCode("at+cpbr=1\r", "+CMGR: 1,5\r\nOK\r\n"), 0);
}

TEST_F(MessageReadEndTest, TextLineOkNeitherCutsTheTextNorLeaksIntoTheNextRead) {
    const QByteArray text = "Is that OK\r\nsee you";
    answerReads({readAnswer(text, text.size()), readAnswer("second", 6)});
    QByteArray answer;
    EXPECT_EQ(port->Transact(kRead, answer), 0);
    EXPECT_EQ(answer, readAnswer(text, text.size()));
    EXPECT_EQ(port->Transact(kRead, answer), 0);
    EXPECT_EQ(answer, readAnswer("second", 6));
}

TEST_F(MessageReadEndTest, TextLineErrorDoesNotFailTheRead) {
    const QByteArray text = "ERROR\r\n+CMS ERROR: 500\r\n>";
    answerReads({readAnswer(text, text.size())});
    QByteArray answer;
    EXPECT_EQ(port->Transact(kRead, answer), 0);
    EXPECT_EQ(answer, readAnswer(text, text.size()));
}

namespace {

// When the read ended, counted from the phone's last chunk.
qint64 endAfterLastChunk(FakeClock& clock, qint64 startedAt, const QByteArray& answer) {
    const QList<FakeChunk> chunks = lineByLine(answer);
    return clock.nowMs() - startedAt - chunks.last().delayMs;
}

}  // namespace

TEST_F(MessageReadEndTest, TooLongALengthEndsAfterTheQuietTimeNotTheSilenceBound) {
    const QByteArray answer = readAnswer("Hello", 25);
    answerReads({answer, readAnswer("second", 6)});
    QByteArray got;
    const qint64 start = clock.nowMs();
    EXPECT_EQ(port->Transact(kRead, got), 0);
    EXPECT_EQ(got, answer);
    const qint64 after = endAfterLastChunk(clock, start, answer);
    EXPECT_GE(after, kMessageQuietMs);
    EXPECT_LT(after, kMessageQuietMs + kPollPeriodMs + 1);
    EXPECT_EQ(port->Transact(kRead, got), 0);
    EXPECT_EQ(got, readAnswer("second", 6));
}

TEST_F(MessageReadEndTest, TrueLengthEndsAtTheFinalLineAtOnce) {
    const QByteArray text = "OK\r\nERROR\r\n>";
    const QByteArray answer = readAnswer(text, text.size());
    answerReads({answer});
    QByteArray got;
    const qint64 start = clock.nowMs();
    EXPECT_EQ(port->Transact(kRead, got), 0);
    EXPECT_EQ(got, answer);
    EXPECT_LT(endAfterLastChunk(clock, start, answer), kPollPeriodMs + 1);
}

TEST_F(MessageReadEndTest, TextLinesOkAndErrorWithTooLongALengthArriveWhole) {
    const QByteArray text = "OK\r\nERROR\r\n>";
    const QByteArray answer = readAnswer(text, text.size() + 20);
    answerReads({answer, readAnswer("next", 4)});
    QByteArray got;
    EXPECT_EQ(port->Transact(kRead, got), 0);
    EXPECT_EQ(got, answer);
    EXPECT_EQ(port->Transact(kRead, got), 0);
    EXPECT_EQ(got, readAnswer("next", 4));
}

TEST_F(MessageReadEndTest, HeaderWithoutLengthArrivesWhole) {
    const QByteArray answer = bareAnswer("Is that OK\r\nOK\r\nsee you");
    answerReads({answer, bareAnswer("next")});
    QByteArray got;
    EXPECT_EQ(port->Transact(kRead, got), 0);
    EXPECT_EQ(got, answer);
    EXPECT_EQ(port->Transact(kRead, got), 0);
    EXPECT_EQ(got, bareAnswer("next"));
}

// Every message of a listing follows the read's rules: a text line that is a final result does
// not end it, and a wrong length costs at most one quiet time.
TEST(MessageListEndCode, EachMessageOfAListingIsFramedLikeARead) {
    const QByteArray list = "at+cmgl=\"ALL\"\r";
    const auto listing = [&](const QList<std::pair<QByteArray, int>>& messages) {
        QByteArray answer = list + "\r\n";
        for (const auto& [text, length] : messages) {
            answer += "+CMGL: 1,\"REC READ\",\"+491\",,\"01/05/14,12:30:00+36\"" +
                      (length < 0 ? "" : ",145," + QByteArray::number(length)) + "\r\n" + text +
                      "\r\n";
        }
        return answer + "\r\nOK\r\n";
    };
    const QByteArray okText = "Is that\r\nOK\r\nyes";
    const QByteArray errorText = "ERROR\r\n+CMS ERROR: 500";
    const QByteArray okList = listing({{okText, okText.size()}, {"b", 1}});
    const QByteArray errorList = listing({{errorText, errorText.size()}});
    const struct {
        QByteArray answer;
        int endCode;
        int quietCode;
    } cases[] = {
        {okList, 0, 0},
        {okList.left(okList.indexOf("OK\r\n") + 4), -1, 0},
        {errorList.left(errorList.indexOf("500") + 5), -1, -1},
        {errorList, 0, 0},
        {listing({{"a", 200}, {"b", 1}}), -1, 0},
        {listing({{"a", 1}, {"bcdef", 2}}), 0, 0},
        {listing({{"a", -1}}), -1, 0},
        {list + "\r\n+CMGL: 1,\"REC READ\",\"+4", -1, -1},
        {list + "\r\nOK\r\n", 0, -1},
        {list + "\r\n+CMS ERROR: 302\r\n", 1, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(transactEndCode(list, c.answer), c.endCode) << c.answer.constData();
        EXPECT_EQ(transactQuietEndCode(list, c.answer), c.quietCode) << c.answer.constData();
    }
}
