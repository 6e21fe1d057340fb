// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>

#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "phonebook/ui/CPhonebookView.h"
#include "phonebook/ui/CopyAnimationDialog.h"
#include "phonebook/ui/FilterSettingDialog.h"
#include "phonebook/ui/PhonebookEntryDialog.h"
#include "phonebook/ui/PhonebookListWidget.h"
#include "platform/Profile.h"
#include "platform/QuitRequest.h"
#include "support/EnginePhoneLink.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {
PhoneSimPhonebookEntry phoneEntry(const QString& dial, const QString& name) {
    return PhoneSimPhonebookEntry{dial, dial.startsWith('+') ? 145 : 129, name};
}

PcPhonebookEntry pcEntry(int number, const QString& name, const QString& main) {
    PcPhonebookEntry entry;
    entry.number = number;
    entry.name = name;
    entry.mainNumber = main;
    return entry;
}

void selectRows(PhonebookListWidget* list, const QList<int>& rows) {
    list->clearSelection();
    for (int row : rows) {
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }
    if (!rows.isEmpty()) {
        list->selectionModel()->setCurrentIndex(list->model()->index(rows.first(), 0),
                                                QItemSelectionModel::NoUpdate);
    }
}

QStringList names(PhonebookListWidget* list) {
    QStringList result;
    for (int row = 0; row < list->rowCount(); ++row) {
        result << list->rowTexts(row).name;
    }
    return result;
}

class PhonebookViewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Profile::useFolder(work_.path());
        CPhonebookView::resetFirstStart();
    }

    // A view on-line to a phone whose SIM and MS hold the given entries, with PC rows.
    std::unique_ptr<CPhonebookView> onlineView(PhoneSimState state,
                                               const QList<PcPhonebookEntry>& pcRows = {}) {
        phone_ = std::make_unique<EnginePhoneLink>(std::move(state));
        return makeView(phone_->link(), true, pcRows);
    }

    std::unique_ptr<CPhonebookView> makeView(PhoneLink& link, bool online,
                                             const QList<PcPhonebookEntry>& pcRows) {
        {
            CPCListDB pc;
            for (const PcPhonebookEntry& row : pcRows) {
                pc.AddRow(row);
            }
        }
        auto view = std::make_unique<CPhonebookView>(link, online);
        view->setCopyPause([this] { ++pauses_; });
        view->show();
        return view;
    }

    TempWorkDir work_;
    std::unique_ptr<EnginePhoneLink> phone_;
    int pauses_ = 0;
};

PhoneSimState withPhonebooks(int simCapacity, int msCapacity) {
    PhoneSimState state;
    state.sm = PhoneSimPhonebook{simCapacity, {}};
    state.me = PhoneSimPhonebook{msCapacity, {}};
    return state;
}

PhoneSimState simWithTwoOf(int capacity) {
    PhoneSimState state = withPhonebooks(capacity, 10);
    state.sm.entries[1] = phoneEntry("111", "Ann");
    state.sm.entries[2] = phoneEntry("222", "Bob");
    return state;
}

const QList<PcPhonebookEntry> kThreePcRows = {pcEntry(1, "Pat", "301"), pcEntry(2, "Quin", "302"),
                                              pcEntry(3, "Rae", "303")};
}  // namespace

TEST_F(PhonebookViewTest, FirstStartOnLineLoadsThePhoneAndShowsTotals) {
    auto view = onlineView(simWithTwoOf(250), kThreePcRows);
    EXPECT_EQ(names(view->list(MemorySim)), QStringList({"Ann", "Bob"}));
    EXPECT_EQ(view->totalLabel(MemorySim)->text(), "TOTAL : 2 / 250");
    EXPECT_EQ(view->totalLabel(MemoryMs)->text(), "TOTAL : 0 / 10");
    EXPECT_EQ(view->totalLabel(MemoryPc)->text(), "TOTAL : 3");
    auto* list = view->list(MemorySim);
    EXPECT_EQ(list->horizontalHeaderItem(2)->text(), "Phone Number");
    EXPECT_EQ(list->columnWidth(0), 50);
    EXPECT_EQ(list->columnWidth(1), 90);
    EXPECT_EQ(list->columnWidth(2), 116);
    EXPECT_EQ(list->selectionMode(), QAbstractItemView::ExtendedSelection);

    // A second view in the same run does not reload.
    const int commands = phone_->engine().commandCount();
    auto again = std::make_unique<CPhonebookView>(phone_->link(), true);
    EXPECT_EQ(phone_->engine().commandCount(), commands);
}

