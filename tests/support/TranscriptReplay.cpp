// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TranscriptReplay.h"

#include <QFile>

#include "phonesim/PhoneSimTranscript.h"

namespace {

constexpr qint64 kChunkSpacingMs = 10;

QString shown(const QByteArray& bytes) {
    return QString::fromLatin1(PhoneSimTranscript::escape(bytes));
}

}  // namespace

TranscriptReplay::TranscriptReplay(const QString& name, PhoneSimState state)
    : name_(name), recording_(recording()), engine_(std::move(state)) {
    if (!recording_) {
        Transcript::load(name, &transcript_, &loadError_);
    }
}

TranscriptReplay::TranscriptReplay(Transcript transcript, PhoneSimState state)
    : name_(transcript.name), transcript_(std::move(transcript)), engine_(std::move(state)) {}

TranscriptReplay::~TranscriptReplay() {
    link_.reset();  // its line calls back into this object while it closes
}

bool TranscriptReplay::recording() {
    return qEnvironmentVariableIntValue("DEXMORO_RECORD_TRANSCRIPTS") == 1;
}

PhoneLinkOptions TranscriptReplay::options() {
    started_ = true;
    PhoneLinkOptions options;
    options.devicePath = QStringLiteral("/dev/transcript");
    options.clock = &clock_;
    options.settings = settings_;
    options.deviceFactory = [this]() { return makeDevice(); };
    return options;
}

PhoneLink& TranscriptReplay::connectThenReplay() {
    PhoneLinkOptions options = this->options();
    started_ = false;
    link_ = std::make_unique<PhoneLink>(std::move(options));
    started_ = true;
    if (line_ != nullptr) {
        for (const FakeChunk& chunk : settle()) {
            chunk.hangUp ? line_->hangUpAfter(chunk.delayMs)
                         : line_->arrive(chunk.delayMs, chunk.bytes);
        }
    }
    return *link_;
}

std::unique_ptr<SerialDevice> TranscriptReplay::makeDevice() {
    auto device = std::make_unique<FakeSerialDevice>(clock_);
    device->setResponder([this](const QByteArray& written) { return answer(written); });
    line_ = device.get();
    if (started_ && !recording_) {
        // The phone may speak before the program writes anything.
        for (const FakeChunk& chunk : settle()) {
            chunk.hangUp ? device->hangUpAfter(chunk.delayMs)
                         : device->arrive(chunk.delayMs, chunk.bytes);
        }
    }
    return device;
}

QList<FakeChunk> TranscriptReplay::answer(const QByteArray& written) {
    if (!started_) {
        return {{0, engine_.feed(written), false}};
    }
    writes_.append(written);
    return recording_ ? record(written) : replay(written);
}

QList<FakeChunk> TranscriptReplay::record(const QByteArray& written) {
    const QByteArray reply = engine_.feed(written);
    recorded_ += "host  " + PhoneSimTranscript::escape(written) + '\n';
    if (!reply.isEmpty()) {
        recorded_ += "phone " + PhoneSimTranscript::escape(reply) + '\n';
    }
    return {{0, reply, false}};
}

QList<FakeChunk> TranscriptReplay::settle() {
    QList<FakeChunk> chunks;
    while (step_ < transcript_.steps.size()) {
        const TranscriptStep& step = transcript_.steps[step_];
        if (step.kind == TranscriptStep::Host && offset_ < step.bytes.size()) {
            break;
        }
        if (step.kind != TranscriptStep::Host) {
            const qint64 delay = kChunkSpacingMs * (chunks.size() + 1);
            chunks.append({delay, step.bytes, step.kind == TranscriptStep::HangUp});
        }
        ++step_;
        offset_ = 0;
    }
    return chunks;
}

QList<FakeChunk> TranscriptReplay::replay(const QByteArray& written) {
    if (!failure_.isEmpty()) {
        return {};  // the line is already hung up
    }
    QList<FakeChunk> chunks;
    for (qsizetype i = 0; i < written.size(); ++i) {
        if (step_ >= transcript_.steps.size()) {
            fail(QStringLiteral("%1: the program sent `%2` after the transcript ended")
                     .arg(transcript_.name, shown(written.mid(i))));
            return {{0, {}, true}};
        }
        const TranscriptStep& step = transcript_.steps[step_];
        if (written[i] != step.bytes[offset_]) {
            fail(QStringLiteral("%1 line %2, offset %3: the program sent `%4` where the "
                                "transcript has `%5` (whole write `%6`, whole line `%7`)")
                     .arg(transcript_.name)
                     .arg(step.lineNumber)
                     .arg(offset_)
                     .arg(shown(written.mid(i, 1)), shown(step.bytes.mid(offset_, 1)),
                          shown(written), shown(step.bytes)));
            return {{0, {}, true}};
        }
        ++offset_;
        for (const FakeChunk& chunk : settle()) {
            chunks.append(chunk);
        }
    }
    return chunks;
}

void TranscriptReplay::fail(const QString& message) {
    if (failure_.isEmpty()) {
        failure_ = message;
    }
}

::testing::AssertionResult TranscriptReplay::matched() {
    if (recording_) {
        QByteArray comments;
        QFile old(Transcript::pathOf(name_));
        if (old.open(QIODevice::ReadOnly)) {
            for (const QByteArray& line : old.readAll().split('\n')) {
                if (!line.startsWith('#')) {
                    break;
                }
                comments += line + '\n';
            }
            old.close();
        }
        if (comments.isEmpty()) {
            comments = "# " + name_.toUtf8() + '\n';
        }
        QFile file(Transcript::pathOf(name_));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(comments + recorded_) < 0) {
            return ::testing::AssertionFailure()
                   << "cannot record " << file.fileName().toStdString();
        }
        return ::testing::AssertionSuccess() << "recorded " << file.fileName().toStdString();
    }
    if (!loadError_.isEmpty()) {
        return ::testing::AssertionFailure() << loadError_.toStdString();
    }
    if (!failure_.isEmpty()) {
        return ::testing::AssertionFailure() << failure_.toStdString();
    }
    if (!started_) {
        return ::testing::AssertionFailure()
               << transcript_.name.toStdString() << ": no link was made on the replay";
    }
    if (step_ < transcript_.steps.size()) {
        const TranscriptStep& step = transcript_.steps[step_];
        return ::testing::AssertionFailure()
               << transcript_.name.toStdString() << " line " << step.lineNumber << ", offset "
               << offset_ << ": the program stopped here; it never sent `"
               << shown(step.bytes.mid(offset_)).toStdString() << "`";
    }
    return ::testing::AssertionSuccess();
}
