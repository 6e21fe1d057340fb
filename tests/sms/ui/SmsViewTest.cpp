// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "db/DatabaseConnection.h"
#include "platform/Profile.h"
#include "sms/CSmsDB.h"
#include "sms/MessageCompose.h"
#include "sms/ui/CMessageViewDlg.h"
#include "sms/ui/CNewMessageDlg.h"
#include "sms/ui/CSaveToSimDlg.h"
#include "sms/ui/CSmsView.h"
#include "sms/ui/SmsDialogRunner.h"
#include "support/EnginePhoneLink.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"

namespace {

// The demo SIM, loaded: lines in location order 1 Read, 2 UnRead, 3 Read, 4 Not Sent,
// 6 Sent, 7 Read (a delivery report).
class SmsViewTest : public ::testing::Test {
  protected:
    SmsViewTest() { Profile::useFolder(dir.path()); }
    ~SmsViewTest() override {
        view.reset();
        setSmsDialogRunner({});
        setAddNumberAsker({});
        Profile::useFolder({});
        closeAllDatabases();
    }

    void open() {
        view = std::make_unique<CSmsView>(phone.link(), true);
        view->store().setSort("Number ASC");
        view->fillList();
    }
    void select(int position) {
        view->list()->clearSelection();
        view->list()->setCurrentItem(view->list()->topLevelItem(position));
        view->clickLine(position);
    }
    QStringList statuses() const {
        QStringList out;
        for (int i = 0; i < view->list()->topLevelItemCount(); ++i) {
            out << view->list()->topLevelItem(i)->text(4);
        }
        return out;
    }
    void runDialogsWith(std::function<int(QDialog&)> handler) {
        setSmsDialogRunner([this, handler](QDialog& dialog) {
            dialogs << dialog.windowTitle();
            dialog.show();
            return handler(dialog);
        });
    }

    AppStateOwner run;
    TempWorkDir dir;
    ScriptedPrompter prompter;
    EnginePhoneLink phone;
    std::unique_ptr<CSmsView> view;
    QStringList dialogs;
};

}  // namespace

TEST_F(SmsViewTest, OpensLoadedAndStartsTheIndicationTimer) {
    open();
    EXPECT_EQ(appState().messagesLoaded, 1);
    EXPECT_EQ(statuses(), (QStringList{"Read", "UnRead", "Read", "Not Sent", "Sent", "Read"}));
    EXPECT_EQ(view->totalLabel()->text(), "TOTAL : 6 / 10 ");
    EXPECT_EQ(view->list()->headerItem()->text(1), "Phone Number");
    EXPECT_TRUE(view->indicationTimer()->isActive());
    EXPECT_EQ(view->indicationTimer()->interval(), CSmsView::kIndicationTimerMs);
    EXPECT_TRUE(view->replyEnabled() && view->forwardEnabled() && view->resendEnabled());
}

TEST_F(SmsViewTest, ClickedStatusDecidesTheFlagsAndTheLabel) {
    open();
    select(1);  // UnRead
    EXPECT_TRUE(view->replyEnabled());
    EXPECT_TRUE(view->forwardEnabled());
    EXPECT_FALSE(view->resendEnabled());
    EXPECT_EQ(view->locationLabel()->text(), "SIM 2");
    EXPECT_EQ(view->preview()->toPlainText(), "Dinner on Friday? Let me know.");

    select(3);  // Not Sent
    EXPECT_FALSE(view->replyEnabled());
    EXPECT_FALSE(view->forwardEnabled());
    EXPECT_TRUE(view->resendEnabled());

    prompter.then(PromptAnswer::Ok).then(PromptAnswer::Ok);
    view->replyMessage();
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "Can't reply message!");
    EXPECT_EQ(prompter.prompts()[0].caption, "Error");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Warning);

    view->list()->clearSelection();
    view->clickLine(-1);
    EXPECT_TRUE(view->replyEnabled() && view->forwardEnabled() && view->resendEnabled());
    view->forwardMessage();
    EXPECT_EQ(prompter.prompts().last().text, "Please Select Message.");
}

TEST_F(SmsViewTest, ContextMenuGreysByTheSelection) {
    open();
    auto enabled = [](QMenu& menu) {
        QStringList out;
        for (QAction* action : menu.actions()) {
            if (!action->isSeparator() && action->isEnabled()) {
                out << action->text();
            }
        }
        return out;
    };
    EXPECT_EQ(enabled(*view->contextMenu()), (QStringList{"New", "Delete All", "Reload"}));
    select(4);  // Sent
    EXPECT_EQ(enabled(*view->contextMenu()),
              (QStringList{"New", "View", "Resend", "Delete", "Delete All", "Reload"}));
    select(0);  // Read
    EXPECT_EQ(enabled(*view->contextMenu()),
              (QStringList{"New", "View", "Reply", "Forward", "Delete", "Delete All", "Reload"}));
}

