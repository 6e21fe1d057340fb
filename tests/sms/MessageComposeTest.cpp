// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "platform/Notice.h"
#include "platform/Profile.h"
#include "sms/CSmsDB.h"
#include "sms/MessageCompose.h"
#include "sms/RedialList.h"
#include "sms/SendFailure.h"
#include "support/EnginePhoneLink.h"
#include "support/OfflineLink.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

ComposeValues composed(int sendChoice, const QString& number = "+447700900123",
                       const QString& text = "See you at 10", const QString& name = "Alice") {
    ComposeValues values;
    values.name = name;
    values.number = number;
    values.message = text;
    values.sendChoice = sendChoice;
    return values;
}

// As the dialog runs them: the question and the notices go through the scripted prompter.
ComposeResult sendAndSave(PhoneLink& link, const ComposeValues& values) {
    ComposeResult result = SendAndSave(link, values, prompterAsker());
    showNotices(result.notices);
    return result;
}

void offerAddNumber(PhoneLink& link, const QString& name, const QString& number) {
    showNotices(OfferAddNumber(link, name, number, prompterAsker()));
}

struct StoredRow {
    QString number, name, phoneNumber, date, status, message;
};

QList<StoredRow> storedRows() {
    CSmsDB all;
    all.setSort("Number ASC");
    all.Requery();
    QList<StoredRow> rows;
    for (bool more = all.MoveFirst(); more && !all.IsEOF(); more = all.MoveNext()) {
        rows.append({all.textValue("Number"), all.textValue("Name"), all.textValue("PhoneNumber"),
                     all.textValue("Date"), all.textValue("Status"), all.textValue("Message")});
    }
    return rows;
}

bool anyWriteHolds(EnginePhoneLink& phone, const QByteArray& part) {
    for (const QByteArray& written : phone.line().writes()) {
        if (written.contains(part)) {
            return true;
        }
    }
    return false;
}

class MessageComposeTest : public ::testing::Test {
  protected:
    MessageComposeTest() {
        Profile::useFolder(dir.path());
        offerAddNumberFlag = false;
        setAddNumberAsker({});
    }
    ~MessageComposeTest() override {
        setAddNumberAsker({});
        offerAddNumberFlag = false;
        Profile::useFolder({});
        closeAllDatabases();
    }

    // A phone whose SIM holds exactly the given number of messages (of ten).
    static PhoneSimState phoneWith(int messages) {
        PhoneSimState state = PhoneSimState::demo();
        state.smMessages.messages.clear();
        for (int index = 1; index <= messages; ++index) {
            PhoneSimMessage message;
            message.status = "REC READ";
            message.address = "+4411";
            message.timestamp = "26/12/01,09:14:22+00";
            message.text = "old";
            state.smMessages.messages[index] = message;
        }
        return state;
    }

    TempWorkDir dir;
    ScriptedPrompter prompter;
};

}  // namespace

TEST_F(MessageComposeTest, RedialListKeepsTenPairsMostRecentFirst) {
    EXPECT_EQ(readRedialList(), QList<RedialEntry>(kRedialEntries));
    RecordRecentNumber("Alice", "+4411");
    RecordRecentNumber("Alice", "+4411");
    QList<RedialEntry> list = readRedialList();
    EXPECT_EQ(list[0], (RedialEntry{"Alice", "+4411"}));
    EXPECT_EQ(list[1], RedialEntry{});

    // The same number under another name is a new pair.
    RecordRecentNumber("Al", "+4411");
    list = readRedialList();
    EXPECT_EQ(list[0], (RedialEntry{"Al", "+4411"}));
    EXPECT_EQ(list[1], (RedialEntry{"Alice", "+4411"}));

    for (int i = 3; i <= 11; ++i) {
        RecordRecentNumber(QString("N%1").arg(i), QString::number(i));
    }
    list = readRedialList();
    ASSERT_EQ(list.size(), 10);
    EXPECT_EQ(list[0], (RedialEntry{"N11", "11"}));
    EXPECT_EQ(list[8], (RedialEntry{"N3", "3"}));
    EXPECT_EQ(list[9], (RedialEntry{"Al", "+4411"}));  // "Alice", the oldest, dropped
    EXPECT_EQ(Profile::value("Redial", "Name10").toString(), "Al");
    EXPECT_EQ(Profile::value("Redial", "Number1").toString(), "11");
}

