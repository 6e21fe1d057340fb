// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "db/Recordset.h"
#include "platform/Profile.h"
#include "sms/CSmsDB.h"
#include "support/EnginePhoneLink.h"
#include "support/OfflineLink.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

SmsMessageValues message(int index, const QString& statusWord, const QString& number = "0123",
                         const QString& text = "text", const QString& name = "Name") {
    SmsMessageValues values;
    values.index = QString::number(index);
    values.statusWord = statusWord;
    values.number = number;
    values.name = name;
    values.text = text;
    values.dateSource = statusWord.contains("READ") ? "26/12/01,09:14:22+00" : "167";
    return values;
}

class SmsStoreTest : public ::testing::Test {
  protected:
    ~SmsStoreTest() override { closeAllDatabases(); }

    QStringList numbers(const SmsListContents& contents) {
        QStringList out;
        for (const SmsListRow& row : contents.rows) {
            out << row.number;
        }
        return out;
    }
    // The locations left in the table, in table order.
    QStringList storedNumbers() {
        CSmsDB all;
        return numbers(all.FillList(10));
    }

    AppStateOwner run;
    TempWorkDir dir;
    CSmsDB store;
};

}  // namespace

TEST_F(SmsStoreTest, StatusFilterTexts) {
    EXPECT_EQ(CSmsDB::StatusFilter(5), "Status='Unread' OR Status='Not Sent'");
    EXPECT_EQ(CSmsDB::StatusFilter(15),
              "Status='Unread' OR Status='Read' OR Status='Not Sent' OR Status='Sent'");
    EXPECT_EQ(CSmsDB::StatusFilter(8), "Status='Sent'");
    EXPECT_EQ(CSmsDB::StatusFilter(0), "");
}

TEST_F(SmsStoreTest, MaskSelectsTheStatusesWhateverTheirCase) {
    store.AddMessage(message(1, "REC UNREAD"));
    store.AddMessage(message(2, "REC READ"));
    store.AddMessage(message(3, "STO UNSENT"));
    store.AddMessage(message(4, "STO SENT"));
    store.setStatusMask(5);
    const SmsListContents five = store.FillList(10);
    EXPECT_EQ(numbers(five), (QStringList{"1", "3"}));
    EXPECT_EQ(five.total, "TOTAL : 2 / 10 ");
    store.setStatusMask(kSmsRead | kSmsSent);
    EXPECT_EQ(numbers(store.FillList(10)), (QStringList{"2", "4"}));
    store.setStatusMask(0);
    const SmsListContents none = store.FillList(10);
    EXPECT_TRUE(none.rows.isEmpty());
    EXPECT_EQ(none.total, "TOTAL : 0");
}

TEST_F(SmsStoreTest, TotalOfAnEmptyAndAFullList) {
    EXPECT_EQ(store.FillList(10).total, "TOTAL : 0");
    for (int i = 1; i <= 3; ++i) {
        store.AddMessage(message(i, "REC READ"));
    }
    EXPECT_EQ(store.FillList(10).total, "TOTAL : 3 / 10 ");
}

TEST_F(SmsStoreTest, ListColumnsAsShown) {
    store.AddMessage(message(1, "REC READ", "+*31#0123", "two\nlines\r\nhere", ""));
    store.AddMessage(message(2, "STO UNSENT", "+49123", "x", "Bob"));
    const SmsListContents contents = store.FillList(10);
    ASSERT_EQ(contents.rows.size(), 2);
    EXPECT_EQ(contents.rows[0],
              (SmsListRow{"1", "", "*31#+0123", "two lines here", "26/12/01,09:14:22+00", "Read"}));
    EXPECT_EQ(contents.rows[1], (SmsListRow{"2", "Bob", "+49123", "x", "24 hour", "Not Sent"}));
}

TEST_F(SmsStoreTest, PendingReportHidesItsTimeUnlessAReportIsViewed) {
    store.AddMessage(message(1, "REC READ", "1", "Report: Pending\nTo: 2"));
    store.AddMessage(message(2, "REC READ", "1", "Report: Delivered"));
    store.AddMessage(message(3, "STO SENT", "1", "Report: PENDING"));
    SmsListContents contents = store.FillList(10);
    EXPECT_EQ(contents.rows[0].time, "");
    EXPECT_EQ(contents.rows[1].time, "26/12/01,09:14:22+00");
    EXPECT_EQ(contents.rows[2].time, "24 hour");  // "Sent" does not hold "Read"
    appState().reportFlag = true;
    contents = store.FillList(10);
    EXPECT_EQ(contents.rows[0].time, "26/12/01,09:14:22+00");
}

