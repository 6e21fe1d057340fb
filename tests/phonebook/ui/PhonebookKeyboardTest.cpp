// SPDX-License-Identifier: GPL-3.0-or-later
// Keyboard use of the phonebook through real widgets: Tab moves the focus between controls,
// never the selection inside a list.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "phone/PhoneSafeText.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/ui/CPhonebookView.h"
#include "phonebook/ui/CopyAnimationDialog.h"
#include "phonebook/ui/PhonebookEntryDialog.h"
#include "phonebook/ui/PhonebookListWidget.h"
#include "phonebook/ui/PhonebookPickerDialog.h"
#include "platform/Profile.h"
#include "support/EnginePhoneLink.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {
PhoneSimPhonebookEntry phoneEntry(const QString& dial, const QString& name) {
    return PhoneSimPhonebookEntry{dial, dial.startsWith('+') ? 145 : 129, name};
}

QStringList names(PhonebookListWidget* list) {
    QStringList result;
    for (int row = 0; row < list->rowCount(); ++row) {
        result << list->rowTexts(row).name;
    }
    return result;
}

// Shows the window and makes it the active one, so that focus moves as it does for a user.
void activate(QWidget* window) {
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
}

void clickCell(PhonebookListWidget* list, int row, int column) {
    const QPoint at = list->visualItemRect(list->item(row, column)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
}

class PhonebookKeyboardTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Profile::useFolder(work_.path());
        CPhonebookView::resetFirstStart();
        PhoneSimState state;
        state.sm = PhoneSimPhonebook{250, {}};
        state.sm.entries[1] = phoneEntry("111", "Alice");
        state.sm.entries[2] = phoneEntry("222", "Ben");
        state.me =
            PhoneSimPhonebook{10, {{1, phoneEntry("333", "Cy")}, {2, phoneEntry("444", "Dot")}}};
        phone_ = std::make_unique<EnginePhoneLink>(state);
        view_ = std::make_unique<CPhonebookView>(phone_->link(), true);
        view_->setCopyPause([] {});
    }

    TempWorkDir work_;
    std::unique_ptr<EnginePhoneLink> phone_;
    std::unique_ptr<CPhonebookView> view_;
};
}  // namespace

TEST_F(PhonebookKeyboardTest, TabFromTheSimListReachesTheMsListAndTheSelectionStays) {
    activate(view_.get());
    PhonebookListWidget* sim = view_->list(MemorySim);
    PhonebookListWidget* ms = view_->list(MemoryMs);
    PhonebookListWidget* pc = view_->list(MemoryPc);
    clickCell(sim, 0, 2);  // Alice's number
    ASSERT_EQ(QApplication::focusWidget(), sim);
    ASSERT_EQ(sim->selectedPositions(), QList<int>{0});

    QTest::keyClick(sim, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), ms);
    EXPECT_EQ(sim->selectedPositions(), QList<int>{0});
    EXPECT_EQ(sim->focusedSelectedPosition(), 0);
    QTest::keyClick(ms, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), pc);

    QTest::keyClick(pc, Qt::Key_Backtab, Qt::ShiftModifier);
    QTest::keyClick(ms, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), sim);
    EXPECT_EQ(sim->selectedPositions(), QList<int>{0});

    // The arrow keys are what moves the selection.
    QTest::keyClick(sim, Qt::Key_Down);
    EXPECT_EQ(sim->selectedPositions(), QList<int>{1});
    QTest::keyClick(sim, Qt::Key_Up);
    EXPECT_EQ(sim->selectedPositions(), QList<int>{0});
}

TEST_F(PhonebookKeyboardTest, DeleteAfterTabDeletesTheSelectedEntry) {
    ScriptedPrompter prompter;
    activate(view_.get());
    PhonebookListWidget* sim = view_->list(MemorySim);
    clickCell(sim, 0, 2);  // Alice's number
    QTest::keyClick(sim, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), view_->list(MemoryMs));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);

    EXPECT_EQ(phone_->engine().state().sm.entries.count(1), 0u);
    EXPECT_EQ(phone_->engine().state().sm.entries.at(2).name, "Ben");
    EXPECT_EQ(names(sim), QStringList{"Ben"});
    // The MS list the focus passed through lost nothing.
    EXPECT_EQ(phone_->engine().state().me.entries.size(), 2u);
    EXPECT_TRUE(prompter.prompts().isEmpty());
}

TEST_F(PhonebookKeyboardTest, AnEntryChosenWithTheArrowKeysIsTheOneDeleted) {
    activate(view_.get());
    PhonebookListWidget* sim = view_->list(MemorySim);
    PhonebookListWidget* ms = view_->list(MemoryMs);
    clickCell(sim, 0, 2);
    QTest::keyClick(sim, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), ms);
    QTest::keyClick(ms, Qt::Key_Down);
    ASSERT_EQ(ms->selectedPositions(), QList<int>{1});
    EXPECT_EQ(view_->currentMemory(), MemoryMs);
    QTest::keyClick(ms, Qt::Key_Delete);

    EXPECT_EQ(names(ms), QStringList{"Cy"});
    EXPECT_EQ(phone_->engine().state().me.entries.count(2), 0u);
    EXPECT_EQ(phone_->engine().state().sm.entries.size(), 2u);
}

