// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "db/DatabaseConnection.h"
#include "phone/AppState.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/ui/PhonebookPickerDialog.h"
#include "platform/Profile.h"
#include "sms/CSmsDB.h"
#include "sms/MessageCompose.h"
#include "sms/RedialList.h"
#include "sms/ui/CAddNumberDlg.h"
#include "sms/ui/CNewMessageDlg.h"
#include "sms/ui/SmsDialogRunner.h"
#include "support/EnginePhoneLink.h"
#include "support/OfflineLink.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

PhoneSimState fullSim() {
    PhoneSimState state = PhoneSimState::demo();
    for (int index = 1; index <= state.smMessages.capacity; ++index) {
        PhoneSimMessage message;
        message.status = "STO SENT";
        message.address = "0123";
        message.text = "x";
        state.smMessages.messages[index] = message;
    }
    return state;
}

void clickRadio(QRadioButton* radio) {
    ASSERT_NE(radio, nullptr);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(6, radio->height() / 2));
}

class NewMessageDialogTest : public ::testing::Test {
  protected:
    NewMessageDialogTest() { Profile::useFolder(dir.path()); }
    ~NewMessageDialogTest() override {
        setSmsDialogRunner({});
        setAddNumberAsker({});
        Profile::useFolder({});
        closeAllDatabases();
    }

    // Every dialog the compose dialog runs, by title; the handler decides its end.
    void runDialogsWith(std::function<int(QDialog&)> handler) {
        setSmsDialogRunner([this, handler](QDialog& dialog) {
            dialogs << dialog.windowTitle();
            dialog.show();
            return handler(dialog);
        });
    }

    TempWorkDir dir;
    ScriptedPrompter prompter;
    QStringList dialogs;
};

}  // namespace

TEST_F(NewMessageDialogTest, OffLineOpensWithSaveOnlyAndSavesToTheTable) {
    OfflineLink offline;
    CNewMessageDlg dialog(*offline.link);
    dialog.setName("stale");  // mode 2 empties what was prefilled
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Make New Message");
    EXPECT_TRUE(dialog.name().isEmpty());
    EXPECT_FALSE(dialog.sendChoiceButton(kSendOnly)->isEnabled());
    EXPECT_FALSE(dialog.sendChoiceButton(kSendAndSave)->isEnabled());
    EXPECT_TRUE(dialog.sendChoiceButton(kSaveOnly)->isChecked());
    EXPECT_FALSE(dialog.voiceButton()->isEnabled());
    EXPECT_EQ(dialog.replyPathChoice(), 1);
    EXPECT_EQ(dialog.counter()->text(), "0 / 160");
    EXPECT_EQ(dialog.validityCombo()->itemText(5), "Max Time");
    EXPECT_EQ(dialog.sendChoiceButton(kSendAndSave)->text(), "Send && Save");

    QTest::keyClicks(dialog.numberEdit(), "0123");
    QTest::keyClicks(dialog.messageEdit(), "Hi");
    QTest::keyClick(dialog.messageEdit(), Qt::Key_Return);
    QTest::keyClicks(dialog.messageEdit(), "there");
    EXPECT_EQ(dialog.counter()->text(), "9 / 160");  // the line end counts as CR LF
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.done());

    CSmsDB store;
    store.Requery();
    ASSERT_EQ(store.GetRecordCount(), 1);
    store.MoveFirst();
    EXPECT_EQ(store.textValue("Number"), "1");
    EXPECT_EQ(store.textValue("Status"), "Not Sent");
    EXPECT_EQ(store.textValue("Date"), "1 hour");
    EXPECT_EQ(store.textValue("Message"), "Hi\r\nthere");
}

TEST_F(NewMessageDialogTest, MessageStopsAt160AndNumberAt20Or21) {
    OfflineLink offline;
    CNewMessageDlg dialog(*offline.link);
    dialog.show();
    QTest::keyClicks(dialog.messageEdit(), QString(159, 'a'));
    QTest::keyClicks(dialog.messageEdit(), "bc");
    EXPECT_EQ(dialog.counter()->text(), "160 / 160");
    EXPECT_EQ(dialog.message(), QString(159, 'a') + "b");
    // A line end needs two places.
    dialog.setMessage(QString(159, 'a'));
    QTest::keyClick(dialog.messageEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.message(), QString(159, 'a'));

    QTest::keyClicks(dialog.numberEdit(), "0123456789012345678901234");
    EXPECT_EQ(dialog.number(), "01234567890123456789");
    dialog.numberEdit()->clear();
    QTest::keyClicks(dialog.numberEdit(), "+0123456789012345678901234");
    EXPECT_EQ(dialog.number(), "+01234567890123456789");
}

