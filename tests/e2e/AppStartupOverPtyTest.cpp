// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the desktop program against the simulated phone over a real pseudo-terminal:
// the real link, the phone's feature mask, the frame and the phonebook's first load.

#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>

#include "app/CDexmoroApp.h"
#include "app/SplashWindow.h"
#include "controls/GfxOutBarCtrl.h"
#include "db/DatabaseConnection.h"
#include "db/DatabaseSchema.h"
#include "db/Recordset.h"
#include "phone/ApplicationPhone.h"
#include "phone/PhoneLink.h"
#include "phonebook/DeletionTables.h"
#include "phonebook/ui/CPhonebookView.h"
#include "phonebook/ui/PhonebookListWidget.h"
#include "platform/Profile.h"
#include "support/PhoneSimRunner.h"
#include "support/ProgramRun.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

class AppStartupOverPty : public ::testing::Test {
  protected:
    AppStartupOverPty() {
        Profile::useFolder(dir.path());
        SplashWindow::setEnabled(false);
        CPhonebookView::resetFirstStart();
    }
    ~AppStartupOverPty() override {
        PhoneLink::setDevicePathOverride({});
        closeAllDatabases();
        Profile::useFolder({});
    }

    StartupSeams seams() {
        StartupSeams s;
        s.useMessageBoxes = false;
        s.detectPort = [] {};
        s.runCableDetection = [this] {
            ++cableDialogs;
            return int(QDialog::Accepted);
        };
        s.screenArea = [] { return QSize(1280, 1024); };
        return s;
    }

    static int rowCount(const QString& table) {
        Recordset rows(kPhonebookDbFile, table);
        return rows.Open() ? rows.FullRecordCount() : -1;
    }

    TempWorkDir dir;
    ScriptedPrompter prompter;
    int cableDialogs = 0;
};

}  // namespace

TEST_F(AppStartupOverPty, FoundPhoneGivesItsFeaturesAndFillsThePhonebooksOnce) {
    PhoneSimState state = PhoneSimState::demo();
    state.featureMask = 14;
    PhoneSimRunner phone(state);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    PhoneLink::setDevicePathOverride(phone.slavePath());

    CDexmoroApp app(seams());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(cableDialogs, 0);
    EXPECT_EQ(app.online, 1);
    EXPECT_EQ(appState().featureMask, 14);
    EXPECT_EQ(app.mainFrame()->windowTitle(), "QUILLON Dexmoro");
    EXPECT_EQ(app.mainFrame()->bar()->folderCount(), 3);
    EXPECT_EQ(applicationPhone().link, app.link.get());
    EXPECT_TRUE(applicationPhone().online);

    // The first phonebook view read both memories of the phone.
    EXPECT_EQ(rowCount("sim"), state.sm.used());
    EXPECT_EQ(rowCount("ms"), state.me.used());
    auto* view = qobject_cast<CPhonebookView*>(app.mainFrame()->view());
    ASSERT_NE(view, nullptr);

    // Deleting from the PC list leaves a row to restore; closing the window forgets it.
    CPTemp().AddDeletedRow(PcPhonebookEntry{});
    EXPECT_EQ(rowCount("pTemp"), 1);
    app.mainFrame()->close();
    EXPECT_EQ(rowCount("pTemp"), 0);
    EXPECT_EQ(rowCount("sim"), state.sm.used());
}

TEST_F(AppStartupOverPty, AStandardSimOnlyPhoneShowsItsMakerModelAndSimAlone) {
    PhoneSimState state = PhoneSimState::standardPersona();
    state.phoneMemory = false;
    PhoneSimRunner phone(state);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    PhoneLink::setDevicePathOverride(phone.slavePath());

    CDexmoroApp app(seams());
    appState().runSettings.profile = PhoneProfile::Standard;
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.mainFrame();
    EXPECT_EQ(frame->connectionPane()->text(), "On line: Acme M-100 on " + phone.slavePath());
    EXPECT_EQ(appState().featureMask, 12);
    EXPECT_EQ(frame->bar()->folderCount(), 2);
    EXPECT_EQ(rowCount("sim"), state.sm.used());
    auto* view = qobject_cast<CPhonebookView*>(frame->view());
    ASSERT_NE(view, nullptr);
    EXPECT_TRUE(view->list(MemoryMs)->isHidden());
}

