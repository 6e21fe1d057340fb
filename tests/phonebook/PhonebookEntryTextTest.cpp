// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "phone/PhoneSafeText.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhonebookEntryRules.h"
#include "phonebook/PhonebookEntryText.h"
#include "platform/Notice.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

TEST(PhonebookEntryText, NameIsCheckedBeforeTheNumber) {
    EXPECT_TRUE(phonebookEntryTextProblem("Ann", "*31#+123P45/6").isEmpty());
    EXPECT_EQ(phonebookEntryTextProblem("Tom \"Q\" Ray", "12;3"),
              phoneSafeTextProblem("Tom \"Q\" Ray", PhoneTextKind::Name));
    EXPECT_EQ(phonebookEntryTextProblem("Tom", "12;3"),
              phoneSafeTextProblem("12;3", PhoneTextKind::Number));
    EXPECT_FALSE(phonebookEntryTextProblem("Tom", "12;3").isEmpty());
}

namespace {
bool shown(const StoreResult& result) {
    showNotices(result.notices);
    return result.stored();
}
}  // namespace

TEST(PhonebookEntryText, PcStoresRefuseWhatCouldNeverBeCopiedToThePhone) {
    TempWorkDir dir;
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok).then(PromptAnswer::Ok);
    CPCListDB pc;
    PcPhonebookEntry entry;
    entry.number = 1;
    entry.name = "Tom \"Q\" Ray";
    entry.mainNumber = "301";
    EXPECT_FALSE(shown(pc.StoreNewEntry(entry, prompterAsker())));
    EXPECT_FALSE(shown(pc.StoreEditedEntry(entry, prompterAsker())));
    ASSERT_EQ(prompter.prompts().size(), 2);
    EXPECT_EQ(prompter.prompts()[0].text,
              phoneSafeTextProblem("Tom \"Q\" Ray", PhoneTextKind::Name));
    EXPECT_EQ(prompter.prompts()[1].caption, "ERROR");
    EXPECT_TRUE(pc.rows().isEmpty());

    entry.name = "Tom Ray";
    EXPECT_TRUE(shown(pc.StoreNewEntry(entry, prompterAsker())));
    EXPECT_EQ(pc.rows().size(), 1);
}

// A name is measured as the phone counts it in the set: UTF-16 units under UCS2 (an emoji is
// two), septets under GSM (an extension character such as the euro sign is two).
TEST(PhonebookEntryText, NameFitsAsThePhoneCountsIt) {
    struct Case {
        QString name;
        int limit;
        PhoneCharset set;
        bool fits;
    };
    const QList<Case> cases = {
        {QStringLiteral("€€€"), 6, PhoneCharset::Gsm, true},
        {QStringLiteral("€€€"), 5, PhoneCharset::Gsm, false},
        {QStringLiteral("€€€"), 3, PhoneCharset::Ucs2, true},
        {QStringLiteral("王小明😀"), 4, PhoneCharset::Ucs2, false},
        {QStringLiteral("王小明😀"), 5, PhoneCharset::Ucs2, true},
    };
    for (const Case& c : cases) {
        const auto problem = nameFitProblem(c.name, c.limit, c.set);
        EXPECT_EQ(!problem, c.fits) << c.name.toStdString() << " " << c.limit;
    }
    EXPECT_EQ(nameFitProblem(QStringLiteral("€€€"), 5, PhoneCharset::Gsm)->text,
              "The name does not fit on the phone: in GSM alphabet it takes 6 places and the "
              "phone keeps 5.");
}