TEST_F(MessageComposeTest, ValidityChoiceOfTheShownText) {
    const int codes[] = {11, 71, 143, 167, 173, 255};
    for (int choice = 0; choice < 6; ++choice) {
        EXPECT_EQ(validityChoiceOfText(CSmsDB::ValidityText(codes[choice])), choice);
    }
    EXPECT_EQ(validityChoiceOfText("26/12/01,09:14:22+00"), 0);
    EXPECT_EQ(validityChoiceOfText("12 hour"), 2);
    EXPECT_EQ(validityChoiceOfText("3 day"), 0);
}

TEST_F(MessageComposeTest, SendOnlySendsRecordsTheNumberAndAddsNoRow) {
    EnginePhoneLink phone;
    ComposeValues values = composed(kSendOnly);
    values.validityChoice = 3;
    const ComposeResult result = sendAndSave(phone.link(), values);
    EXPECT_EQ(result.outcome, ComposeOutcome::Carried);
    EXPECT_TRUE(result.sent);
    EXPECT_TRUE(result.done);
    EXPECT_FALSE(result.saveAsked);
    const auto& outbox = phone.engine().state().outbox;
    ASSERT_EQ(outbox.size(), 1u);
    EXPECT_EQ(outbox[0].address, "+447700900123");
    EXPECT_EQ(outbox[0].text, "See you at 10");
    EXPECT_EQ(outbox[0].validity, 167);
    EXPECT_EQ(outbox[0].firstOctet, 17);  // reply path off
    EXPECT_TRUE(storedRows().isEmpty());
    EXPECT_EQ(readRedialList()[0], (RedialEntry{"Alice", "+447700900123"}));
    EXPECT_TRUE(prompter.prompts().isEmpty());
}

TEST_F(MessageComposeTest, SendAndSaveStoresTheSentMessageWhereThePhoneWroteIt) {
    EnginePhoneLink phone;  // the demo SIM: 6 of 10, location 5 free
    const ComposeResult result = sendAndSave(phone.link(), composed(kSendAndSave));
    EXPECT_TRUE(result.sent);
    EXPECT_TRUE(result.saved);
    EXPECT_TRUE(result.done);
    EXPECT_EQ(result.location, "5");
    const auto& sim = phone.engine().state().smMessages.messages;
    ASSERT_TRUE(sim.count(5));
    EXPECT_EQ(sim.at(5).status, "STO SENT");
    EXPECT_EQ(sim.at(5).text, "See you at 10");
    const QList<StoredRow> rows = storedRows();
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].number, "5");
    EXPECT_EQ(rows[0].status, "Sent");
    EXPECT_EQ(rows[0].date, "1 hour");
    EXPECT_EQ(rows[0].name, "Alice");
}

TEST_F(MessageComposeTest, FailedSendIsSavedAsNotSentAndNotRecorded) {
    EnginePhoneLink phone;
    PhoneSimFaults faults;
    faults.errorPattern = "+cmgs";
    phone.engine().setFaults(faults);
    prompter.then(PromptAnswer::Ok);
    const ComposeResult result = sendAndSave(phone.link(), composed(kSendAndSave));
    EXPECT_FALSE(result.sent);
    EXPECT_TRUE(result.saved);
    EXPECT_TRUE(result.done);
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "Fail sending message");
    EXPECT_EQ(prompter.prompts()[0].caption, "Send Message");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Error);
    EXPECT_EQ(phone.engine().state().smMessages.messages.at(5).status, "STO UNSENT");
    ASSERT_EQ(storedRows().size(), 1);
    EXPECT_EQ(storedRows()[0].status, "Not Sent");
    EXPECT_EQ(readRedialList()[0], RedialEntry{});
}

