// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "app/NavigationContents.h"
#include "app/ResourceSets.h"

namespace {
// Menu texts without their mnemonic marks.
QString plain(QString text) {
    return text.remove('&');
}

QStringList menuTitles(int mask) {
    QStringList titles;
    for (const MenuSpec& menu : menuSetForMask(mask)) {
        titles.append(plain(menu.title));
    }
    return titles;
}

QStringList folderNames(int mask) {
    QStringList names;
    for (const FolderSpec& folder : foldersForMask(mask)) {
        names.append(folder.name);
    }
    return names;
}

QStringList itemTexts(const QList<CommandSpec>& items) {
    QStringList texts;
    for (const CommandSpec& item : items) {
        if (!item.separator) {
            texts.append(plain(item.text));
        }
    }
    return texts;
}

QStringList itemTexts(const MenuSpec& menu) {
    return itemTexts(menu.items);
}

struct MaskCase {
    int mask;
    int resourceId;
    QStringList features;
};
}  // namespace

TEST(ResourceSets, EachKnownMaskHasItsResourceMenusAndFolders) {
    const QList<MaskCase> cases = {
        {3, 151, {"Scheduler", "To Do List"}},
        {5, 152, {"SMS", "To Do List"}},
        {6, 153, {"SMS", "Scheduler"}},
        {7, 154, {"SMS", "Scheduler", "To Do List"}},
        {9, 155, {"Phone Book", "To Do List"}},
        {10, 156, {"Phone Book", "Scheduler"}},
        {11, 157, {"Phone Book", "Scheduler", "To Do List"}},
        {12, 158, {"Phone Book", "SMS"}},
        {13, 159, {"Phone Book", "SMS", "To Do List"}},
        {14, 127, {"Phone Book", "SMS", "Scheduler"}},
        {15, 128, {"Phone Book", "SMS", "Scheduler", "To Do List"}},
    };
    for (const MaskCase& c : cases) {
        SCOPED_TRACE(c.mask);
        EXPECT_TRUE(isKnownFeatureMask(c.mask));
        EXPECT_EQ(resourceIdForMask(c.mask), c.resourceId);
        const QStringList expected =
            QStringList{"File", "View"} + c.features + QStringList{"Option", "Help"};
        EXPECT_EQ(menuTitles(c.mask), expected);
        EXPECT_EQ(folderNames(c.mask), c.features);
    }
}

TEST(ResourceSets, MasksWithFewerThanTwoFeaturesFallBackToTheFullSet) {
    for (int mask : {0, 1, 2, 4, 8, 16, -1, 31}) {
        SCOPED_TRACE(mask);
        EXPECT_FALSE(isKnownFeatureMask(mask));
        EXPECT_EQ(effectiveFeatureMask(mask), 15);
        EXPECT_EQ(menuTitles(mask), menuTitles(15));
        EXPECT_EQ(folderNames(mask), folderNames(15));
    }
}

TEST(ResourceSets, SharedMenusHoldTheirItems) {
    const QList<MenuSpec> menus = menuSetForMask(15);
    EXPECT_EQ(itemTexts(menus[0]), (QStringList{"Export...", "Import...", "Exit"}));
    EXPECT_EQ(itemTexts(menus[1]), (QStringList{"Toolbar", "Status Bar"}));
    EXPECT_EQ(itemTexts(menus[6]),
              (QStringList{"Filter Setting", "Enable/Disable Filter", "Link Program",
                           "Execute Linked Program", "Service Center...", "Terminal Program",
                           "Connect to Phone"}));
    EXPECT_EQ(itemTexts(menus[7]), (QStringList{"About Dexmoro...", "Contents..."}));
}

TEST(ResourceSets, EveryFileMenuExportsAndImportsAboveTheSeparatorBeforeExit) {
    for (int mask = 0; mask < 16; ++mask) {
        SCOPED_TRACE(mask);
        const QList<MenuSpec> menus = menuSetForMask(mask);
        const QList<CommandSpec>& file = menus.first().items;
        ASSERT_EQ(file.size(), 4);
        EXPECT_EQ(file[0].slot, "exportData");
        EXPECT_EQ(file[1].slot, "importData");
        EXPECT_EQ(file[0].target, CommandTarget::Frame);
        EXPECT_TRUE(file[2].separator);
        EXPECT_EQ(file[3].slot, "close");
    }
}

TEST(ResourceSets, FeatureMenusHoldTheFeatureCommands) {
    const QList<MenuSpec> menus = menuSetForMask(15);
    EXPECT_EQ(itemTexts(menus[2]),
              (QStringList{"New", "View/Edit ", "Copy to SIM", "Copy to MS", "Copy to PC", "Delete",
                           "Delete All", "Reload", "Cancel Deletion", "Print"}));
    EXPECT_EQ(
        itemTexts(menus[3]),
        (QStringList{"New Message", "View Message", "Reply to Message", "Forward Message",
                     "Resend Message", "Delete Message", "Delete All Messages", "Reload Message"}));
    EXPECT_EQ(itemTexts(menus[4]),
              (QStringList{"New Schedule", "Edit Schedule", "Copy Schedule", "Move Schedule",
                           "Delete Schedule", "Delete Day Schedule", "Reload Schedule"}));
    EXPECT_EQ(itemTexts(menus[4].items[0].submenu),
              (QStringList{"Reminder", "Call", "Meeting", "Birthday"}));
    EXPECT_EQ(
        itemTexts(menus[5]),
        (QStringList{"New To Do List", "Edit To Do List", "Copy To Do List", "Delete To Do List",
                     "Delete All To Do List", "Mark", "UnMark", "Reload To Do List"}));
    // Prompt texts split into the status line and the tool tip.
    EXPECT_EQ(menus[3].items[0].statusTip, "Create a new short message");
    EXPECT_EQ(menus[3].items[0].toolTip, "New Message");
}

