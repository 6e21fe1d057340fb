// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <memory>

#include "app/CommandRouting.h"
#include "app/NavigationContents.h"
#include "app/ResourceSets.h"
#include "phonebook/ui/CPhonebookView.h"
#include "scheduler/ui/CSchedulerView.h"
#include "sms/ui/CSmsView.h"
#include "todo/ui/CTodolistView.h"

namespace {
std::unique_ptr<QWidget> makeView(int view) {
    switch (view) {
        case PhonebookViewNo:
            return std::make_unique<CPhonebookView>();
        case SmsViewNo:
            return std::make_unique<CSmsView>();
        case SchedulerViewNo:
            return std::make_unique<CSchedulerView>();
        case TodoViewNo:
            return std::make_unique<CTodolistView>();
        default:
            return nullptr;
    }
}

void expectSlotsOf(const QList<CommandSpec>& commands) {
    for (const CommandSpec& command : commands) {
        if (!command.submenu.isEmpty()) {
            expectSlotsOf(command.submenu);
        }
        if (command.target != CommandTarget::View || command.view < 0) {
            continue;
        }
        std::unique_ptr<QWidget> view = makeView(command.view);
        ASSERT_TRUE(view);
        EXPECT_TRUE(hasCommandSlot(view.get(), command.slot, command.argument >= 0 ? 1 : 0))
            << view->metaObject()->className() << " lacks " << command.slot.constData() << " for \""
            << command.text.toStdString() << "\"";
    }
}
}  // namespace

TEST(FeatureViewSlots, EveryMenuCommandHasItsSlotOnItsView) {
    for (const MenuSpec& menu : menuSetForMask(15)) {
        SCOPED_TRACE(menu.title.toStdString());
        expectSlotsOf(menu.items);
    }
}

TEST(FeatureViewSlots, EveryNavigationItemHasItsSlotOnItsView) {
    for (const FolderSpec& folder : foldersForMask(15)) {
        for (int item = 0; item < folder.items.size(); ++item) {
            const std::optional<ViewCall> call = itemClickCall(folder.feature, item, true);
            ASSERT_TRUE(call) << folder.name.toStdString() << " item " << item;
            EXPECT_EQ(call->view, viewForFeature(folder.feature));
            std::unique_ptr<QWidget> view = makeView(call->view);
            EXPECT_TRUE(hasCommandSlot(view.get(), call->slot, int(call->arguments.size())))
                << call->slot.constData();
        }
    }
}

TEST(FeatureViewSlots, ToolbarCommandsReachEveryViewThatHasThem) {
    // Each view handles New, Edit/View, Delete, DeleteAll and Reload for its own feature.
    for (int view : {PhonebookViewNo, SmsViewNo, SchedulerViewNo, TodoViewNo}) {
        std::unique_ptr<QWidget> widget = makeView(view);
        for (const char* slot : {"newEntry", "editEntry", "deleteEntry", "deleteAll", "reload"}) {
            EXPECT_TRUE(hasCommandSlot(widget.get(), slot, 0))
                << widget->metaObject()->className() << " " << slot;
        }
    }
    CSmsView sms;
    EXPECT_FALSE(hasCommandSlot(&sms, "move", 0));
}

TEST(CommandRouting, InvokesOnlyExistingSlotsWithTheirArguments) {
    CTodolistView todo;
    EXPECT_TRUE(invokeCommand(&todo, "showTab", {3, 1}));
    EXPECT_FALSE(invokeCommand(&todo, "showTab", {3}));
    EXPECT_FALSE(invokeCommand(&todo, "noSuchCommand"));
    EXPECT_FALSE(invokeCommand(nullptr, "showTab", {0, 0}));
    // Signals and plain methods are no commands.
    EXPECT_FALSE(hasCommandSlot(&todo, "destroyed", 0));
}