TEST_F(SmsViewTest, StatusBoxesAndAll) {
    open();
    QTest::mouseClick(view->statusBox(kSmsRead), Qt::LeftButton, {},
                      QPoint(6, view->statusBox(kSmsRead)->height() / 2));
    EXPECT_FALSE(view->statusBox(kSmsRead)->isChecked());
    EXPECT_FALSE(view->allBox()->isChecked());
    EXPECT_EQ(statuses(), (QStringList{"UnRead", "Not Sent", "Sent"}));

    QTest::mouseClick(view->allBox(), Qt::LeftButton, {}, QPoint(6, view->allBox()->height() / 2));
    EXPECT_TRUE(view->allBox()->isChecked());
    for (int bit : {1, 2, 4, 8}) {
        EXPECT_TRUE(view->statusBox(bit)->isChecked()) << bit;
    }
    EXPECT_EQ(statuses().size(), 6);

    QTest::mouseClick(view->allBox(), Qt::LeftButton, {}, QPoint(6, view->allBox()->height() / 2));
    EXPECT_FALSE(view->statusBox(kSmsSent)->isChecked());
    EXPECT_TRUE(statuses().isEmpty());
    EXPECT_EQ(view->totalLabel()->text(), "TOTAL : 0");
}

TEST_F(SmsViewTest, ViewWithoutSelectionComposesANewMessage) {
    open();
    runDialogsWith([](QDialog&) { return int(QDialog::Rejected); });
    view->viewMessage();
    EXPECT_EQ(dialogs, QStringList{"Make New Message"});
    // The toolbar form asks for a selection instead.
    prompter.then(PromptAnswer::Ok);
    view->editEntry();
    EXPECT_EQ(dialogs.size(), 1);
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "You must select SMS item to view the data");
}

TEST_F(SmsViewTest, ReceivedMessageOffersForwardReplyWithAFixedNumber) {
    open();
    bool visible = false;
    bool readOnly = false;
    QString caption;
    runDialogsWith([&](QDialog& dialog) {
        auto* viewDialog = qobject_cast<CMessageViewDlg*>(&dialog);
        visible = viewDialog->secondButton()->isVisible();
        caption = viewDialog->secondButton()->text();
        readOnly = viewDialog->numberEdit()->isReadOnly();
        EXPECT_EQ(viewDialog->values().pid, "text");
        EXPECT_EQ(viewDialog->values().type, "Read");
        return int(QDialog::Accepted);
    });
    select(0);
    view->viewMessage();
    EXPECT_TRUE(visible);
    EXPECT_EQ(caption, "FORWARD/REPLY");
    EXPECT_TRUE(readOnly);

    select(5);  // the delivery report
    view->viewMessage();
    EXPECT_FALSE(visible);
    EXPECT_FALSE(appState().reportFlag);
}

TEST_F(SmsViewTest, ResendWithNoSendsAgainWithTheShownValidity) {
    open();
    runDialogsWith([&](QDialog& dialog) {
        if (auto* viewDialog = qobject_cast<CMessageViewDlg*>(&dialog)) {
            EXPECT_EQ(viewDialog->secondButton()->text(), "RESEND");
            EXPECT_EQ(viewDialog->values().validity, "24 hour");
            QTest::mouseClick(viewDialog->secondButton(), Qt::LeftButton);
            return viewDialog->result();
        }
        EXPECT_TRUE(qobject_cast<CSaveToSimDlg*>(&dialog));
        QTest::mouseClick(dialog.findChild<QPushButton*>("noButton"), Qt::LeftButton);
        return dialog.result();
    });
    select(3);  // Not Sent, validity 167
    view->viewMessage();
    EXPECT_EQ(dialogs, (QStringList{"Message View", "Are you Save Message to SIM?"}));
    const auto& outbox = phone.engine().state().outbox;
    ASSERT_EQ(outbox.size(), 1u);
    EXPECT_EQ(outbox[0].text, "Happy birthday, Mum!");
    EXPECT_EQ(outbox[0].validity, 167);
    EXPECT_EQ(outbox[0].firstOctet, 17);
    EXPECT_EQ(phone.engine().state().smMessages.messages.size(), 6u);  // nothing saved
}

TEST_F(SmsViewTest, ReplyPrefillsFromTheLine) {
    open();
    QString name, number, message;
    int mode = 0;
    runDialogsWith([&](QDialog& dialog) {
        auto* compose = qobject_cast<CNewMessageDlg*>(&dialog);
        name = compose->name();
        number = compose->number();
        message = compose->message();
        mode = compose->composeMode();
        return int(QDialog::Rejected);
    });
    select(1);
    view->replyMessage();
    EXPECT_EQ(mode, CNewMessageDlg::ReplyMode);
    EXPECT_EQ(dialogs.last(), "Reply Message");
    EXPECT_EQ(number, "+447700900456");
    EXPECT_TRUE(message.isEmpty());
    view->forwardMessage();
    EXPECT_EQ(dialogs.last(), "Forward Message");
    EXPECT_TRUE(number.isEmpty());
    EXPECT_EQ(message, "Dinner on Friday? Let me know.");
}