TEST_F(PhonebookViewTest, CopyingThreeIntoRoomForTwoDropsOne) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    auto view = onlineView(simWithTwoOf(4), kThreePcRows);
    view->setCurrentMemory(MemoryPc);
    selectRows(view->list(MemoryPc), {0, 1, 2});
    view->copyToSim();

    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text,
              "2 entriies are copied. 1 entry is are dropped. \nMaximum Capacity Exceeded!");
    EXPECT_EQ(prompter.prompts()[0].caption, "Warning");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Warning);
    EXPECT_EQ(pauses_, 1);
    EXPECT_FALSE(view->copyAnimation()->isVisible());
    EXPECT_EQ(phone_->engine().state().sm.entries.at(3).name, "Pat");
    EXPECT_EQ(phone_->engine().state().sm.entries.at(4).name, "Quin");
    EXPECT_EQ(view->totalLabel(MemorySim)->text(), "TOTAL : 4 / 4");
}

TEST_F(PhonebookViewTest, CopyingTwoIntoRoomForOneAndIntoAFullTarget) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok).then(PromptAnswer::Ok);
    PhoneSimState state = simWithTwoOf(250);
    state.me = PhoneSimPhonebook{2, {{1, phoneEntry("900", "Zed")}}};
    auto view = onlineView(state);
    view->setCurrentMemory(MemorySim);
    selectRows(view->list(MemorySim), {0, 1});
    view->copyToMs();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text,
              "1 entries are copied. 1 entries are dropped. \nMaximum Capacity Exceeded!");
    EXPECT_EQ(phone_->engine().state().me.entries.at(2).name, "Ann");

    const int commands = phone_->engine().commandCount();
    view->setCurrentMemory(MemorySim);
    selectRows(view->list(MemorySim), {1});
    view->copyToMs();
    ASSERT_EQ(prompter.prompts().size(), 2);
    EXPECT_EQ(prompter.prompts()[1].text, "Maximum Capacity Exceeded!");
    EXPECT_EQ(prompter.prompts()[1].caption, "Warning");
    EXPECT_EQ(phone_->engine().commandCount(), commands);
    EXPECT_EQ(pauses_, 1);
}

TEST_F(PhonebookViewTest, CopyToPhoneWithSourceCodesAndFullCountMessage) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    auto view = onlineView(simWithTwoOf(250));
    view->setCurrentMemory(MemorySim);
    selectRows(view->list(MemorySim), {0, 1});
    view->copyToMs();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "2 entries are copied.");
    EXPECT_EQ(prompter.prompts()[0].caption, "Copy to MS");
    EXPECT_EQ(names(view->list(MemoryMs)), QStringList({"Ann", "Bob"}));
    EXPECT_EQ(view->copyAnimation()->sourceText(), "SIM PhoneBook");
    EXPECT_EQ(view->copyAnimation()->targetText(), "MS PhoneBook");
}

TEST_F(PhonebookViewTest, LostCableStopsTheCopyWithoutCount) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    QMainWindow frame;
    frame.setWindowTitle("Quillon Dexmoro");
    auto view = onlineView(simWithTwoOf(250));
    view->setParent(&frame);
    frame.setCentralWidget(view.get());
    frame.show();
    // The cable is pulled: the phone hears nothing more.
    phone_->line().setResponder([](const QByteArray&) { return QList<FakeChunk>{}; });
    view->setCurrentMemory(MemorySim);
    selectRows(view->list(MemorySim), {0});
    view->copyToMs();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "The Cable is not connected to the phone");
    EXPECT_EQ(prompter.prompts()[0].caption, "ERROR");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Error);
    EXPECT_EQ(frame.windowTitle(), "Quillon Dexmoro - Out of Service");
    EXPECT_FALSE(view->copyAnimation()->isVisible());
    EXPECT_EQ(pauses_, 0);
    EXPECT_EQ(view->list(MemoryMs)->rowCount(), 0);
    view.release();  // owned by the frame now
}

