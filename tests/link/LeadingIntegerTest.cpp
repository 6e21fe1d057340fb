// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <limits>

#include "link/LeadingInteger.h"

TEST(LeadingInteger, ReadsTheDigitsAfterBlanksAndASign) {
    EXPECT_EQ(leadingInteger(" \t42,rest"), 42);
    EXPECT_EQ(leadingInteger("-7"), -7);
    EXPECT_EQ(leadingInteger("+0012"), 12);
    EXPECT_EQ(leadingInteger("2026/12/08"), 2026);
}

TEST(LeadingInteger, NoDigitsGiveZero) {
    EXPECT_EQ(leadingInteger(""), 0);
    EXPECT_EQ(leadingInteger("\"SM\""), 0);
    EXPECT_EQ(leadingInteger("- 5"), 0);
    EXPECT_EQ(leadingInteger(" x12"), 0);
}

TEST(LeadingInteger, RunawayNumbersAreClampedNotWrapped) {
    EXPECT_EQ(leadingInteger("99999999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(leadingInteger("-99999999999999999999999"), -std::numeric_limits<int>::max());
    EXPECT_EQ(leadingInteger("2147483647"), 2147483647);
}
