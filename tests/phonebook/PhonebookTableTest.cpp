// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>

#include "db/DatabaseConnection.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "platform/Notice.h"
#include "platform/WorkDir.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

PcPhonebookEntry pcEntry(int number, const QString& name, const QString& mainNumber) {
    PcPhonebookEntry entry;
    entry.number = number;
    entry.name = name;
    entry.mainNumber = mainNumber;
    return entry;
}

class PhonebookTableTest : public ::testing::Test {
  protected:
    ~PhonebookTableTest() override { closeAllDatabases(); }

    static QStringList numbers(const PhonebookListContents& list) {
        QStringList out;
        for (const PhonebookListRow& row : list.rows) {
            out << row.number;
        }
        return out;
    }

    TempWorkDir dir;
};

TEST_F(PhonebookTableTest, FirstFreeIndexFindsTheFirstGap) {
    CSimViewDB sim;
    EXPECT_EQ(sim.FirstFreeIndex(), 1);
    sim.AddRow(1, "111", "A");
    sim.AddRow(2, "222", "B");
    sim.AddRow(4, "444", "D");
    EXPECT_EQ(sim.FirstFreeIndex(), 3);
    sim.AddRow(3, "333", "C");
    EXPECT_EQ(sim.FirstFreeIndex(), 5);
}

TEST_F(PhonebookTableTest, IndexSearchesSeeRowsTheFilterHides) {
    CMsListDB ms;
    ms.AddRow(1, "111", "Anna");
    ms.AddRow(2, "222", "Bert");
    ms.SetFilterStrings("Bert", "");
    ASSERT_EQ(numbers(ms.RefillList(0)), QStringList{"2"});
    EXPECT_TRUE(ms.IndexExists(1));
    EXPECT_EQ(ms.FirstFreeIndex(), 3);
    EXPECT_FALSE(ms.IndexExists(3));
}

TEST_F(PhonebookTableTest, SortTogglesDescendingFirstThenAscending) {
    CSimViewDB sim;
    sim.AddRow(1, "300", "Bert");
    sim.AddRow(2, "100", "Carl");
    sim.AddRow(3, "200", "anna");
    EXPECT_EQ(sim.sort(), "Number ASC");
    sim.ToggleSort(0);
    EXPECT_EQ(sim.sort(), "Number DESC");
    EXPECT_EQ(numbers(sim.RefillList(0)), (QStringList{"3", "2", "1"}));
    sim.ToggleSort(0);
    EXPECT_EQ(sim.sort(), "Number ASC");
    sim.ToggleSort(1);
    EXPECT_EQ(sim.sort(), "Name DESC");
    EXPECT_EQ(numbers(sim.RefillList(0)), (QStringList{"2", "1", "3"}));
    sim.ToggleSort(1);
    EXPECT_EQ(sim.sort(), "Name ASC");
    sim.ToggleSort(7);
    EXPECT_EQ(sim.sort(), "MainNumber DESC");
    EXPECT_EQ(numbers(sim.RefillList(0)), (QStringList{"1", "3", "2"}));
    sim.ToggleSort(2);
    EXPECT_EQ(sim.sort(), "MainNumber ASC");
}

TEST_F(PhonebookTableTest, FilterClauseJoinsTheTextsWithOr) {
    EXPECT_EQ(PhonebookTable::filterClause("", ""), "");
    EXPECT_EQ(PhonebookTable::filterClause("an", ""), "Name like '*an*'");
    EXPECT_EQ(PhonebookTable::filterClause("", "12"), "MainNumber like '*12*'");
    EXPECT_EQ(PhonebookTable::filterClause("an", "12"),
              "Name like '*an*' OR MainNumber like '*12*'");
}