TEST_F(PhonebookViewTest, DragFromSimOntoPcCopies) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    auto view = onlineView(simWithTwoOf(250), {pcEntry(1, "Pat", "301")});
    auto* sim = view->list(MemorySim);
    selectRows(sim, {1});
    QMimeData mime;
    mime.setData(PhonebookListWidget::mimeType(), QByteArray::number(int(MemorySim)));
    auto* pcViewport = view->list(MemoryPc)->viewport();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pcViewport, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pcViewport, &drop);
    QApplication::processEvents();

    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "1 entry is copied.");
    EXPECT_EQ(prompter.prompts()[0].caption, "Copy to PC");
    EXPECT_EQ(names(view->list(MemoryPc)), QStringList({"Pat", "Bob"}));
    EXPECT_EQ(view->list(MemoryPc)->rowTexts(1).number, "2");
    EXPECT_EQ(view->currentMemory(), MemorySim);
}

TEST_F(PhonebookViewTest, CopyWithinPcCarriesEveryColumn) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    PcPhonebookEntry full = pcEntry(1, "Pat", "301");
    full.mobileNumber = "0777";
    full.memo = "note";
    auto view = onlineView(simWithTwoOf(250), {full});
    view->setCurrentMemory(MemoryPc);
    selectRows(view->list(MemoryPc), {0});
    view->copyToPc();
    CPCListDB pc;
    pc.RefillList(0);
    PcPhonebookEntry copy = pc.entryAt(1);
    EXPECT_EQ(copy.number, 2);
    EXPECT_EQ(copy.mobileNumber, "0777");
    EXPECT_EQ(copy.memo, "note");
}

TEST_F(PhonebookViewTest, ContextMenuDisablesItemCommandsWithoutSelection) {
    ScriptedPrompter prompter;
    auto view = onlineView(simWithTwoOf(250));
    auto enabled = [](QMenu& menu) {
        QMap<QString, bool> states;
        for (QAction* action : menu.actions()) {
            if (!action->isSeparator()) {
                states[action->text()] = action->isEnabled();
            }
        }
        return states;
    };
    view->list(MemorySim)->clearSelection();
    auto menu = view->contextMenuFor(MemorySim);
    auto states = enabled(*menu);
    EXPECT_EQ(menu->title(), "Phone Book");
    EXPECT_TRUE(states["New"]);
    EXPECT_FALSE(states["View/Edit "]);
    EXPECT_FALSE(states["Copy to SIM"]);
    EXPECT_FALSE(states["Copy to MS"]);
    EXPECT_FALSE(states["Copy to PC"]);
    EXPECT_FALSE(states["Delete"]);
    EXPECT_FALSE(states["Cancel Deletion"]);
    EXPECT_TRUE(states["Delete All"]);

    selectRows(view->list(MemorySim), {1});
    states = enabled(*view->contextMenuFor(MemorySim));
    EXPECT_TRUE(states["View/Edit "]);
    EXPECT_TRUE(states["Copy to PC"]);
    EXPECT_TRUE(states["Delete"]);

    view->deleteEntry();
    EXPECT_EQ(names(view->list(MemorySim)), QStringList({"Ann"}));
    EXPECT_EQ(phone_->engine().state().sm.entries.count(2), 0u);
    states = enabled(*view->contextMenuFor(MemorySim));
    EXPECT_TRUE(states["Cancel Deletion"]);
    EXPECT_FALSE(enabled(*view->contextMenuFor(MemoryMs))["Cancel Deletion"]);
    EXPECT_EQ(view->currentMemory(), MemoryMs);

    view->setCurrentMemory(MemorySim);
    view->cancelDeletion();
    EXPECT_EQ(names(view->list(MemorySim)), QStringList({"Ann", "Bob"}));
    EXPECT_EQ(phone_->engine().state().sm.entries.at(2).name, "Bob");
}

