// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <QByteArray>
#include <QList>
#include <QString>
#include <memory>

#include "phone/PhoneLink.h"
#include "phonesim/PhoneSimEngine.h"
#include "support/FakeClock.h"
#include "support/FakeSerialDevice.h"
#include "support/Transcript.h"

// Runs phone operations on a fake line that a transcript feeds: every byte the program writes
// must be the next "host" byte of the transcript; the phone's chunks arrive (one per "phone"
// line, 10 ms apart on virtual time) once the host bytes before them have all been written.
// The first byte that differs fails the replay, names the transcript line and offset, and
// hangs the line up so the operation ends quickly.
//
//   TranscriptReplay replay("phonebook-read");
//   PhoneLink& link = replay.connectThenReplay();   // connection answered by the simulated phone
//   link.ReadPhonebookEntry(1, entry);               // ... then byte for byte from the file
//   EXPECT_TRUE(replay.matched());
//
// With DEXMORO_RECORD_TRANSCRIPTS=1 in the environment the same test records instead: the
// simulated phone (engine(), faults included) answers throughout, and matched() writes what
// was exchanged after the start to the transcript file, keeping its leading "#" lines. Review
// the diff before committing it.
class TranscriptReplay {
  public:
    // Loads tests/data/transcripts/<name>.txt; a missing or malformed file fails matched().
    explicit TranscriptReplay(const QString& name, PhoneSimState state = PhoneSimState::demo());
    // Replays the given transcript; never records.
    explicit TranscriptReplay(Transcript transcript, PhoneSimState state = PhoneSimState::demo());
    ~TranscriptReplay();
    TranscriptReplay(const TranscriptReplay&) = delete;
    TranscriptReplay& operator=(const TranscriptReplay&) = delete;

    // Options for a PhoneLink whose line follows the transcript from its first byte (the
    // connection sequence included). Every connection of that link shares the one replay.
    PhoneLinkOptions options();
    // A link whose construction the simulated phone answers; the transcript takes over from
    // the next byte written.
    PhoneLink& connectThenReplay();

    // No byte differed, the program sent everything the transcript holds, and every phone
    // chunk was delivered. Recording: writes the file.
    ::testing::AssertionResult matched();

    static bool recording();

    // The choices of the links made from here on (the character set); unset, the profile's.
    void setSettings(const PhoneSettings& settings) { settings_ = settings; }

    PhoneSimEngine& engine() { return engine_; }
    FakeClock& clock() { return clock_; }
    // Every write of the program since the transcript took over, in order.
    const QList<QByteArray>& writes() const { return writes_; }

  private:
    std::unique_ptr<SerialDevice> makeDevice();
    QList<FakeChunk> answer(const QByteArray& written);
    QList<FakeChunk> replay(const QByteArray& written);
    QList<FakeChunk> record(const QByteArray& written);
    QList<FakeChunk> settle();
    void fail(const QString& message);

    QString name_;
    std::optional<PhoneSettings> settings_;
    Transcript transcript_;
    QString loadError_;
    bool recording_ = false;
    bool started_ = false;
    PhoneSimEngine engine_;
    FakeClock clock_;
    FakeSerialDevice* line_ = nullptr;  // the line of the latest connection
    std::unique_ptr<PhoneLink> link_;
    // Replay cursor: the step and the byte within it that comes next.
    qsizetype step_ = 0;
    qsizetype offset_ = 0;
    QString failure_;
    QList<QByteArray> writes_;
    QByteArray recorded_;
};