TEST_F(MessageComposeTest, FailedSendOnlyLeavesTheDoneFlagClear) {
    EnginePhoneLink phone;
    PhoneSimFaults faults;
    faults.errorPattern = "+cmgs";
    phone.engine().setFaults(faults);
    prompter.then(PromptAnswer::Ok);
    const ComposeResult result = sendAndSave(phone.link(), composed(kSendOnly));
    EXPECT_EQ(result.outcome, ComposeOutcome::Carried);
    EXPECT_FALSE(result.sent);
    EXPECT_FALSE(result.done);
    EXPECT_TRUE(result.keepsValues());  // nothing sent, nothing saved: the dialog stays
    EXPECT_EQ(prompter.prompts().size(), 1);
}

TEST_F(MessageComposeTest, SendFailureNamesTheReasonOrTheCode) {
    const std::pair<int, QString> cases[] = {
        {330, "Fail sending message: SMSC address unknown"},
        {21, "Fail sending message: Invalid destination address"},
        {40, "Fail sending message: Invalid destination address"},
        {512, "Fail sending message: error 512"},
        {-1, "Fail sending message"},
    };
    for (const auto& [code, text] : cases) {
        EXPECT_EQ(sendFailureText(code), text) << code;
    }
}

TEST_F(MessageComposeTest, TheDialogsLengthLimitsHoldInTheCore) {
    using O = ComposeOutcome;
    struct Case {
        QString name, number, message;
        std::optional<O> outcome;
    };
    const Case cases[] = {
        {QString(14, 'n'), QString(20, '1'), QString(160, 'm'), std::nullopt},
        {QString(15, 'n'), "0123", "x", O::TooLong},
        {"", "+" + QString(20, '1'), "x", std::nullopt},
        {"", QString(21, '1'), "x", O::TooLong},
        {"", "0123", QString(79, 'm') + "\n" + QString(80, 'm'), O::TooLong},  // LF counts two
        {"", "0123", QString(79, 'm') + "\r\n" + QString(79, 'm'), std::nullopt},
    };
    for (const Case& c : cases) {
        ComposeValues values = composed(kSendOnly, c.number, c.message, c.name);
        const std::optional<ComposeProblem> problem = composeProblem(values);
        EXPECT_EQ(problem ? std::optional<O>(problem->outcome) : std::nullopt, c.outcome)
            << c.name.size() << " " << c.number.size() << " " << c.message.size();
    }
    EXPECT_EQ(composeProblem(composed(kSendOnly, "0123", QString(161, 'm')))->notice.text,
              "The message is longer than 160 characters");
}

TEST_F(MessageComposeTest, FullSimWithSendAndSaveAsksThenSendsOnly) {
    EnginePhoneLink phone(phoneWith(10));
    prompter.then(PromptAnswer::Ok);
    const ComposeResult result = sendAndSave(phone.link(), composed(kSendAndSave));
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "SIM card out of SMS memory! \n Do you want send only?");
    EXPECT_EQ(prompter.prompts()[0].caption, "Warning");
    EXPECT_EQ(prompter.prompts()[0].buttons, PromptButtons::OkCancel);
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Question);
    EXPECT_TRUE(result.sent);
    EXPECT_FALSE(result.saveAsked);
    EXPECT_TRUE(result.done);
    EXPECT_EQ(phone.engine().state().outbox.size(), 1u);
    EXPECT_FALSE(anyWriteHolds(phone, "at+cmgw"));
    EXPECT_TRUE(storedRows().isEmpty());
}

TEST_F(MessageComposeTest, FullSimCancelSendsNothing) {
    EnginePhoneLink phone(phoneWith(10));
    prompter.then(PromptAnswer::Cancel);
    const ComposeResult result = sendAndSave(phone.link(), composed(kSendAndSave));
    EXPECT_EQ(result.outcome, ComposeOutcome::Cancelled);
    EXPECT_FALSE(result.done);
    EXPECT_TRUE(phone.engine().state().outbox.empty());
}