TEST_F(PhonebookViewTest, ViewEditWithoutTypingStoresNothing) {
    ScriptedPrompter prompter;
    auto view = onlineView(simWithTwoOf(250));
    view->setCurrentMemory(MemorySim);
    selectRows(view->list(MemorySim), {1});
    int dialogs = 0;
    view->setDialogRunner([&](QDialog& dialog) {
        ++dialogs;
        auto& entry = dynamic_cast<PhonebookEntryDialog&>(dialog);
        EXPECT_EQ(entry.windowTitle(), "Edit Phone Book");
        EXPECT_EQ(entry.values().name, "Bob");
        entry.accept();
        return entry.result();
    });
    const int commands = phone_->engine().commandCount();
    view->editEntry();
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(phone_->engine().commandCount(), commands);

    // Typing marks the dialog changed, and OK then rewrites the entry.
    view->setDialogRunner([](QDialog& dialog) {
        dialog.show();
        auto* name = dialog.findChild<QLineEdit*>("nameEdit");
        name->clear();
        QTest::keyClicks(name, "Bea");
        dialog.accept();
        return dialog.result();
    });
    selectRows(view->list(MemorySim), {1});
    view->editEntry();
    EXPECT_EQ(phone_->engine().state().sm.entries.at(2).name, "Bea");
    EXPECT_EQ(names(view->list(MemorySim)), QStringList({"Ann", "Bea"}));
    EXPECT_EQ(view->lastAction(), 2);
}

TEST_F(PhonebookViewTest, ViewEditWithoutSelectionWarns) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    auto view = onlineView(simWithTwoOf(250));
    view->list(MemorySim)->clearSelection();
    view->editEntry();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "You must select phone book item to view the data");
    EXPECT_EQ(prompter.prompts()[0].caption, "Warning");
}

TEST_F(PhonebookViewTest, NewEntryOnAFullSimIsRefusedBeforeTheDialog) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    auto view = onlineView(simWithTwoOf(2));
    view->setDialogRunner([](QDialog&) {
        ADD_FAILURE() << "no dialog expected";
        return int(QDialog::Rejected);
    });
    view->newEntry();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text,
              "You can not enter more data to SIM PB due to the maximum capacity excess!");
}

TEST_F(PhonebookViewTest, NewPcEntryAtAnExistingNumberAsksBeforeOverwriting) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    auto view = onlineView(simWithTwoOf(250), {pcEntry(1, "Pat", "301")});
    view->setCurrentMemory(MemoryPc);
    view->setDialogRunner([](QDialog& dialog) {
        auto& entry = dynamic_cast<PhonebookEntryDialog&>(dialog);
        EXPECT_EQ(entry.values().index, 2);  // the first free number is proposed
        PhonebookEntryValues values = entry.values();
        values.index = 1;
        values.name = "Pia";
        values.dialString = "555";
        values.office = "01";
        entry.setValues(values);
        entry.accept();
        return entry.result();
    });
    view->newEntry();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text,
              "Number(1) is exist.\n Do you want edit old phone book data?");
    EXPECT_EQ(prompter.prompts()[0].caption, "New PB");
    EXPECT_EQ(prompter.prompts()[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(names(view->list(MemoryPc)), QStringList({"Pia"}));
}

TEST_F(PhonebookViewTest, FilterSwitchWithNothingSetAsksFirst) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Cancel).then(PromptAnswer::Ok);
    auto view = onlineView(simWithTwoOf(250), kThreePcRows);
    view->setDialogRunner([](QDialog&) {
        ADD_FAILURE() << "no dialog expected";
        return int(QDialog::Rejected);
    });
    view->toggleFilter();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text,
              "You have to set the filter setting first. Do you want to set the filter now?");
    EXPECT_EQ(prompter.prompts()[0].caption, "No Filter Setting");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Information);
    EXPECT_FALSE(view->filterOn());

    view->setDialogRunner([](QDialog& dialog) {
        dialog.show();
        QTest::keyClicks(dialog.findChild<QLineEdit*>("filterNameEdit"), "a");
        dialog.accept();
        return dialog.result();
    });
    view->toggleFilter();
    EXPECT_TRUE(view->filterOn());
    EXPECT_EQ(names(view->list(MemorySim)), QStringList({"Ann"}));
    EXPECT_EQ(names(view->list(MemoryPc)), QStringList({"Pat", "Rae"}));

    view->toggleFilter();
    EXPECT_FALSE(view->filterOn());
    EXPECT_EQ(view->list(MemorySim)->rowCount(), 2);
    EXPECT_EQ(view->nameFilterText(), "a");
}

