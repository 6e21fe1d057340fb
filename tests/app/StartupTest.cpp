// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>

#include "AppTestSupport.h"
#include "ModalScript.h"
#include "RecordingView.h"
#include "app/CDexmoroApp.h"
#include "app/CableDetectionDialog.h"
#include "controls/GfxOutBarCtrl.h"
#include "phone/PhoneLink.h"
#include "phonebook/DeletionTables.h"
#include "platform/Profile.h"
#include "platform/QuitRequest.h"
#include "support/ScriptedPrompter.h"

namespace {
// Start-up with every outside answer scripted: the links it makes (found or not, in order),
// the cable dialog's answers and the phone's feature mask.
class StartupTest : public AppTest {
  protected:
    StartupSeams seams() {
        StartupSeams s;
        s.useMessageBoxes = false;
        s.detectPort = [this] { ++detections; };
        s.makeLink = [this] {
            portsTried.append(Profile::intValue("CONFIG", "PORT", 3));
            const bool found = !linksFound.isEmpty() && linksFound.takeFirst();
            std::unique_ptr<PhoneLink> link = makeTestLink(found, found || portOpens);
            devicesTried.append(link->devicePath());
            return link;
        };
        s.runCableDetection = [this] {
            ++dialogs;
            return answers.isEmpty() ? int(QDialog::Rejected) : answers.takeFirst();
        };
        s.queryFeatureMask = [this](PhoneLink&) {
            ++maskQueries;
            return phoneMask;
        };
        s.screenArea = [] { return QSize(1280, 1024); };
        s.viewFactory = [](int view) { return new RecordingView(view); };
        return s;
    }

    QList<bool> linksFound;
    QList<int> answers;
    QList<int> portsTried;
    QStringList devicesTried;
    int phoneMask = 15;
    bool portOpens = false;
    int detections = 0;
    int dialogs = 0;
    int maskQueries = 0;
    ScriptedPrompter prompter;
};
}  // namespace

TEST_F(StartupTest, AFoundPhoneStartsOnlineWithItsMask) {
    linksFound = {true};
    phoneMask = 10;
    CDexmoroApp app(seams());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(detections, 1);
    EXPECT_EQ(dialogs, 0);
    EXPECT_EQ(app.online, 1);
    EXPECT_EQ(appState().featureMask, 10);
    EXPECT_EQ(app.title(), "QUILLON Dexmoro");
    ASSERT_TRUE(app.mainFrame());
    EXPECT_EQ(app.mainFrame()->windowTitle(), "QUILLON Dexmoro");
    EXPECT_EQ(app.mainFrame()->bar()->folderCount(), 2);
    EXPECT_EQ(app.mainFrame()->link(), app.link.get());
    EXPECT_TRUE(app.mainFrame()->isVisible());
    EXPECT_EQ(CDexmoroApp::instance(), &app);
}

TEST_F(StartupTest, OkInTheCableDialogStartsOfflineOutOfServiceWithTheFullSet) {
    answers = {QDialog::Accepted};
    CDexmoroApp app(seams());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(dialogs, 1);
    EXPECT_EQ(app.online, 0);
    EXPECT_EQ(maskQueries, 1);
    EXPECT_EQ(appState().featureMask, 15);
    EXPECT_TRUE(app.mainFrame()->windowTitle().endsWith(" - Out of Service"));
    EXPECT_EQ(app.mainFrame()->windowTitle(), "QUILLON Dexmoro - Out of Service");
    EXPECT_EQ(app.mainFrame()->bar()->folderCount(), 4);
}

TEST_F(StartupTest, AnOfflineStartOnAPortThatNeverOpenedShowsThePortErrorOnce) {
    prompter.then(PromptAnswer::Ok);
    answers = {QDialog::Accepted};
    StartupSeams s = seams();
    s.queryFeatureMask = {};  // the link's own question, on a link without a port
    CDexmoroApp app(s);
    ASSERT_TRUE(app.InitInstance());
    ASSERT_EQ(prompter.prompts().size(), 1);
    const Prompt& shown = prompter.prompts()[0];
    EXPECT_EQ(
        shown.text,
        "Serial Port Init Failed!\r\n\r\nClose Another Session Using Port.\n\r<On Commport>!");
    EXPECT_EQ(shown.icon, PromptIcon::Error);
    EXPECT_EQ(app.online, 0);
    EXPECT_EQ(appState().featureMask, 15);
}

TEST_F(StartupTest, AnOpenPortWithoutTheMakersAnswerIsStillAskedForItsFeatures) {
    portOpens = true;
    phoneMask = 12;
    answers = {QDialog::Accepted};
    CDexmoroApp app(seams());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(app.online, 0);
    EXPECT_EQ(maskQueries, 1);
    EXPECT_EQ(appState().featureMask, 12);
    EXPECT_EQ(app.mainFrame()->bar()->folderCount(), 2);
}

TEST_F(StartupTest, CancelInTheCableDialogEndsStartUpWithoutAWindow) {
    answers = {QDialog::Rejected};
    CDexmoroApp app(seams());
    EXPECT_FALSE(app.InitInstance());
    EXPECT_EQ(app.mainFrame(), nullptr);
    EXPECT_TRUE(prompter.prompts().isEmpty());
}

