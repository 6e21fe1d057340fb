// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// Result codes of a transaction. Read the answer only after kTransactComplete; that code with
// an empty answer means nothing was exchanged (port not open, write failed).
enum TransactCode {
    // "OK" ended the answer, the prompt arrived, or the phone fell silent after sending more
    // than the command
    kTransactComplete = 0,
    // an error line ended the answer, the phone fell silent (or hung up) having sent no more
    // than the command, or another transaction was running
    kTransactFailed = 1,
    kTransactPhonebookMarker = 2,  // the answer holds "+CPBW: 1"
};

// How often a transaction looks for the answer: Slow (every 200 ms instead of 100 ms) for
// commands a phone takes its time over, such as a scheduler write; Eager as Normal, but a
// message read does not wait kMessageReadDelayMs first (fast loading: the quiet time still
// covers a phone that is slow to put a message together).
enum class PollRate { Normal, Slow, Eager };

// Poll periods and silence bounds, in milliseconds.
inline constexpr int kPollPeriodMs = 100;
inline constexpr int kSlowPollPeriodMs = 200;
inline constexpr int kMessageReadDelayMs = 300;
inline constexpr int kSilenceBoundMs = 3000;
// A line holding Ctrl-Z (the text of a message send or write) waits on the network.
inline constexpr int kNetworkSilenceBoundMs = 60000;

// The end tests over the whole answer so far: the code that ends the transaction, or -1 when
// the answer is not complete yet. Pure, so the rules can be checked on their own.
int transactEndCode(const QByteArray& command, const QByteArray& answer);

// How long a message read waits after a final result line that came before the end of the
// text its header announced (or after a header that announced no length) before it takes that
// line as the end. Phones send the lines of one answer back to back, and even one that paces
// its lines over a slow cable stays well inside this; a text line that is just "OK" is followed
// by the rest of the text sooner. It costs a phone that announces too long a length 400 ms a
// message instead of the silence bound, and stays under the half second a user notices.
inline constexpr int kMessageQuietMs = 400;

// For a message read or listing ("at+cmgl", whose every message follows the read's rules): the
// code that ends it once the phone has been quiet for kMessageQuietMs
// after the answer so far, or -1 when quiet alone does not end it.
int transactQuietEndCode(const QByteArray& command, const QByteArray& answer);

// The code when the phone falls silent: 1 when no more than the command came back, else 0.
int transactSilenceCode(const QByteArray& command, const QByteArray& answer);
