// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's commands that belong to no feature: service centre, linked programs, help.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTextBrowser>

#include "AppTestSupport.h"
#include "ModalScript.h"
#include "app/CMainFrame.h"
#include "app/HelpWindow.h"
#include "app/ProgramFileDialog.h"
#include "app/ServiceCentreDialog.h"
#include "db/DatabaseConnection.h"
#include "platform/Profile.h"
#include "shell/LinkedProgram.h"
#include "support/EnginePhoneLink.h"
#include "support/ScriptedPrompter.h"

namespace {

class ShellCommandsTest : public AppTest {
  protected:
    void TearDown() override {
        closeAllDatabases();
        AppTest::TearDown();
    }
};

class CountingLauncher : public ProgramLauncher {
  public:
    bool startAndWait(const QString& path) override {
        started.append(path);
        return true;
    }
    QStringList started;
};

}  // namespace

TEST_F(ShellCommandsTest, ServiceCenterDialogTakesAtMost21DialCharacters) {
    ServiceCentreDialog dialog("+447785016005");
    EXPECT_EQ(dialog.windowTitle(), "Service Center");
    EXPECT_TRUE(dialog.findChild<QLabel*>() && dialog.findChild<QLabel*>()->text() == "SCA :");
    QLineEdit* edit = dialog.addressEdit();
    EXPECT_EQ(edit->text(), "+447785016005");
    edit->clear();
    QTest::keyClicks(edit, "+12\"3,4;5" + QString(30, '6'));
    EXPECT_EQ(edit->text(), "+12345" + QString(15, '6'));
    EXPECT_EQ(edit->text().size(), 21);
}

TEST_F(ShellCommandsTest, ScaCommandShowsThePhonesAddressAndWritesTheEditedOne) {
    EnginePhoneLink phone;
    CMainFrame frame(&phone.link(), 15);
    ModalScript script;
    QString shown;
    script.then([&](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("scaEdit");
        shown = edit->text();
        edit->setText("+447700900111");
        clickButton(dialog, "OK");
    });
    frame.sca();
    EXPECT_EQ(script.titles, QStringList{"Service Center"});
    EXPECT_EQ(shown, "+447785016005");
    EXPECT_EQ(phone.engine().state().serviceCentre, "+447700900111");
}

TEST_F(ShellCommandsTest, ExecuteLinkedProgramFromTheOptionMenuStartsTheLinkedProgram) {
    EnginePhoneLink phone;
    CountingLauncher launcher;
    FrameHooks hooks;
    hooks.launcher = &launcher;
    hooks.chooseProgram = [] { return QString("/usr/bin/cutecom"); };
    CMainFrame frame(&phone.link(), 15, {}, hooks);
    frame.commandAction("Option", "Link Program")->trigger();
    EXPECT_EQ(Profile::value("Path", "communicator").toString(), "/usr/bin/cutecom");
    frame.commandAction("Option", "Execute Linked Program")->trigger();
    EXPECT_EQ(launcher.started, QStringList{"/usr/bin/cutecom"});
    EXPECT_EQ(phone.link().connected, 1);
}

TEST_F(ShellCommandsTest, OptionMenuOfEverySetReachesTheServiceCentreAndTheTerminalProgram) {
    for (int mask : {3, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15}) {
        SCOPED_TRACE(mask);
        EnginePhoneLink phone;
        CountingLauncher launcher;
        FrameHooks hooks;
        hooks.launcher = &launcher;
        hooks.chooseProgram = [] { return QString(); };
        Profile::setValue("Path", "communicator", "/usr/bin/minicom");
        CMainFrame frame(&phone.link(), mask, {}, hooks);

        QAction* sca = frame.commandAction("Option", "Service Center...");
        ASSERT_TRUE(sca);
        EXPECT_TRUE(sca->isEnabled());
        ModalScript script;
        script.then([](QWidget* dialog) { clickButton(dialog, "Cancel"); });
        sca->trigger();
        EXPECT_EQ(script.titles, QStringList{"Service Center"});

        QAction* terminal = frame.commandAction("Option", "Terminal Program");
        ASSERT_TRUE(terminal);
        terminal->trigger();
        EXPECT_EQ(launcher.started, QStringList{"/usr/bin/minicom"});
        EXPECT_EQ(phone.link().connected, 1);
    }
}

TEST_F(ShellCommandsTest, HelpOpensTheHelpPageFromTheMenuAndTheToolbar) {
    EnginePhoneLink phone;
    CMainFrame frame(&phone.link(), 15);
    QAction* contents = frame.commandAction("&Help", "&Contents...");
    ASSERT_TRUE(contents);
    contents->trigger();
    auto* help = frame.findChild<HelpWindow*>();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), "Dexmoro Help");
    EXPECT_TRUE(help->browser()->toPlainText().contains("Connecting the phone"));
    frame.commandAction("Toolbar", "Help")->trigger();
    EXPECT_EQ(frame.findChildren<HelpWindow*>().size(), 1);
}

TEST(ProgramFileDialogTest, FilterStringBecomesTheDialogsFilters) {
    EXPECT_EQ(ProgramFileDialog::nameFilters(kProgramFileFilter),
              (QStringList{"exe Files (*.exe)", "All Files (*)"}));
    EXPECT_EQ(ProgramFileDialog::nameFilters("Text|*.txt||"), QStringList{"Text (*.txt)"});
}