TEST(PhonebookEntryDialogKeys, TabLeavesTheMemoField) {
    PhonebookEntryDialog::Context context;
    context.simCapacity = 250;
    context.msCapacity = 500;
    context.firstFreeIndex = [](int) { return 1; };
    PhonebookEntryDialog dialog(PhonebookEntryDialog::Kind::New, context);
    dialog.setMemory(MemoryPc);
    activate(&dialog);
    auto* address = dialog.findChild<QLineEdit*>("addressEdit");
    auto* memo = dialog.findChild<QPlainTextEdit*>("memoEdit");
    ASSERT_TRUE(address && memo);

    address->setFocus();
    QTest::keyClick(address, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), memo);
    QTest::keyClicks(memo, "call");
    QTest::keyClick(memo, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), memo);
    EXPECT_EQ(memo->toPlainText(), "call");
    EXPECT_EQ(dialog.values().memo, "call");

    memo->setFocus();
    QTest::keyClick(memo, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), address);
    EXPECT_EQ(memo->toPlainText(), "call");
}

TEST(PhonebookPickerDialogKeys, TabLeavesTheListAndKeepsTheRow) {
    TempWorkDir work;
    {
        CSimViewDB sim;
        sim.AddRow(1, "111", "Ann");
        sim.AddRow(2, "222", "Bob");
    }
    PhonebookPickerDialog picker;
    activate(&picker);
    QTreeWidget* list = picker.list();
    const QPoint at = list->visualItemRect(list->topLevelItem(0)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    ASSERT_EQ(QApplication::focusWidget(), list);
    QTest::keyClick(list, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), list);
    EXPECT_EQ(list->currentItem(), list->topLevelItem(0));
    EXPECT_EQ(list->selectedItems(), QList<QTreeWidgetItem*>{list->topLevelItem(0)});
}

TEST_F(PhonebookKeyboardTest, ANameThePhoneCannotTakeIsRefusedInTheDialog) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    activate(view_.get());
    const int commands = phone_->engine().commandCount();
    const PhoneSimState before = phone_->engine().state();
    bool stayedOpen = false;
    view_->setCurrentMemory(MemorySim);
    view_->setDialogRunner([&](QDialog& dialog) {
        dialog.show();
        auto* name = dialog.findChild<QLineEdit*>("nameEdit");
        auto* number = dialog.findChild<QLineEdit*>("numberEdit");
        QTest::keyClicks(name, "Tom \"Q\" Ray");
        QTest::keyClicks(number, "123");
        auto* box = dialog.findChild<QDialogButtonBox*>();
        QTest::mouseClick(box->button(QDialogButtonBox::Ok), Qt::LeftButton);
        // Still open with what the user typed.
        stayedOpen = dialog.isVisible() && dialog.result() != QDialog::Accepted;
        EXPECT_EQ(name->text(), "Tom \"Q\" Ray");
        EXPECT_EQ(number->text(), "123");
        dialog.reject();
        return dialog.result();
    });
    view_->newEntry();
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text,
              phoneSafeTextProblem("Tom \"Q\" Ray", PhoneTextKind::Name));
    EXPECT_EQ(prompter.prompts()[0].caption, "ERROR");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Error);
    EXPECT_EQ(phone_->engine().commandCount(), commands);
    EXPECT_EQ(phone_->engine().state(), before);
    EXPECT_EQ(names(view_->list(MemorySim)), (QStringList{"Alice", "Ben"}));
}

TEST_F(PhonebookKeyboardTest, ACopyOfTextThePhoneCannotTakeSendsNothing) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    {
        CPCListDB pc;
        PcPhonebookEntry entry;
        entry.number = 1;
        entry.name = "Tom \"Q\" Ray";
        entry.mainNumber = "301";
        pc.AddRow(entry);
    }
    view_ = std::make_unique<CPhonebookView>(phone_->link(), true);
    const int commands = phone_->engine().commandCount();
    PhonebookListWidget* pc = view_->list(MemoryPc);
    pc->selectRow(0);
    view_->setCurrentMemory(MemoryPc);
    view_->copyToMs();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text,
              phoneSafeTextProblem("Tom \"Q\" Ray", PhoneTextKind::Name));
    EXPECT_EQ(phone_->engine().commandCount(), commands);
    EXPECT_FALSE(view_->copyAnimation()->isVisible());
    EXPECT_EQ(names(view_->list(MemoryMs)), (QStringList{"Cy", "Dot"}));
}
