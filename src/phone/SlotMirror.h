// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QSet>
#include <QString>
#include <functional>
#include <optional>

#include "platform/Notice.h"

class PhoneLink;
class Progress;

// How one pass of a load ended.
struct MirrorOutcome {
    enum class Kind {
        Loaded,       // every slot was read and the table now holds what the phone held
        PhoneLost,    // the presence probe failed; the previous table is kept
        Skipped,      // nothing was read (no phone, or the phone refused to resume); table kept
        TableFailed,  // every slot was read but the table could not be replaced
    };
    Kind kind = Kind::Skipped;
    int slotsRead = 0;             // slots whose read completed
    int rowsStaged = 0;            // rows the pass collected (the table's rows when Loaded)
    std::optional<Notice> notice;  // what the user must be told, if anything
    // The phone refused reading a range at once, and the pass went on one slot a command.
    bool readOneByOne = false;

    // What the load's log line adds to its count; empty when there is nothing to add.
    QString logNote() const;

    bool loaded() const { return kind == Kind::Loaded; }
};

// One load described as data: which slots, how to read one, and how the table is replaced.
struct SlotMirrorPlan {
    QString caption;                               // the progress window's caption
    QString text = QStringLiteral("Loading....");  // its text line
    std::optional<int> startValue;                 // a bar value set before the first read
    int first = 0;
    int last = -1;
    // Reads one slot and stages what it held; returns the read's transaction code (0 read).
    std::function<int(int slot)> readSlot;
    // Fast loading: reads slots first..last in one command and stages what they held; returns
    // the transaction code. A range that fails while the phone is still there (refused, or cut
    // short) is read again one slot a command with readSlot, from its first slot to the end.
    std::function<int(int first, int last)> readRange;
    int rangeSlots = 0;  // the most slots one range asks for; 0: first..last in one
    // Whether the presence probe follows this read; by default only a read that failed.
    std::function<bool(int slot, int code)> probeAfter;
    // After a probe that found the phone: what must be set again before reading on (a reset
    // may have cleared it). False ends the pass as Skipped.
    std::function<bool()> resumeAfterProbe;
    // Runs after every slot, whatever it held (pauses a phone needs after an empty one).
    std::function<void(int slot, int code)> afterSlot;
    std::function<int(int slot)> progressValue;
    // Replaces the table with the staged rows in one transaction; false when that failed.
    std::function<bool()> replaceTable;
    // How many rows are staged, for the outcome's count.
    std::function<int()> stagedCount;
    // Told when the probe finds no phone; the program's own text for this list.
    Notice lostNotice = offLineNotice();
};

// Reads slots first..last into staging, probing the phone's presence after a failed read, and
// replaces the table only after a complete pass: a phone lost half-way leaves the cache as it
// was. Progress is shown under the plan's caption and taken down on every way out.
MirrorOutcome mirrorSlots(PhoneLink& link, Progress& progress, const SlotMirrorPlan& plan);

// The staged rows of one pass, keyed by the slot the phone said they came from: a phone that
// answers one index twice (a late echo of an earlier read) must not put it in the table twice.
template <typename Row>
class SlotStaging {
  public:
    bool add(int key, Row row) {
        if (keys_.contains(key)) {
            return false;
        }
        keys_.insert(key);
        rows_.append(std::move(row));
        return true;
    }
    const QList<Row>& rows() const { return rows_; }
    int size() const { return static_cast<int>(rows_.size()); }

  private:
    QList<Row> rows_;
    QSet<int> keys_;
};