TEST_F(PhonebookViewTest, FilterSettingReportsInTheStatusBar) {
    QMainWindow frame;
    auto view = onlineView(simWithTwoOf(250));
    view->setParent(&frame);
    frame.setCentralWidget(view.get());
    view->setDialogRunner([](QDialog& dialog) {
        auto& filter = dynamic_cast<FilterSettingDialog&>(dialog);
        filter.show();
        QTest::keyClicks(filter.findChild<QLineEdit*>("filterNumberEdit"), "22");
        filter.accept();
        return filter.result();
    });
    view->filterSetting();
    EXPECT_EQ(frame.statusBar()->currentMessage(), "Name(),PhoneNumber(22) Setted");
    EXPECT_FALSE(view->filterOn());
    view.release();
}

TEST_F(PhonebookViewTest, OffLineReloadAndDeleteAll) {
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok).then(PromptAnswer::Yes);
    PhoneLinkOptions options;
    options.devicePath = work_.filePath("no-such-port");
    options.portNumber = 3;
    PhoneLink offline(options);
    {
        CSimViewDB sim;
        sim.AddRow(1, "111", "Ann");
    }
    auto view = makeView(offline, false, {});
    EXPECT_EQ(view->totalLabel(MemorySim)->text(), "TOTAL : 1 / 300");
    view->reload();
    ASSERT_GE(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "Now is Off line");
    EXPECT_EQ(prompter.prompts()[0].caption, "Load");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Error);

    view->setCurrentMemory(MemorySim);
    view->deleteAll();
    ASSERT_EQ(prompter.prompts().size(), 2);
    EXPECT_EQ(prompter.prompts()[1].text, "Do you want to delete all SIM data of phone book ?");
    EXPECT_EQ(prompter.prompts()[1].caption, "Delete All");
    EXPECT_EQ(prompter.prompts()[1].buttons, PromptButtons::YesNo);
    EXPECT_EQ(view->totalLabel(MemorySim)->text(), "TOTAL : 0 / 300");
}

TEST_F(PhonebookViewTest, EditingAPcEntryKeepsItsMobileNumber) {
    ScriptedPrompter prompter;
    PcPhonebookEntry row = pcEntry(4, "Pat", "301");
    row.mobileNumber = "0777";
    auto view = onlineView(simWithTwoOf(250), {row});
    view->setCurrentMemory(MemoryPc);
    selectRows(view->list(MemoryPc), {0});
    view->setDialogRunner([](QDialog& dialog) {
        dialog.show();
        EXPECT_TRUE(dialog.findChild<QWidget*>("pcFields")->isVisible());
        QTest::keyClicks(dialog.findChild<QLineEdit*>("officeEdit"), "12");
        dialog.accept();
        return dialog.result();
    });
    view->editEntry();
    CPCListDB pc;
    pc.RefillList(0);
    const PcPhonebookEntry stored = pc.entryAt(0);
    EXPECT_EQ(stored.officeNumber, "12");
    EXPECT_EQ(stored.mobileNumber, "0777");
    EXPECT_EQ(stored.number, 4);
}

TEST_F(PhonebookViewTest, PhoneLostDuringReloadTellsAndEndsTheProgram) {
    auto view = onlineView(withPhonebooks(4, 3));
    const int before = phone_->engine().commandCount();
    view->reload();
    const int wholeReload = phone_->engine().commandCount() - before;
    int quitRequests = 0;
    setApplicationQuitHandler([&] { ++quitRequests; });
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);
    // Silent from the second SIM read on: three SIM reads, the MS selection and its three reads
    // are never answered.
    phone_->silenceAfter(wholeReload - 3 - 1 - 3);

    view->reload();
    setApplicationQuitHandler(nullptr);
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text,
              "Detected off-line during the PhoneBook Loading!\nTry again after confirming the "
              "PC connection");
    EXPECT_EQ(prompter.prompts()[0].caption, "Error");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Error);
    EXPECT_EQ(quitRequests, 1);
    QCoreApplication::processEvents();
}