TEST_F(PhonebookTableTest, FilterShowsRowsMatchingEitherText) {
    CPCListDB pc;
    pc.AddRow(pcEntry(1, "Anna", "555"));
    pc.AddRow(pcEntry(2, "Bert", "123"));
    pc.AddRow(pcEntry(3, "Carl", "999"));
    pc.SetFilterStrings("AN", "");
    EXPECT_EQ(numbers(pc.RefillList(0)), QStringList{"1"});
    pc.SetFilterStrings("an", "12");
    EXPECT_EQ(numbers(pc.RefillList(0)), (QStringList{"1", "2"}));
    EXPECT_EQ(pc.ShowTotal(), "TOTAL : 2");
    pc.SetFilterStrings("", "");
    EXPECT_EQ(numbers(pc.RefillList(0)), (QStringList{"1", "2", "3"}));
}

TEST_F(PhonebookTableTest, FilterTextsWithQuotesAndWildcardsMatchThemselves) {
    CSimViewDB sim;
    sim.AddRow(1, "111", "O'Brien");
    sim.AddRow(2, "3334", "Smith");
    sim.AddRow(3, "33*3", "Star");
    sim.SetFilterStrings("O'Br", "");
    EXPECT_EQ(numbers(sim.RefillList(0)), QStringList{"1"});
    sim.SetFilterStrings("x' OR Name like '*", "");
    EXPECT_TRUE(sim.RefillList(0).rows.isEmpty());
    sim.SetFilterStrings("", "3*");
    EXPECT_EQ(numbers(sim.RefillList(0)), QStringList{"3"});
}

TEST_F(PhonebookTableTest, ListShowsCallerIdPrefixesInFrontOfThePlus) {
    CSimViewDB sim;
    sim.AddRow(1, "+*31#123", "Hidden");
    sim.AddRow(2, "+#31#456", "Shown");
    sim.AddRow(3, "#31#789", "Local");
    const PhonebookListContents list = sim.RefillList(0);
    ASSERT_EQ(list.rows.size(), 3);
    EXPECT_EQ(list.rows[0], (PhonebookListRow{"1", "Hidden", "*31#+123"}));
    EXPECT_EQ(list.rows[1].phoneNumber, "#31#+456");
    EXPECT_EQ(list.rows[2].phoneNumber, "#31#789");
    EXPECT_EQ(list.selectedPosition, -1);
    EXPECT_EQ(sim.entryAt(0).dialString, "+*31#123");
}

TEST_F(PhonebookTableTest, TotalsCountTheFilteredRows) {
    CPCListDB pc;
    EXPECT_EQ(pc.ShowTotal(), "TOTAL : 0");
    pc.AddRow(pcEntry(1, "Anna", "1"));
    EXPECT_EQ(pc.ShowTotal(), "TOTAL : 1");
}

TEST_F(PhonebookTableTest, PcRowsKeepAllElevenValues) {
    CPCListDB pc;
    const PcPhonebookEntry entry{4,      "Anna",  "+4412", "office",   "fax", "mobile",
                                 "home", "pager", "a@b.c", "Street 1", "memo"};
    pc.AddRow(pcEntry(1, "First", "1"));
    pc.AddRow(entry);
    EXPECT_EQ(pc.selectPosition(), 1);
    EXPECT_EQ(pc.entryAt(1), entry);
    EXPECT_EQ(pc.findRow(4, "Anna", "+4412"), entry);
    EXPECT_EQ(pc.findRow(4, "Anna", "+4413").number, 0);

    PcPhonebookEntry changed = entry;
    changed.memo = "new memo";
    EXPECT_TRUE(pc.UpdateRow(changed));
    EXPECT_EQ(pc.entryAt(1), changed);
    changed.number = 9;
    EXPECT_FALSE(pc.UpdateRow(changed));
}

// What the view does with a store's result: its notices go to the prompter.
bool shown(const StoreResult& result) {
    showNotices(result.notices);
    return result.stored();
}

