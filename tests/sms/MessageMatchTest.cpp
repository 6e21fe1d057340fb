// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "sms/MessageMatch.h"

TEST(MessageIndex, KnowsAMessageByNumberTextAndTheTimeWhereBothSidesHaveOne) {
    MessageIndex index;
    index.add("+491", "01/05/14,12:30:00+36", "a\r\nb");
    EXPECT_TRUE(index.contains("+491", "01/05/14,03:30:00+00", "a\nb"));  // zone and line ends
    EXPECT_FALSE(index.contains("+491", "01/05/14,12:30:01+36", "a\r\nb"));
    EXPECT_TRUE(index.contains("+491", "24 hour", "a\r\nb"));  // written back: no time
    EXPECT_FALSE(index.contains("+492", "", "a\r\nb"));
}