TEST_F(AppStartupOverPty, AnotherMakersPhoneStartsOutOfServiceAfterTheCableDialog) {
    PhoneSimState state = PhoneSimState::demo();
    state.maker = "Othermake";
    state.featureMask = 12;
    PhoneSimRunner phone(state);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    PhoneLink::setDevicePathOverride(phone.slavePath());

    CDexmoroApp app(seams());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(cableDialogs, 1);
    EXPECT_EQ(app.online, 0);
    EXPECT_EQ(app.mainFrame()->windowTitle(), "QUILLON Dexmoro - Out of Service");
    // The port is open, so the phone is still asked which features it has.
    EXPECT_EQ(appState().featureMask, 12);
    EXPECT_FALSE(applicationPhone().online);
    // Off-line the phonebooks are not read.
    EXPECT_EQ(rowCount("sim"), 0);
}

TEST_F(AppStartupOverPty, APortThatNeverOpensStartsOfflineAfterThePortMessageOnce) {
    PhoneLink::setDevicePathOverride(dir.filePath("no-such-port"));
    prompter.then(PromptAnswer::Ok);

    CDexmoroApp app(seams());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(cableDialogs, 1);
    EXPECT_EQ(app.link->connected, 0);
    // The feature question goes to a link without a port: its message, once.
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_TRUE(prompter.prompts()[0].text.startsWith("Serial Port Init Failed!"));
    EXPECT_EQ(app.online, 0);
    EXPECT_EQ(appState().featureMask, 15);
    EXPECT_EQ(app.mainFrame()->windowTitle(), "QUILLON Dexmoro - Out of Service");
}

TEST_F(AppStartupOverPty, ConnectToPhoneAfterAnOfflineStartLoadsTheListsAsAStartDoes) {
    PhoneSimState state = PhoneSimState::demo();
    state.featureMask = 14;
    PhoneSimRunner phone(state);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    PhoneLink::setDevicePathOverride(dir.filePath("no-such-port"));
    prompter.then(PromptAnswer::Ok);

    CDexmoroApp app(seams());
    ASSERT_TRUE(app.InitInstance());
    CMainFrame* frame = app.mainFrame();
    ASSERT_EQ(app.online, 0);
    EXPECT_EQ(frame->connectionPane()->text(), "Off line");
    EXPECT_EQ(rowCount("sim"), 0);

    // The phone is plugged in where the port setting points; no dialog shows this time.
    PhoneLink::setDevicePathOverride(phone.slavePath());
    QAction* connect = frame->commandAction("Option", "Connect to Phone");
    ASSERT_TRUE(connect);
    connect->trigger();
    EXPECT_EQ(cableDialogs, 1);
    EXPECT_EQ(app.online, 1);
    EXPECT_EQ(frame->windowTitle(), "QUILLON Dexmoro");
    EXPECT_EQ(frame->connectionPane()->text(), "On line: Quillon on " + phone.slavePath());
    EXPECT_EQ(frame->link(), app.link.get());
    EXPECT_EQ(applicationPhone().link, app.link.get());
    EXPECT_TRUE(applicationPhone().online);
    EXPECT_EQ(rowCount("sim"), state.sm.used());
    EXPECT_EQ(rowCount("ms"), state.me.used());
    EXPECT_TRUE(qobject_cast<CPhonebookView*>(frame->view()));
    // The off-line start had every feature; the phone has no to-do list.
    EXPECT_EQ(frame->bar()->folderCount(), 3);
    EXPECT_EQ(frame->menuBar()->actions().size(), 7);
}

TEST(DexmoroProgram, WithoutADisplayItSaysSoInsteadOfCrashing) {
    QProcessEnvironment environment = privateHomeEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        environment.remove(name);
    }
    const ProgramRun run = runProgram(DEXMORO_APP_PATH, {"--demo"}, environment, 30000);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("no display found"));
}

TEST(DexmoroProgram, BadArgumentsAreUsageErrors) {
    const ProgramRun run = runProgram(DEXMORO_APP_PATH, {"--demo", "--device", "/dev/null"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.contains("usage: dexmoro"));
}
TEST_F(AppStartupOverPty, PhoneLostDuringTheFirstLoadEndsTheProgramThroughTheWindow) {
    PhoneSimOptions options;
    options.dropAfterCommands = 20;  // the phone goes away while the SIM is being read
    PhoneSimRunner phone(PhoneSimState::demo(), options);
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    PhoneLink::setDevicePathOverride(phone.slavePath());
    prompter.then(PromptAnswer::Ok);

    CDexmoroApp app(seams());
    ASSERT_TRUE(app.InitInstance());
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].caption, "Error");
    EXPECT_TRUE(app.mainFrame()->isVisible());
    CPTemp().AddDeletedRow(PcPhonebookEntry{});
    QCoreApplication::processEvents();
    EXPECT_FALSE(app.mainFrame()->isVisible());
    EXPECT_EQ(rowCount("pTemp"), 0);
}