TEST_F(PhonebookTableTest, PcNewAndEditAskBeforeTouchingAnotherEntry) {
    CPCListDB pc;
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Cancel).then(PromptAnswer::Ok);
    pc.AddRow(pcEntry(1, "Anna", "111"));

    EXPECT_FALSE(shown(pc.StoreNewEntry(pcEntry(1, "Other", "999"), prompterAsker())));
    EXPECT_EQ(pc.entryAt(0).name, "Anna");
    EXPECT_TRUE(shown(pc.StoreNewEntry(pcEntry(1, "Other", "999"), prompterAsker())));
    EXPECT_EQ(pc.entryAt(0).name, "Other");
    ASSERT_EQ(prompter.prompts().size(), 2);
    EXPECT_EQ(prompter.prompts()[0].text,
              "Number(1) is exist.\n Do you want edit old phone book data?");
    EXPECT_EQ(prompter.prompts()[0].caption, "New PB");
    EXPECT_EQ(prompter.prompts()[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Question);

    EXPECT_TRUE(shown(pc.StoreNewEntry(pcEntry(0, "Next", "222"), prompterAsker())));
    EXPECT_EQ(pc.entryAt(1).number, 2);
    EXPECT_EQ(pc.selectPosition(), 1);

    prompter.then(PromptAnswer::Cancel).then(PromptAnswer::Ok);
    EXPECT_FALSE(shown(pc.StoreEditedEntry(pcEntry(7, "Seven", "777"), prompterAsker())));
    EXPECT_EQ(pc.FullRecordCount(), 2);
    EXPECT_TRUE(shown(pc.StoreEditedEntry(pcEntry(7, "Seven", "777"), prompterAsker())));
    EXPECT_TRUE(pc.IndexExists(7));
    EXPECT_EQ(prompter.prompts().last().text,
              " Number(7) does not exist.\n Do you want to make a new phone book?");
    EXPECT_EQ(prompter.prompts().last().caption, "Edit PB");
}

TEST_F(PhonebookTableTest, FindByNameAndNumberMatchesExactly) {
    CSimViewDB sim;
    sim.AddRow(1, "+111", "Anna");
    sim.AddRow(2, "+222", "Annabel");
    QString name = "annabel";
    QString number = "+222";
    EXPECT_TRUE(sim.FindByNameAndNumber(name, number));
    EXPECT_EQ(name, "Annabel");
    name.clear();
    number = "+111";
    EXPECT_TRUE(sim.FindByNameAndNumber(name, number));
    EXPECT_EQ(name, "Anna");
    name = "Ann";
    number.clear();
    EXPECT_FALSE(sim.FindByNameAndNumber(name, number));
    EXPECT_EQ(name, "Ann");
}

TEST_F(PhonebookTableTest, PcDeletionGoesToTheDeletionTableAndComesBack) {
    CPCListDB pc;
    const PcPhonebookEntry full{2, "Bert", "222", "o", "f", "m", "h", "p", "e", "a", "memo"};
    pc.AddRow(pcEntry(1, "Anna", "111"));
    pc.AddRow(full);
    pc.AddRow(pcEntry(3, "Carl", "333"));
    pc.RefillList(0);
    pc.DeleteSelected({0, 1});
    EXPECT_EQ(numbers(pc.RefillList(3)), QStringList{"3"});
    EXPECT_EQ(pc.deletionTable().rowCount(), 2);
    pc.RestoreDeleted();
    EXPECT_TRUE(pc.deletionTable().isEmpty());
    EXPECT_EQ(numbers(pc.RefillList(0)), (QStringList{"1", "2", "3"}));
    EXPECT_EQ(pc.entryAt(1), full);
    pc.DeleteAll();
    EXPECT_EQ(pc.FullRecordCount(), 0);
    EmptyPhonebookDeletionTables();
    EXPECT_TRUE(pc.deletionTable().isEmpty());
}

TEST_F(PhonebookTableTest, SimStoreRecordsTheWorkingDirectory) {
    g_workDir.clear();
    CSimViewDB sim;
    EXPECT_EQ(QDir(g_workDir).canonicalPath(), QDir(dir.path()).canonicalPath());
}

}  // namespace