// In PDU format the counter tells parts and room left, and the edit stops at ten parts.
TEST_F(NewMessageDialogTest, PduFormatCountsPartsUpToTen) {
    appState().runSettings.smsFormat = SmsFormat::Pdu;
    OfflineLink offline;
    offline.link->settings.smsFormat = SmsFormat::Pdu;
    CNewMessageDlg dialog(*offline.link);
    dialog.show();
    dialog.setMessage(QString(200, 'a'));
    EXPECT_EQ(dialog.counter()->text(), "2 messages, 106 characters left");
    dialog.setMessage(QString(1530, 'a'));
    QTest::keyClicks(dialog.messageEdit(), "b");
    EXPECT_EQ(dialog.message().size(), 1530);
    appState().runSettings.smsFormat.reset();
}

TEST_F(NewMessageDialogTest, MissingFieldsAndUnsafeTextKeepTheDialogAndItsValues) {
    EnginePhoneLink phone;
    CNewMessageDlg dialog(phone.link());
    dialog.show();
    QTest::keyClicks(dialog.messageEdit(), "Text kept");
    prompter.then(PromptAnswer::Ok).then(PromptAnswer::Ok);
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.message(), "Text kept");
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "You must input Number field");
    EXPECT_EQ(prompter.prompts()[0].caption, "ERROR");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Error);

    dialog.setMessage(QString("stop\x1bhere"));
    QTest::keyClicks(dialog.numberEdit(), "0123");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(prompter.prompts().size(), 2);
    EXPECT_TRUE(prompter.prompts()[1].text.contains("ESC"));
    EXPECT_TRUE(phone.engine().state().outbox.empty());

    dialog.setMessage("fine");
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.done());
    ASSERT_EQ(phone.engine().state().outbox.size(), 1u);
    EXPECT_EQ(phone.engine().state().outbox[0].text, "fine");
}

TEST_F(NewMessageDialogTest, RefusedSendKeepsTheDialogAndNamesTheReason) {
    EnginePhoneLink phone;
    PhoneSimFaults faults;
    faults.errorPattern = "+cmgs";
    faults.cmsError = 330;
    phone.engine().setFaults(faults);
    CNewMessageDlg dialog(phone.link());
    dialog.show();
    QTest::keyClicks(dialog.numberEdit(), "0123");
    QTest::keyClicks(dialog.messageEdit(), "Not lost");
    prompter.then(PromptAnswer::Ok);
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.number(), "0123");
    EXPECT_EQ(dialog.message(), "Not lost");
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "Fail sending message: SMSC address unknown");
    EXPECT_EQ(prompter.prompts()[0].caption, "Send Message");
}

TEST_F(NewMessageDialogTest, FullSimDisablesTheSaveChoices) {
    EnginePhoneLink phone(fullSim());
    CNewMessageDlg dialog(phone.link());
    dialog.setComposeMode(CNewMessageDlg::ReplyMode);
    dialog.setName("Ann");
    dialog.setNumber("+4411");
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Reply Message");
    EXPECT_EQ(dialog.name(), "Ann");
    EXPECT_EQ(dialog.number(), "+4411");
    EXPECT_TRUE(dialog.sendChoiceButton(kSendOnly)->isEnabled());
    EXPECT_TRUE(dialog.sendChoiceButton(kSendOnly)->isChecked());
    EXPECT_FALSE(dialog.sendChoiceButton(kSendAndSave)->isEnabled());
    EXPECT_FALSE(dialog.sendChoiceButton(kSaveOnly)->isEnabled());
}

