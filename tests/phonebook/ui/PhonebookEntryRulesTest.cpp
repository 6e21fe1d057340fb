// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "phonebook/PhonebookEntryRules.h"

namespace {
QString problemText(const QString& name, const QString& dial, qint64 index = 1,
                    qint64 capacity = 250) {
    auto problem = entryInputProblem(name, dial, index, capacity);
    return problem ? problem->text : QString();
}

const QString kMain = "You must input main number within 20 digit";
const QString kWhole = "You must input the entire number within 40 digit";
const QString kExtension = "You must input extension number within 20 digit";
}  // namespace

TEST(PhonebookEntryRules, EmptyNameComesFirst) {
    auto problem = entryInputProblem("", QString(30, '1'), 999, 250);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->text, "You must input name field");
    EXPECT_EQ(problem->caption, "ERROR");
    EXPECT_EQ(problem->icon, PromptIcon::Error);
}

TEST(PhonebookEntryRules, PlainNumbersAllowTwentyDigitsOrTwentyOneWithPlus) {
    EXPECT_EQ(problemText("A", QString(20, '1')), "");
    EXPECT_EQ(problemText("A", QString(21, '1')), kMain);
    EXPECT_EQ(problemText("A", "+" + QString(20, '1')), "");
    EXPECT_EQ(problemText("A", "+" + QString(21, '1')), kMain);
    // A "+" anywhere buys the extra character.
    EXPECT_EQ(problemText("A", QString(10, '1') + "+" + QString(10, '1')), "");
}

TEST(PhonebookEntryRules, PauseSeparatorLimitsMainNumberAndWholeString) {
    EXPECT_EQ(problemText("A", QString(20, '1') + "p1234"), "");
    EXPECT_EQ(problemText("A", QString(21, '1') + "p1"), kMain);
    EXPECT_EQ(problemText("A", QString(20, '1') + "P" + QString(19, '2')), "");
    EXPECT_EQ(problemText("A", QString(20, '1') + "P" + QString(20, '2')), kWhole);
    EXPECT_EQ(problemText("A", "+" + QString(20, '1') + "p" + QString(19, '2')), "");
    EXPECT_EQ(problemText("A", "+" + QString(20, '1') + "p" + QString(20, '2')), kWhole);
    // Lower-case p is looked for before upper-case P.
    EXPECT_EQ(problemText("A", "12p" + QString(25, '1') + "P1"), "");
    EXPECT_EQ(problemText("A", "1P" + QString(25, '1') + "p2"), kMain);
}

TEST(PhonebookEntryRules, SlashSeparatorLimitsMainAndExtension) {
    EXPECT_EQ(problemText("A", QString(20, '1') + "/" + QString(20, '2')), "");
    EXPECT_EQ(problemText("A", QString(20, '1') + "/" + QString(21, '2')), kExtension);
    EXPECT_EQ(problemText("A", QString(21, '1') + "/2"), kMain);
    EXPECT_EQ(problemText("A", "+" + QString(20, '1') + "/2"), "");
}

TEST(PhonebookEntryRules, IndexBeyondCapacityIsOutOfRange) {
    EXPECT_FALSE(entryInputProblem("A", "123", 250, 250));
    auto problem = entryInputProblem("A", "123", 251, 250);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->text, "PhoneBook number is out of range.");
    EXPECT_EQ(problem->caption, "Warning");
    EXPECT_EQ(problem->icon, PromptIcon::Warning);
    EXPECT_FALSE(entryInputProblem("A", "123", kPcPhonebookCapacity, kPcPhonebookCapacity));
    EXPECT_TRUE(entryInputProblem("A", "123", kPcPhonebookCapacity + 1, kPcPhonebookCapacity));
}
