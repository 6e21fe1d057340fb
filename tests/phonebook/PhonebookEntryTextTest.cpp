#include <gtest/gtest.h>

#include "phone/PhoneSafeText.h"
#include "phonebook/CPCListDB.h"
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
