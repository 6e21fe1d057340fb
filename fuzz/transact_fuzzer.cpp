// SPDX-License-Identifier: GPL-3.0-or-later
// One AT transaction over a fake line that hands the phone's answer over in chunks the input
// chooses, with pauses past the quiet time and the silence bound, and hang-ups. The transaction
// must end within its bounds on virtual time, keep every byte that arrived (NULs aside) and end
// with the code its end tests give for what it read.

#include <QList>
#include <memory>

#include "FuzzSupport.h"
#include "link/LinkClock.h"
#include "link/SerialDevice.h"
#include "link/SerialPort.h"
#include "link/Transact.h"

namespace {

class VirtualClock : public LinkClock {
  public:
    qint64 nowMs() override { return now_; }
    void sleepMs(int ms) override { now_ += ms; }
    void waitForBytes(SerialDevice& device, int maxMs) override;
    void advanceTo(qint64 ms) { now_ = std::max(now_, ms); }

  private:
    qint64 now_ = 0;
};

struct Chunk {
    qint64 dueMs;
    QByteArray bytes;
};

// The phone's answer is scheduled when the command is written, each chunk at its own time.
class ChunkedLine : public SerialDevice {
  public:
    ChunkedLine(VirtualClock& clock, QList<Chunk> chunks, bool hangUpAtEnd)
        : clock_(clock), pending_(std::move(chunks)), hangUpAtEnd_(hangUpAtEnd) {}

    bool open(const QString&) override { return true; }
    bool applySettings(const SerialSettings&) override { return true; }
    void close() override {}
    void setDtr(bool) override {}
    qint64 write(const QByteArray& bytes) override {
        if (!written_) {
            written_ = true;
            for (Chunk& chunk : pending_) {
                chunk.dueMs += clock_.nowMs();
            }
        }
        return bytes.size();
    }
    qint64 bytesQueued() override {
        release();
        return queue_.size();
    }
    QByteArray read(qint64 maxBytes) override {
        release();
        const QByteArray bytes = queue_.left(maxBytes);
        queue_.remove(0, bytes.size());
        delivered_ += bytes;
        return bytes;
    }
    bool waitForBytes(int) override { return bytesQueued() > 0; }
    bool hungUp() const override {
        return hangUpAtEnd_ && written_ && pending_.isEmpty() && queue_.isEmpty();
    }

    // The time the next chunk arrives, or -1 when none is left.
    qint64 nextDueMs() const { return pending_.isEmpty() ? -1 : pending_.first().dueMs; }
    const QByteArray& delivered() const { return delivered_; }
    bool drained() const { return pending_.isEmpty() && queue_.isEmpty(); }

  private:
    void release() {
        while (written_ && !pending_.isEmpty() && pending_.first().dueMs <= clock_.nowMs()) {
            queue_ += pending_.takeFirst().bytes;
        }
    }

    VirtualClock& clock_;
    QList<Chunk> pending_;
    QByteArray queue_;
    QByteArray delivered_;
    bool hangUpAtEnd_;
    bool written_ = false;
};

void VirtualClock::waitForBytes(SerialDevice& device, int maxMs) {
    auto& line = static_cast<ChunkedLine&>(device);
    if (line.bytesQueued() > 0 || line.hungUp()) {
        return;
    }
    const qint64 due = line.nextDueMs();
    now_ = due >= 0 && due <= now_ + maxMs ? std::max(now_, due) : now_ + maxMs;
}

const QByteArray kCommands[] = {
    "at\r",
    "at+cpbr=1\r",
    "at+cpbw=1,\"+44\",145,\"Al\"\r",
    "at+cmgr=1\r",
    "at+cmgs=\"+4477\",145\r",
    "at+cmgw=\"0123\",129,\"STO UNSENT\"\r",
    "text\x1a\r",
    "at+schr=3\r",
    "at+ctdr=3\r",
    "at+cnmi=?\r",
    "at+cmgl=\"ALL\"\r",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputReader input(data, size);
    const QByteArray& command = kCommands[input.byte() % std::size(kCommands)];
    const uint8_t sizes = input.byte();
    const uint8_t pacing = input.byte();
    const QByteArray stream(reinterpret_cast<const char*>(input.rest()),
                            static_cast<qsizetype>(input.restSize()));

    // Chunk sizes alternate between two the input chooses (1 to 16 bytes); the pacing puts a
    // pause past the quiet time before every third chunk, or past the silence bound before the
    // last, and may hang up behind the last.
    QList<Chunk> chunks;
    qint64 due = 10;
    qint64 longestGap = 10;
    for (qsizetype at = 0; at < stream.size();) {
        const int index = static_cast<int>(chunks.size());
        const int length = 1 + ((index % 2 == 0 ? sizes : sizes >> 4) & 15);
        const QByteArray bytes = stream.mid(at, length);
        at += bytes.size();
        qint64 gap = 10;
        if ((pacing & 1) && index % 3 == 2) {
            gap = kMessageQuietMs + 50;
        }
        if ((pacing & 2) && at >= stream.size()) {
            gap = kSilenceBoundMs + 100;
        }
        due += gap;
        longestGap = std::max(longestGap, gap);
        chunks.append({due, bytes});
    }
    const bool hangUp = pacing & 4;
    const PollRate rate = (pacing & 8) ? PollRate::Slow : PollRate::Normal;

    VirtualClock clock;
    auto device = std::make_unique<ChunkedLine>(clock, chunks, hangUp);
    ChunkedLine& line = *device;
    SerialPort port(1, 38400, 8, 0, 0, 0, std::move(device), &clock);
    port.setDevicePath(QStringLiteral("/dev/fuzz"));
    FUZZ_CHECK(port.Open() == 1);
    QByteArray answer;
    const int code = port.Transact(command, answer, rate);

    FUZZ_CHECK(code == kTransactComplete || code == kTransactFailed ||
               code == kTransactPhonebookMarker);
    // Bounded: the last chunk, then at most the silence bound (the network's after Ctrl-Z)
    // and one poll.
    const qint64 silence = command.contains('\x1a') ? kNetworkSilenceBoundMs : kSilenceBoundMs;
    FUZZ_CHECK(clock.nowMs() <= due + kMessageReadDelayMs + silence + kSlowPollPeriodMs);
    QByteArray expected = line.delivered();
    expected.replace('\0', QByteArray());
    FUZZ_CHECK(answer == expected);
    FUZZ_CHECK(stream.startsWith(line.delivered()));
    // Ended by its end tests, by the quiet time of a read, or by silence or the hang-up.
    const bool byEndTest = transactEndCode(command, answer) == code;
    const bool byQuiet = transactQuietEndCode(command, answer) == code;
    const bool bySilence = transactSilenceCode(command, answer) == code;
    FUZZ_CHECK(byEndTest || byQuiet || bySilence);
    if (!line.drained() && longestGap < kMessageQuietMs) {
        FUZZ_CHECK(byEndTest);  // bytes were still coming and none came late
    }
    // A second transaction on the same port starts afresh: nothing is left running.
    if (!port.lost()) {
        QByteArray again;
        port.Transact(QByteArrayLiteral("at\r"), again);
    }
    return 0;
}