TEST_F(MessageComposeTest, FullSimRefusesSaveOnly) {
    EnginePhoneLink phone(phoneWith(10));
    prompter.then(PromptAnswer::Ok);
    const ComposeResult result = sendAndSave(phone.link(), composed(kSaveOnly));
    EXPECT_EQ(result.outcome, ComposeOutcome::SimFull);
    EXPECT_TRUE(result.keepsValues());
    EXPECT_FALSE(result.done);
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "SIM card out of SMS memory!");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Warning);
    EXPECT_FALSE(anyWriteHolds(phone, "at+cmgw"));
}

TEST_F(MessageComposeTest, NineOfTenStillSaves) {
    EnginePhoneLink phone(phoneWith(9));
    const ComposeResult result = sendAndSave(phone.link(), composed(kSaveOnly));
    EXPECT_TRUE(result.saved);
    EXPECT_EQ(result.location, "10");
    EXPECT_EQ(phone.engine().state().smMessages.messages.at(10).status, "STO UNSENT");
    EXPECT_TRUE(phone.engine().state().outbox.empty());
}

TEST_F(MessageComposeTest, OfflineSaveOnlyAddsTheRowAtTheFirstFreeLocation) {
    OfflineLink offline;
    {
        CSmsDB store;
        SmsMessageValues values;
        values.index = "1";
        values.statusWord = "REC READ";
        values.number = "+4411";
        values.text = "x";
        store.AddMessage(values);
        values.index = "2";
        store.AddMessage(values);
        values.index = "4";
        store.AddMessage(values);
    }
    ComposeValues values = composed(kSaveOnly);
    const ComposeResult result = sendAndSave(*offline.link, values);
    EXPECT_TRUE(result.saved);
    EXPECT_TRUE(result.done);
    EXPECT_EQ(result.location, "3");
    const QList<StoredRow> rows = storedRows();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[2].number, "3");
    EXPECT_EQ(rows[2].status, "Not Sent");
    EXPECT_EQ(rows[2].date, "1 hour");
    EXPECT_EQ(rows[2].message, "See you at 10");

    values.saveAsSent = true;
    values.validityChoice = 5;
    EXPECT_EQ(sendAndSave(*offline.link, values).location, "5");
    EXPECT_EQ(storedRows()[4].status, "Sent");
    EXPECT_EQ(storedRows()[4].date, "63 week");
}

TEST_F(MessageComposeTest, MissingFieldsAndUnsafeTextDoNothing) {
    EnginePhoneLink phone;
    const qsizetype writesBefore = phone.line().writes().size();
    for (int i = 0; i < 5; ++i) {
        prompter.then(PromptAnswer::Ok);
    }
    EXPECT_EQ(sendAndSave(phone.link(), composed(kSendOnly, "")).outcome,
              ComposeOutcome::MissingNumber);
    EXPECT_EQ(sendAndSave(phone.link(), composed(kSendOnly, "0123", "")).outcome,
              ComposeOutcome::MissingMessage);
    const ComposeResult ctrlZ = sendAndSave(phone.link(), composed(kSendAndSave, "0123",
                                                                   QString("a\x1a"
                                                                           "b")));
    EXPECT_EQ(ctrlZ.outcome, ComposeOutcome::UnsafeText);
    EXPECT_TRUE(ctrlZ.keepsValues());
    EXPECT_EQ(sendAndSave(phone.link(), composed(kSendOnly, "01\"23")).outcome,
              ComposeOutcome::UnsafeText);
    EXPECT_EQ(sendAndSave(phone.link(), composed(kSendOnly, "0123\r")).outcome,
              ComposeOutcome::UnsafeText);
    EXPECT_EQ(phone.line().writes().size(), writesBefore);
    ASSERT_EQ(prompter.prompts().size(), 5);
    EXPECT_EQ(prompter.prompts()[0].text, "You must input Number field");
    EXPECT_EQ(prompter.prompts()[0].caption, "ERROR");
    EXPECT_EQ(prompter.prompts()[1].text, "You must input Message field");
    EXPECT_TRUE(prompter.prompts()[2].text.contains("Ctrl-Z"));
    EXPECT_TRUE(storedRows().isEmpty());

    // Line ends inside the text are fine.
    EXPECT_TRUE(sendAndSave(phone.link(), composed(kSendOnly, "0123", "one\r\ntwo")).sent);
}