TEST_F(SmsStoreTest, SortTogglesAndTheStatusColumnSortsByLocation) {
    store.AddMessage(message(2, "REC READ", "1", "t", "bea"));
    store.AddMessage(message(10, "STO SENT", "1", "t", "Cid"));
    store.AddMessage(message(1, "REC UNREAD", "1", "t", "Al"));
    store.ToggleSort(0);
    EXPECT_EQ(store.sort(), "Name DESC");
    EXPECT_EQ(numbers(store.FillList(10)), (QStringList{"10", "2", "1"}));
    store.ToggleSort(0);
    EXPECT_EQ(store.sort(), "Name ASC");
    EXPECT_EQ(numbers(store.FillList(10)), (QStringList{"1", "2", "10"}));
    store.ToggleSort(4);
    EXPECT_EQ(store.sort(), "Number DESC");
    store.ToggleSort(3);
    EXPECT_EQ(store.sort(), "Date DESC");
    store.ToggleSort(1);
    EXPECT_EQ(store.sort(), "PhoneNumber DESC");
    store.ToggleSort(2);
    EXPECT_EQ(store.sort(), "Message DESC");
}

TEST_F(SmsStoreTest, FirstFreeIndexLooksAtEveryRow) {
    EXPECT_EQ(store.FirstFreeIndex(), 1);
    store.AddMessage(message(1, "REC READ"));
    store.AddMessage(message(4, "REC READ"));
    store.AddMessage(message(2, "STO SENT"));
    EXPECT_EQ(store.FirstFreeIndex(), 3);
    store.AddMessage(message(3, "REC READ"));
    // Hidden by the filter, still taken; the filter is back afterwards.
    store.setStatusMask(kSmsUnread);
    store.FillList(10);
    EXPECT_EQ(store.FirstFreeIndex(), 5);
    EXPECT_EQ(store.filter(), "Status='Unread'");
}

TEST_F(SmsStoreTest, CountOffLineIsTheWholeTable) {
    OfflineLink offline;
    store.AddMessage(message(1, "REC READ"));
    store.AddMessage(message(2, "STO SENT"));
    store.setStatusMask(kSmsUnread);
    store.FillList(10);
    EXPECT_EQ(store.CountMessages(*offline.link), 2);
    EXPECT_EQ(store.filter(), "Status='Unread'");
}

TEST_F(SmsStoreTest, CountOnLineAsksThePhoneUnlessItRefuses) {
    PhoneSimState state = PhoneSimState::demo();
    EnginePhoneLink phone(state);
    store.AddMessage(message(1, "REC READ"));
    EXPECT_EQ(store.CountMessages(phone.link()),
              static_cast<int>(state.smMessages.messages.size()));
    PhoneSimFaults faults;
    faults.errorPattern = "cpms";
    phone.engine().setFaults(faults);
    EXPECT_EQ(store.CountMessages(phone.link()), 1);
}

TEST_F(SmsStoreTest, DeletingLinesTwoAndFiveDeletesThoseRows) {
    OfflineLink offline;
    for (int i = 1; i <= 6; ++i) {
        store.AddMessage(message(i, "REC READ"));
    }
    store.FillList(10);
    store.DeleteSelected(*offline.link, {1, 4});
    EXPECT_EQ(storedNumbers(), (QStringList{"1", "3", "4", "6"}));
}

TEST_F(SmsStoreTest, DeletingOnLineGoesToThePhoneFirstAndKeepsWhatItRefuses) {
    PhoneSimState state = PhoneSimState::demo();
    state.smMessages.capacity = 6;
    state.smMessages.messages.clear();
    for (int i : {1, 2, 3, 5}) {
        state.smMessages.messages[i] = {"REC READ", "1", 129, "t", "m", 4, 0, 0};
    }
    EnginePhoneLink phone(state);
    // Location 7 lies outside the phone's storage: the phone refuses to delete it.
    for (int i : {1, 7, 3, 5}) {
        store.AddMessage(message(i, "REC READ"));
    }
    store.FillList(10);
    store.DeleteSelected(phone.link(), {1, 2, 3});
    EXPECT_EQ(storedNumbers(), (QStringList{"1", "7"}));
    EXPECT_EQ(phone.engine().state().smMessages.messages.count(3), 0u);
    EXPECT_EQ(phone.engine().state().smMessages.messages.count(5), 0u);
    EXPECT_EQ(phone.engine().state().smMessages.messages.count(1), 1u);
}

TEST_F(SmsStoreTest, DeleteAllIgnoresTheFilterAndPutsItBack) {
    PhoneSimState state = PhoneSimState::demo();
    EnginePhoneLink phone(state);
    store.AddMessage(message(1, "REC READ"));
    store.AddMessage(message(2, "STO SENT"));
    store.AddMessage(message(30, "STO SENT"));  // refused by the phone: stays
    store.setStatusMask(kSmsRead);
    store.FillList(10);
    store.DeleteAllMessages(phone.link());
    EXPECT_EQ(storedNumbers(), QStringList{"30"});
    EXPECT_EQ(store.filter(), "Status='Read'");
    EXPECT_EQ(phone.engine().state().smMessages.messages.count(1), 0u);
    EXPECT_EQ(phone.engine().state().smMessages.messages.count(2), 0u);
}