TEST_F(SmsViewTest, DeleteAllAnsweredNoAndTheUpKeyOnTheFirstLineChangeNothing) {
    open();
    prompter.then(PromptAnswer::No);
    view->deleteAllMessages();
    EXPECT_EQ(prompter.prompts()[0].text, "Do you want to delete all SMS data ?");
    EXPECT_EQ(prompter.prompts()[0].caption, "Delete All");
    EXPECT_EQ(prompter.prompts()[0].defaultAnswer, PromptAnswer::No);
    EXPECT_EQ(statuses().size(), 6);
    EXPECT_EQ(phone.engine().state().smMessages.messages.size(), 6u);

    select(0);
    const QString label = view->locationLabel()->text();
    QTest::keyClick(view->list(), Qt::Key_Up);
    EXPECT_EQ(view->locationLabel()->text(), label);
    QTest::keyClick(view->list(), Qt::Key_Down);
    EXPECT_EQ(view->locationLabel()->text(), "SIM 2");

    select(2);
    prompter.then(PromptAnswer::Yes);
    QTest::keyClick(view->list(), Qt::Key_Delete);
    EXPECT_EQ(prompter.prompts().last().text, "Do you want to delete the selected message?");
    EXPECT_EQ(statuses().size(), 5);
    EXPECT_EQ(phone.engine().state().smMessages.messages.count(3), 0u);
}

TEST_F(SmsViewTest, DeletingFourAnsweredNoKeepsThemOnThePhone) {
    open();
    for (int position = 0; position < 4; ++position) {
        view->list()->topLevelItem(position)->setSelected(true);
    }
    prompter.then(PromptAnswer::No);
    QTest::keyClick(view->list(), Qt::Key_Delete);
    ASSERT_EQ(prompter.prompts().size(), 1);
    const Prompt& asked = prompter.prompts()[0];
    EXPECT_EQ(asked.text, "Do you want to delete the 4 selected messages?");
    EXPECT_EQ(asked.caption, "Delete");
    EXPECT_EQ(asked.buttons, PromptButtons::YesNo);
    EXPECT_EQ(asked.defaultAnswer, PromptAnswer::No);
    EXPECT_EQ(statuses().size(), 6);
    EXPECT_EQ(phone.engine().state().smMessages.messages.size(), 6u);
}

TEST_F(SmsViewTest, ResendOffersTheStoredValidity) {
    open();
    int validity = -1;
    runDialogsWith([&](QDialog& dialog) {
        validity = qobject_cast<CNewMessageDlg*>(&dialog)->validityChoice();
        return int(QDialog::Rejected);
    });
    select(3);  // Not Sent, "24 hour"
    view->resendMessage();
    EXPECT_EQ(dialogs.last(), "Resend Message");
    EXPECT_EQ(validity, 3);
}

TEST_F(SmsViewTest, IndicationTickSetsAndReportsTwice) {
    Transcript transcript;
    QString error;
    ASSERT_TRUE(
        Transcript::parse("host  at+cnmi=?\\r\n"
                          "phone 1,1,1,0,0\\r\\n\\r\\nOK\\r\\n\n"
                          "host  at+cnmi=1,1,1,0,0\\r\n"
                          "phone 7,Anna\\r\\n\\r\\nOK\\r\\n\n"
                          "host  at+cnmi=1,1,1,0,0\\r\n"
                          "phone 8,Ben\\r\\n\\r\\nOK\\r\\n\n"
                          "host  at+cnmi=?\\r\n"
                          "phone 0,0,0,0,0\\r\\n\\r\\nOK\\r\\n\n",
                          "indication", &transcript, &error))
        << error.toStdString();
    TranscriptReplay replay(transcript);
    PhoneLink& link = replay.connectThenReplay();
    appState().messagesLoaded = 1;  // loaded already: the view does not load again
    CSmsView replayed(link, true);
    EXPECT_TRUE(replayed.indicationTimer()->isActive());
    replayed.indicationTimer()->stop();
    prompter.then(PromptAnswer::Ok).then(PromptAnswer::Ok);
    replayed.indicationTick();
    ASSERT_EQ(prompter.prompts().size(), 2);
    EXPECT_EQ(prompter.prompts()[0].text, "New Message Indication Anna From 7 ");
    EXPECT_EQ(prompter.prompts()[0].caption, "New Message Indication");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::None);
    EXPECT_EQ(prompter.prompts()[1].text, "New Message Indication Ben From 8 ");
    EXPECT_EQ(appState().messagesLoaded, 0);
    // Re-armed because the tick began with a load counted.
    EXPECT_TRUE(replayed.indicationTimer()->isActive());
    replayed.indicationTimer()->stop();
    replayed.indicationTick();  // nothing loaded since: the check runs but does not re-arm
    EXPECT_FALSE(replayed.indicationTimer()->isActive());
    EXPECT_EQ(prompter.prompts().size(), 2);
    EXPECT_TRUE(replay.matched());
}

TEST_F(SmsViewTest, EnterOnAMessageRowViewsItAsADoubleClickDoes) {
    open();
    runDialogsWith([](QDialog&) { return int(QDialog::Rejected); });
    select(0);
    QTest::keyClick(view->list(), Qt::Key_Return);
    EXPECT_EQ(dialogs, QStringList{"Message View"});
}