TEST_F(NewMessageDialogTest, TwoEqualSendsLeaveOneRedialPair) {
    EnginePhoneLink phone;
    for (int run = 0; run < 2; ++run) {
        CNewMessageDlg dialog(phone.link());
        dialog.show();
        QTest::keyClicks(dialog.nameEdit(), "Ann");
        QTest::keyClicks(dialog.numberEdit(), "+4411");
        QTest::keyClicks(dialog.messageEdit(), "Hello");
        clickRadio(dialog.findChild<QRadioButton*>("replyPathOn"));
        dialog.validityCombo()->setCurrentIndex(4);
        dialog.accept();
        EXPECT_TRUE(dialog.done());
    }
    ASSERT_EQ(phone.engine().state().outbox.size(), 2u);
    EXPECT_EQ(phone.engine().state().outbox[1].firstOctet, 145);  // reply path on
    EXPECT_EQ(phone.engine().state().outbox[1].validity, 173);
    const QList<RedialEntry> redial = readRedialList();
    EXPECT_EQ(redial[0], (RedialEntry{"Ann", "+4411"}));
    EXPECT_EQ(redial[1], RedialEntry{});
}

TEST_F(NewMessageDialogTest, PickedEntryIsCutBeforeItsExtensionAndNotOffered) {
    {
        CPCListDB pc;
        PcPhonebookEntry entry;
        entry.number = 1;
        entry.name = "Pat";
        entry.mainNumber = "0123P45";
        pc.AddRow(entry);
    }
    EXPECT_EQ(messageAddressOf("0123P45/6p7"), "0123");
    EXPECT_EQ(messageAddressOf("0123/45p6"), "0123");
    EXPECT_EQ(messageAddressOf("0123p45"), "0123");
    EXPECT_EQ(messageAddressOf("+4411"), "+4411");

    EnginePhoneLink phone;
    installAddNumberDialog();
    runDialogsWith([](QDialog& dialog) {
        auto* picker = qobject_cast<PhonebookPickerDialog*>(&dialog);
        if (!picker) {
            return int(QDialog::Rejected);
        }
        picker->showMemory(2);
        picker->list()->setCurrentItem(picker->list()->topLevelItem(0));
        picker->accept();
        return picker->result();
    });
    CNewMessageDlg dialog(phone.link());
    dialog.show();
    QTest::mouseClick(dialog.pickerButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.number(), "0123");
    EXPECT_EQ(dialog.name(), "Pat");
    clickRadio(dialog.sendChoiceButton(kSaveOnly));
    QTest::keyClicks(dialog.messageEdit(), "Note");
    dialog.accept();
    EXPECT_TRUE(dialog.done());
    EXPECT_EQ(dialogs, QStringList{"Display Phonebook Data"});  // no "Add Phone Number?"
    EXPECT_EQ(phone.engine().state().smMessages.messages.at(5).address, "0123");
}

TEST_F(NewMessageDialogTest, NewCorrespondentIsOfferedAndSavedToTheChosenPhonebook) {
    EnginePhoneLink phone;
    installAddNumberDialog();
    QString shownName;
    QString shownNumber;
    runDialogsWith([&](QDialog& dialog) {
        auto* offer = qobject_cast<CAddNumberDlg*>(&dialog);
        if (!offer) {
            return int(QDialog::Rejected);
        }
        shownName = offer->findChild<QLabel*>("nameLabel")->text();
        shownNumber = offer->findChild<QLabel*>("numberLabel")->text();
        EXPECT_EQ(offer->memory(), 2);
        clickRadio(offer->findChild<QRadioButton*>("msRadio"));
        QTest::mouseClick(offer->findChild<QPushButton*>("saveButton"), Qt::LeftButton);
        return offer->result();
    });
    CNewMessageDlg dialog(phone.link());
    dialog.show();
    QTest::keyClicks(dialog.nameEdit(), "Zed");
    QTest::keyClicks(dialog.numberEdit(), "+4477");
    QTest::keyClicks(dialog.messageEdit(), "Saved");
    clickRadio(dialog.sendChoiceButton(kSendAndSave));
    dialog.accept();
    EXPECT_EQ(dialogs, QStringList{"Add Phone Number?"});
    EXPECT_EQ(shownName, "Zed");
    EXPECT_EQ(shownNumber, "+4477");
    // The phone-memory table is empty here, so its first free index is 1.
    EXPECT_EQ(phone.engine().state().me.entries.at(1).name, "Zed");
    bool storedWithModeZero = false;
    for (const QByteArray& written : phone.line().writes()) {
        storedWithModeZero |= written.startsWith("at+cpbw=1,0,");
    }
    EXPECT_TRUE(storedWithModeZero);
    EXPECT_EQ(phone.engine().state().smMessages.messages.at(5).status, "STO SENT");
}