TEST_F(StartupTest, ManualSelectTriesAgainOnTheNewPort) {
    Profile::setValue("CONFIG", "PORT", 3);
    linksFound = {false, true};
    answers = {CableDetectionDialog::ManualSelect};
    StartupSeams s = seams();
    s.runCableDetection = [this] {
        ++dialogs;
        Profile::setValue("CONFIG", "PORT", 2);  // what the Option dialog stores
        return answers.takeFirst();
    };
    CDexmoroApp app(s);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(portsTried, (QList<int>{3, 2}));
    EXPECT_EQ(app.online, 1);
}

TEST_F(StartupTest, ManualSelectThroughTheRealDialogsThenOk) {
    Profile::setValue("CONFIG", "PORT", 3);
    StartupSeams s = seams();
    s.runCableDetection = {};  // the real cable dialog and Option dialog
    ModalScript script;
    script.then([](QWidget* cable) { clickButton(cable, "Manual Select"); })
        .then([](QWidget* option) {
            checkRadio(option, "COM2");
            clickButton(option, "OK");
        })
        .then([](QWidget* cable) { clickButton(cable, "OK"); });
    CDexmoroApp app(s);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(script.titles, (QStringList{"Quillon Velmarlink Cable Detection", "Option",
                                          "Quillon Velmarlink Cable Detection"}));
    EXPECT_EQ(portsTried, (QList<int>{3, 2}));
    EXPECT_EQ(app.online, 0);
}

namespace {
// The --device option for one test.
struct DeviceOption {
    explicit DeviceOption(const QString& path) { PhoneLink::setDevicePathOverride(path); }
    ~DeviceOption() { PhoneLink::setDevicePathOverride({}); }
};
}  // namespace

TEST_F(StartupTest, APortChosenThroughManualSelectWinsOverTheDeviceOption) {
    const DeviceOption option("/dev/pts/77");
    Profile::setValue("CONFIG", "PORT", 3);
    Profile::setValue("CONFIG", "DEVICE2", "/dev/ttyUSB0");
    StartupSeams s = seams();
    s.runCableDetection = {};
    ModalScript script;
    script.then([](QWidget* cable) { clickButton(cable, "Manual Select"); })
        .then([](QWidget* option) {
            checkRadio(option, "COM2");
            clickButton(option, "OK");
        })
        .then([](QWidget* cable) {
            EXPECT_EQ(cable->findChild<QLineEdit*>()->text(), "The current port is COM2 .");
            clickButton(cable, "OK");
        });
    CDexmoroApp app(s);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(devicesTried, (QStringList{"/dev/pts/77", "/dev/ttyUSB0"}));
    EXPECT_EQ(app.link->devicePath(), "/dev/ttyUSB0");
}

TEST_F(StartupTest, ManualSelectCancelledInTheOptionDialogKeepsTheDeviceOption) {
    const DeviceOption option("/dev/pts/77");
    StartupSeams s = seams();
    s.runCableDetection = {};
    ModalScript script;
    script.then([](QWidget* cable) { clickButton(cable, "Manual Select"); })
        .then([](QWidget* option) { clickButton(option, "Cancel"); })
        .then([](QWidget* cable) { clickButton(cable, "OK"); });
    CDexmoroApp app(s);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(devicesTried, (QStringList{"/dev/pts/77", "/dev/pts/77"}));
}

TEST_F(StartupTest, AQuitRequestClosesTheWindowSoItsClosingRuns) {
    linksFound = {true};
    CDexmoroApp app(seams());
    ASSERT_TRUE(app.InitInstance());
    CPTemp().AddDeletedRow(PcPhonebookEntry{});
    requestApplicationQuit();
    EXPECT_TRUE(app.mainFrame()->isVisible());  // only once the current command is done
    QCoreApplication::processEvents();
    EXPECT_FALSE(app.mainFrame()->isVisible());
    EXPECT_TRUE(CPTemp().isEmpty());
}

TEST_F(StartupTest, ASilentPhoneMaskFallsBackToTheFullSet) {
    linksFound = {true};
    phoneMask = 0;
    CDexmoroApp app(seams());
    ASSERT_TRUE(app.InitInstance());
    EXPECT_EQ(appState().featureMask, 15);
    EXPECT_EQ(app.mainFrame()->bar()->folderCount(), 4);
}

TEST_F(StartupTest, ScreenSizeDecidesBetweenMaximizedAndTheCreatedSize) {
    QWidget exact;
    exact.resize(1024, 768);
    CDexmoroApp::showMainWindow(&exact, QSize(1024, 768));
    EXPECT_TRUE(exact.isMaximized());

    QWidget wider;
    wider.resize(1024, 768);
    CDexmoroApp::showMainWindow(&wider, QSize(1025, 768));
    EXPECT_FALSE(wider.isMaximized());
    EXPECT_EQ(wider.size(), QSize(1024, 768));

    QWidget taller;
    CDexmoroApp::showMainWindow(&taller, QSize(1024, 769));
    EXPECT_FALSE(taller.isMaximized());

    QWidget smaller;
    CDexmoroApp::showMainWindow(&smaller, QSize(800, 600));
    EXPECT_TRUE(smaller.isMaximized());
}

TEST_F(StartupTest, StartUpShowsTheFrameMaximizedOnASmallScreen) {
    linksFound = {true};
    StartupSeams s = seams();
    s.screenArea = [] { return QSize(1024, 768); };
    CDexmoroApp app(s);
    ASSERT_TRUE(app.InitInstance());
    EXPECT_TRUE(app.mainFrame()->isMaximized());
}
