// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>

#include "platform/Profile.h"
#include "platform/ProgramLauncher.h"
#include "platform/WorkDir.h"
#include "shell/LinkedProgram.h"
#include "support/EnginePhoneLink.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

// Starts nothing: records each start and whether the phone's port was free meanwhile.
class RecordingLauncher : public ProgramLauncher {
  public:
    explicit RecordingLauncher(PhoneLink& link) : link_(link) {}
    bool startAndWait(const QString& path) override {
        started.append(path);
        portFreeWhileRunning.append(link_.connected == 0);
        return startable.contains(path);
    }
    QStringList startable;
    QStringList started;
    QList<bool> portFreeWhileRunning;

  private:
    PhoneLink& link_;
};

class LinkedProgramTest : public ::testing::Test {
  protected:
    LinkedProgramTest() {
        Profile::useFolder(dir.path());
        g_workDir = dir.path();
    }
    ~LinkedProgramTest() override {
        Profile::useFolder({});
        g_workDir.clear();
    }

    ProgramChooser chooser() {
        return [this] {
            ++choices;
            // A file dialog may leave the process in another folder.
            QDir::setCurrent(QDir::tempPath());
            return chosen;
        };
    }
    static QString linked() { return Profile::value("Path", "communicator").toString(); }
    static QString title() { return Profile::value("Path", "title").toString(); }

    TempWorkDir dir;
    EnginePhoneLink phone;
    RecordingLauncher launcher{phone.link()};
    ScriptedPrompter prompter;
    QString chosen;
    int choices = 0;
};

}  // namespace

TEST_F(LinkedProgramTest, LinkProgramStoresTheChoiceAndReturnsToTheFolder) {
    const QString folder = QDir::currentPath();
    chosen = "/opt/tools/cutecom";
    LinkProgram(chooser());
    EXPECT_EQ(linked(), "/opt/tools/cutecom");
    EXPECT_EQ(title(), "cutecom");
    EXPECT_EQ(QDir::currentPath(), folder);
    EXPECT_EQ(g_workDir, folder);

    chosen.clear();  // Cancel keeps the program linked before
    LinkProgram(chooser());
    EXPECT_EQ(linked(), "/opt/tools/cutecom");
    EXPECT_EQ(QDir::currentPath(), folder);
}

TEST_F(LinkedProgramTest,
       ExecuteWithNothingLinkedAsksThenStartsTheChoiceAtOnceAndLaterWithoutAsking) {
    chosen = "/usr/bin/term";
    launcher.startable = {chosen};
    prompter.then(PromptAnswer::Ok);
    ExecuteLinkedProgram(phone.link(), chooser(), launcher, prompterAsker());
    ASSERT_EQ(prompter.prompts().size(), 1);
    const Prompt& prompt = prompter.prompts()[0];
    EXPECT_EQ(prompt.text,
              "You haven't chosen the program you want. Select the program before you proceed");
    EXPECT_EQ(prompt.caption, "No Application Selected");
    EXPECT_EQ(prompt.buttons, PromptButtons::OkCancel);
    EXPECT_EQ(prompt.icon, PromptIcon::Information);
    EXPECT_EQ(launcher.started, QStringList{"/usr/bin/term"});
    EXPECT_EQ(launcher.portFreeWhileRunning, QList<bool>{true});
    EXPECT_EQ(phone.link().connected, 1);
    EXPECT_EQ(linked(), "/usr/bin/term");
    EXPECT_EQ(QDir::currentPath(), dir.path());

    ExecuteLinkedProgram(phone.link(), chooser(), launcher, prompterAsker());
    EXPECT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(choices, 1);
    EXPECT_EQ(launcher.started.size(), 2);
}

TEST_F(LinkedProgramTest, ExecuteCancelledAtEitherQuestionStartsNothingAndKeepsThePort) {
    prompter.then(PromptAnswer::Cancel).then(PromptAnswer::Ok);
    ExecuteLinkedProgram(phone.link(), chooser(), launcher, prompterAsker());
    EXPECT_EQ(choices, 0);
    ExecuteLinkedProgram(phone.link(), chooser(), launcher,
                         prompterAsker());  // file dialog cancelled
    EXPECT_EQ(choices, 1);
    EXPECT_TRUE(launcher.started.isEmpty());
    EXPECT_EQ(phone.link().connected, 1);
    EXPECT_TRUE(linked().isEmpty());
}

TEST_F(LinkedProgramTest, ALinkedProgramThatFailsToStartIsNotReportedAndThePortReopens) {
    Profile::setValue("Path", "communicator", "/nowhere/prog");
    ExecuteLinkedProgram(phone.link(), chooser(), launcher, prompterAsker());
    EXPECT_EQ(launcher.started, QStringList{"/nowhere/prog"});
    EXPECT_TRUE(prompter.prompts().isEmpty());
    EXPECT_EQ(phone.link().connected, 1);
    EXPECT_TRUE(phone.link().Identify());
}

TEST_F(LinkedProgramTest, TerminalOfTheSystemOverwritesTheLinkedProgram) {
    Profile::setValue("Path", "communicator", "/usr/bin/other");
    launcher.startable = {"/usr/bin/systerm"};
    RunTerminalProgram(phone.link(), chooser(), launcher,
                       TerminalProgram{"/usr/bin/systerm", "Systerm"}, prompterAsker());
    EXPECT_EQ(linked(), "/usr/bin/systerm");
    EXPECT_EQ(title(), "Systerm");
    EXPECT_EQ(launcher.started, QStringList{"/usr/bin/systerm"});
    EXPECT_EQ(launcher.portFreeWhileRunning, QList<bool>{true});
    EXPECT_TRUE(prompter.prompts().isEmpty());
    EXPECT_EQ(phone.link().connected, 1);
}

TEST_F(LinkedProgramTest, TerminalNotFoundCancelledStillReconnects) {
    prompter.then(PromptAnswer::Cancel);
    RunTerminalProgram(phone.link(), chooser(), launcher, std::nullopt, prompterAsker());
    ASSERT_EQ(prompter.prompts().size(), 1);
    const Prompt& prompt = prompter.prompts()[0];
    EXPECT_EQ(prompt.text,
              "We can't find the HyperTerminal Program. Select the program before you proceed");
    EXPECT_EQ(prompt.caption, "No HyperTermianl");
    EXPECT_EQ(prompt.buttons, PromptButtons::OkCancel);
    EXPECT_EQ(prompt.icon, PromptIcon::Information);
    EXPECT_EQ(choices, 0);
    EXPECT_EQ(phone.link().connected, 1);
}

TEST_F(LinkedProgramTest, TerminalNotFoundThenChosenStartsTheChoiceAndLinksIt) {
    chosen = "/usr/bin/minicom";
    launcher.startable = {chosen};
    prompter.then(PromptAnswer::Ok);
    RunTerminalProgram(phone.link(), chooser(), launcher, std::nullopt, prompterAsker());
    EXPECT_EQ(launcher.started, (QStringList{"", "/usr/bin/minicom"}));
    EXPECT_EQ(launcher.portFreeWhileRunning, (QList<bool>{true, true}));
    EXPECT_EQ(linked(), "/usr/bin/minicom");
    EXPECT_EQ(title(), "minicom");
    EXPECT_EQ(QDir::currentPath(), dir.path());
    EXPECT_EQ(phone.link().connected, 1);
}