TEST(SmsValidityText, CodesAsText) {
    EXPECT_EQ(CSmsDB::ValidityText(0), "5 min");
    EXPECT_EQ(CSmsDB::ValidityText(11), "1 hour");
    EXPECT_EQ(CSmsDB::ValidityText(12), "1 hour5 min");
    EXPECT_EQ(CSmsDB::ValidityText(71), "6 hour");
    EXPECT_EQ(CSmsDB::ValidityText(143), "12 hour");
    EXPECT_EQ(CSmsDB::ValidityText(144), "12 hour30 min");
    EXPECT_EQ(CSmsDB::ValidityText(150), "15 hour30 min");
    EXPECT_EQ(CSmsDB::ValidityText(167), "24 hour");
    EXPECT_EQ(CSmsDB::ValidityText(168), "2 day");
    EXPECT_EQ(CSmsDB::ValidityText(173), "7 day");
    EXPECT_EQ(CSmsDB::ValidityText(196), "30 day");
    EXPECT_EQ(CSmsDB::ValidityText(197), "5 week");
    EXPECT_EQ(CSmsDB::ValidityText(255), "63 week");
}

TEST_F(SmsStoreTest, AddMessageRowOfAReceivedMessage) {
    SmsMessageValues values;
    values.index = "1";
    values.firstOctet = 4;
    values.protocolId = 0;
    values.statusWord = "REC UNREAD";
    values.number = "+491";
    values.dateSource = "01/05/14,12:30:00+36";
    values.text = "hello";
    store.AddMessage(values);
    store.FillList(10);
    ASSERT_TRUE(store.MoveFirst());
    EXPECT_EQ(store.textValue("Number"), "1");
    EXPECT_EQ(store.textValue("Status"), "UnRead");
    EXPECT_EQ(store.textValue("PhoneNumber"), "+491");
    EXPECT_EQ(store.textValue("Date"), "01/05/14,12:30:00+36");
    EXPECT_FALSE(store.boolValue("Reply"));
    EXPECT_EQ(store.intValue("Pid"), 0);
    EXPECT_EQ(store.textValue("Type"), "SIM");
    EXPECT_EQ(store.textValue("Message"), "hello");
}

TEST_F(SmsStoreTest, AddMessageRowOfAStoredMessage) {
    SmsMessageValues values = message(4, "STO UNSENT");
    values.firstOctet = 145;
    values.protocolId = 5;
    values.dateSource = "167";
    store.AddMessage(values);
    values = message(5, "STO SENT");
    values.dateSource = "";  // the phone left the validity out
    store.AddMessage(values);
    values = message(6, "ANYTHING");
    store.AddMessage(values);
    store.FillList(10);
    ASSERT_TRUE(store.MoveFirst());
    EXPECT_EQ(store.textValue("Status"), "Not Sent");
    EXPECT_EQ(store.textValue("Date"), "24 hour");
    EXPECT_TRUE(store.boolValue("Reply"));
    EXPECT_EQ(store.intValue("Pid"), 5);
    ASSERT_TRUE(store.MoveNext());
    EXPECT_EQ(store.textValue("Status"), "Sent");
    EXPECT_EQ(store.textValue("Date"), "");
    ASSERT_TRUE(store.MoveNext());
    EXPECT_EQ(store.textValue("Status"), "Sent");
}

TEST_F(SmsStoreTest, NamesComeFromThePhonebooksInOrder) {
    Recordset sim(kPhonebookDbFile, "sim");
    Recordset ms(kPhonebookDbFile, "ms");
    Recordset pc(kPhonebookDbFile, "pc");
    auto add = [](Recordset& table, int number, const QString& name, const QString& dial) {
        table.Open();
        table.AddNew();
        table.setValue("Number", number);
        table.setValue("Name", name);
        table.setValue("MainNumber", dial);
        table.Update();
    };
    add(sim, 1, "Sim Anna", "+4911");
    add(ms, 1, "Ms Anna", "+4911");
    add(ms, 2, "Ms Ben", "+4922");
    add(pc, 1, "Pc Ben", "+4922");
    add(pc, 2, "Pc Cid", "+4933");
    add(pc, 3, "O'Brien", "+49'44");

    QString name;
    EXPECT_TRUE(store.LookupName("+4911", name));
    EXPECT_EQ(name, "Sim Anna");
    EXPECT_TRUE(store.LookupName("+4922", name));
    EXPECT_EQ(name, "Ms Ben");
    EXPECT_TRUE(store.LookupName("+49'44", name));
    EXPECT_EQ(name, "O'Brien");
    name = "kept";
    EXPECT_FALSE(store.LookupName("+4999", name));
    EXPECT_EQ(name, "kept");

    // A message without a name of its own takes the phonebook's; only the PC knows +4933.
    store.AddMessage(message(1, "REC READ", "+4933", "x", ""));
    store.AddMessage(message(2, "REC READ", "+4933", "x", "Own"));
    store.AddMessage(message(3, "REC READ", "+4999", "x", ""));
    const SmsListContents contents = store.FillList(10);
    EXPECT_EQ(contents.rows[0].name, "Pc Cid");
    EXPECT_EQ(contents.rows[1].name, "Own");
    EXPECT_EQ(contents.rows[2].name, "");
}
