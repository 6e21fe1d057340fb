// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

// What every fuzz target shares: the input as the link would hand it on, and a check that stops
// the run with a message the crash report keeps.

// The bytes as the phone link turns an answer into text: NULs dropped, Latin-1.
inline QString answerText(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    bytes.replace('\0', QByteArray());
    return QString::fromLatin1(bytes);
}

// Reads the input from the front: small numbers that steer the target, then the rest.
class InputReader {
  public:
    InputReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    uint8_t byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    const uint8_t* rest() const { return data_ + pos_; }
    size_t restSize() const { return size_ - pos_; }

  private:
    const uint8_t* data_;
    size_t size_;
    size_t pos_ = 0;
};

[[noreturn]] inline void fuzzFailure(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, condition);
    std::abort();
}

#define FUZZ_CHECK(condition)                            \
    do {                                                 \
        if (!(condition)) {                              \
            fuzzFailure(#condition, __FILE__, __LINE__); \
        }                                                \
    } while (false)