TEST_F(MessageComposeTest, RefusedWriteAddsNoRowAndOffersNothing) {
    EnginePhoneLink phone;
    PhoneSimFaults faults;
    faults.errorPattern = "+cmgw";
    phone.engine().setFaults(faults);
    offerAddNumberFlag = true;
    int asked = 0;
    setAddNumberAsker([&](const QString&, const QString&) { return ++asked, -1; });
    prompter.then(PromptAnswer::Ok);
    const ComposeResult result = sendAndSave(phone.link(), composed(kSaveOnly, "+4499"));
    EXPECT_FALSE(result.saved);
    EXPECT_TRUE(result.done);
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "Fail saving message");
    EXPECT_EQ(prompter.prompts()[0].caption, "Save SMS");
    EXPECT_TRUE(storedRows().isEmpty());
    EXPECT_EQ(asked, 0);
}

TEST_F(MessageComposeTest, OfferOnlyForANewPairWhileTheFlagIsSet) {
    OfflineLink offline;
    QStringList asked;
    int answer = -1;
    setAddNumberAsker([&](const QString& name, const QString& number) {
        asked << name + "|" + number;
        return answer;
    });
    {
        CPCListDB pc;
        PcPhonebookEntry entry;
        entry.number = 1;
        entry.name = "Known";
        entry.mainNumber = "0123";
        pc.AddRow(entry);
    }
    offerAddNumber(*offline.link, "Somebody", "0999");  // flag clear
    offerAddNumberFlag = true;
    offerAddNumber(*offline.link, "", "0999");       // no name
    offerAddNumber(*offline.link, "Known", "0123");  // the PC phonebook holds it
    EXPECT_TRUE(asked.isEmpty());

    offerAddNumber(*offline.link, "Known", "0124");  // same name, other number
    answer = MemoryPc;
    offerAddNumber(*offline.link, "New", "0555");
    EXPECT_EQ(asked, (QStringList{"Known|0124", "New|0555"}));
    CPCListDB pc;
    QString name = "New";
    QString number = "0555";
    EXPECT_TRUE(pc.FindByNameAndNumber(name, number));
    EXPECT_EQ(pc.FirstFreeIndex(), 3);
}

TEST_F(MessageComposeTest, OfferToAFullSimPhonebookWarnsAndStoresNothing) {
    EnginePhoneLink phone;  // SIM phonebook holds 1, 2, 3, 5, 8, 12
    offerAddNumberFlag = true;
    setAddNumberAsker([](const QString&, const QString&) { return int(MemorySim); });
    phone.link().simPhonebookCapacity = 3;
    {
        CSimViewDB sim;
        sim.AddRow(1, "+4411", "A");
        sim.AddRow(2, "+4412", "B");
        sim.AddRow(3, "+4413", "C");
    }
    prompter.then(PromptAnswer::Ok);
    offerAddNumber(phone.link(), "New", "0555");
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text,
              "You can not enter more data to SIM PB due to the maximum capacity excess!");
    EXPECT_EQ(prompter.prompts()[0].caption, "Warning");

    phone.link().simPhonebookCapacity = 250;
    offerAddNumber(phone.link(), "New", "0555");
    EXPECT_EQ(phone.engine().state().sm.entries.at(4).name, "New");
    CSimViewDB sim;
    QString name = "New";
    QString number = "0555";
    EXPECT_TRUE(sim.FindByNameAndNumber(name, number));
}
