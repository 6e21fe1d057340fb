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
