// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/LeadingInteger.h"

#include <algorithm>
#include <limits>

int leadingInteger(const QString& text) {
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    long long value = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && value < 1000000000000LL) {
        value = value * 10 + (text[pos].unicode() - '0');
        ++pos;
    }
    value = std::min<long long>(value, std::numeric_limits<int>::max());
    return static_cast<int>(negative ? -value : value);
}