TEST(ResourceSets, EveryMenuAndItemHasAMnemonicUnusedElsewhereInItsMenu) {
    // One "&" per text, and the letters after them differ within the menu.
    auto checkUnique = [](const QList<CommandSpec>& items, const QString& menu) {
        QList<QChar> used;
        for (const CommandSpec& item : items) {
            const qsizetype at = item.text.indexOf('&');
            if (!item.separator) {
                ASSERT_TRUE(at >= 0 && item.text.count('&') == 1) << item.text.toStdString();
                EXPECT_FALSE(used.contains(item.text[at + 1].toUpper())) << menu.toStdString();
                used.append(item.text[at + 1].toUpper());
            }
        }
    };
    for (int mask = 0; mask < 16; ++mask) {
        SCOPED_TRACE(mask);
        QList<CommandSpec> titles;
        for (const MenuSpec& menu : menuSetForMask(mask)) {
            CommandSpec title;
            title.text = menu.title;
            titles.append(title);
            checkUnique(menu.items, menu.title);
            for (const CommandSpec& item : menu.items) {
                if (!item.submenu.isEmpty()) {
                    checkUnique(item.submenu, item.text);
                }
            }
        }
        checkUnique(titles, "menu bar");
    }
}

TEST(ResourceSets, ToolbarHasTenButtonsWithTips) {
    const QList<CommandSpec> buttons = toolbarCommands();
    QStringList texts;
    for (const CommandSpec& b : buttons) {
        texts.append(b.text);
        EXPECT_FALSE(b.toolTip.isEmpty()) << b.text.toStdString();
        EXPECT_FALSE(b.statusTip.isEmpty()) << b.text.toStdString();
    }
    EXPECT_EQ(texts, (QStringList{"New", "Edit/View", "Copy", "Move", "Delete", "DeleteAll",
                                  "Reload", "Connect", "Help", "Exit"}));
}

TEST(NavigationContents, FoldersCarryFeatureNumbersAndExactItemTexts) {
    const QList<FolderSpec> folders = foldersForMask(15);
    ASSERT_EQ(folders.size(), 4);
    EXPECT_EQ(folders[0].items, (QStringList{"Copy to SIM   ", "Copy To MS   ", "Copy To PC   ",
                                             "Cancel Delete     ", "Print          "}));
    EXPECT_EQ(folders[1].items,
              (QStringList{"Reply          ", "Forward          ", "Resend          "}));
    EXPECT_EQ(folders[2].items, (QStringList{"Reminder(R)         ", "Call(C)           ",
                                             "Meeting(M)         ", "Birthday(B)         "}));
    EXPECT_EQ(folders[3].items, (QStringList{"All           ", "Today          ",
                                             "Completed         ", "Priority       "}));
    // Mask 5 (messages and to-do): positions 0 and 1, feature numbers 1 and 3.
    const QList<FolderSpec> partial = foldersForMask(5);
    ASSERT_EQ(partial.size(), 2);
    EXPECT_EQ(partial[0].feature, SmsFolder);
    EXPECT_EQ(partial[1].feature, TodoFolder);
}

TEST(NavigationContents, ItemClicksBecomeViewCalls) {
    EXPECT_EQ(itemClickCall(PhonebookFolder, 0, true), (ViewCall{0, "copyToSim", {}}));
    EXPECT_EQ(itemClickCall(PhonebookFolder, 4, true), (ViewCall{0, "print", {}}));
    EXPECT_EQ(itemClickCall(SmsFolder, 2, true), (ViewCall{1, "resendMessage", {}}));
    EXPECT_EQ(itemClickCall(SchedulerFolder, 0, true), (ViewCall{3, "newSchedule", {1}}));
    EXPECT_EQ(itemClickCall(SchedulerFolder, 3, true), (ViewCall{3, "newSchedule", {4}}));
    EXPECT_EQ(itemClickCall(TodoFolder, 1, false), (ViewCall{4, "showTab", {1, 0}}));
    EXPECT_EQ(itemClickCall(TodoFolder, 3, false), (ViewCall{4, "showTab", {3, 0}}));
    EXPECT_EQ(itemClickCall(TodoFolder, 3, true), (ViewCall{4, "showTab", {3, 1}}));
    EXPECT_FALSE(itemClickCall(PhonebookFolder, 5, true));
    EXPECT_FALSE(itemClickCall(SmsFolder, -1, true));
    EXPECT_FALSE(itemClickCall(7, 0, true));
}
