// SPDX-License-Identifier: GPL-3.0-or-later
#include "e2e/CacheScenarios.h"

namespace {

PhoneSimState smallPhone() {
    PhoneSimState state;
    state.fixedClock = QDateTime(QDate(2026, 12, 7), QTime(21, 5));
    state.sm.capacity = 4;
    state.me.capacity = 4;
    state.smMessages.capacity = 3;
    state.bmMessages.capacity = 0;
    return state;
}

PhoneSimMessage storedMessage(const QString& status, const QString& address, const QString& text) {
    PhoneSimMessage message;
    message.status = status;
    message.address = address;
    message.addressType = address.startsWith('+') ? 145 : 129;
    message.timestamp = status.startsWith("REC") ? "26/12/01,09:14:22+00" : "";
    message.text = text;
    return message;
}

// Before: what the cache held from an earlier load. After: the phone of the run. The slot that
// the error faults of a load hit is empty on the phone after.
PhoneSimState phonebookBefore() {
    PhoneSimState state = smallPhone();
    state.sm.entries = {{1, {"0111", 129, "Ann"}}, {2, {"+44222", 145, "Bob"}}};
    state.me.entries = {{1, {"333", 129, "Cy"}}};
    return state;
}
PhoneSimState phonebookAfter() {
    PhoneSimState state = smallPhone();
    state.sm.entries = {
        {1, {"0111", 129, "Ann Lee"}}, {2, {"+44222", 145, "Bob"}}, {4, {"444", 129, "Dee"}}};
    state.me.entries = {{2, {"333", 129, "Cy"}}, {4, {"+555", 145, "Eve, Jr"}}};
    return state;
}
PhoneSimState messagesBefore() {
    PhoneSimState state = smallPhone();
    state.smMessages.messages[1] = storedMessage("REC READ", "+447700900123", "Old one");
    return state;
}
PhoneSimState messagesAfter() {
    PhoneSimState state = smallPhone();
    state.smMessages.messages[1] = storedMessage("REC READ", "+447700900123", "Hi, there\r\nOK");
    state.smMessages.messages[3] = storedMessage("STO UNSENT", "0123", "Draft \"one\"");
    return state;
}
PhoneSimState scheduleBefore() {
    PhoneSimState state = smallPhone();
    state.schedule[3] = {3, 1, 2026, 12, 14, 9, 30, 9, 25, "Budget, Q3"};
    return state;
}
PhoneSimState scheduleAfter() {
    PhoneSimState state = scheduleBefore();
    state.schedule[17] = {4, 0, 2026, 12, 21, 0, 0, 0, 0, "Ann"};
    state.schedule[49] = {1, 0, 2027, 1, 2, 7, 5, 0, 0, "Last"};
    return state;
}
PhoneSimState todoBefore() {
    PhoneSimState state = smallPhone();
    state.todos[7] = {0, 1, 2026, 12, 24, "Wrap presents", {}, {}};
    return state;
}
PhoneSimState todoAfter() {
    PhoneSimState state = smallPhone();
    state.todos[0] = {2, 0, 2001, 10, 9, "Old, done", "2001/10/9", "14:05"};
    state.todos[7] = {0, 1, 2026, 12, 24, "Wrap presents", {}, {}};
    state.todos[50] = {0, 0, 2027, 1, 2, "Last slot", {}, {}};
    return state;
}

}  // namespace

const QList<CacheOperation>& cacheLoaders() {
    static const QList<CacheOperation> list{
        {"PhonebookLoad", "phonebook.mdb", phonebookBefore, phonebookAfter,
         QStringList{"phonebook", "load"}, QStringList{"phonebook", "load"}, "at+cpbr=3", true},
        {"SmsLoad", "smsDB.mdb", messagesBefore, messagesAfter, QStringList{"sms", "load"},
         QStringList{"sms", "load"}, "at+cmgr=2", true},
        {"ScheduleLoad", "SchedulerDB.mdb", scheduleBefore, scheduleAfter,
         QStringList{"schedule", "load"}, QStringList{"schedule", "load"}, "at+schr=25", true},
        {"TodoLoad", "ToDoListDB.mdb", todoBefore, todoAfter, QStringList{"todo", "load"},
         QStringList{"todo", "load"}, "at+ctdr=25", true},
    };
    return list;
}

const QList<CacheOperation>& cacheWrites() {
    const QStringList phonebookLoad{"phonebook", "load"};
    static const QList<CacheOperation> list{
        {"PhonebookAdd", "phonebook.mdb", phonebookAfter, phonebookAfter, phonebookLoad,
         QStringList{"phonebook", "add", "--memory", "sim", "--index", "3", "--name", "New Name",
                     "--number", "0999"},
         "New Name", false},
        {"PhonebookAddMs", "phonebook.mdb", phonebookAfter, phonebookAfter, phonebookLoad,
         QStringList{"phonebook", "add", "--memory", "ms", "--name", "Mo", "--number", "+4477"},
         "\"Mo\"", false},
        {"PhonebookEdit", "phonebook.mdb", phonebookAfter, phonebookAfter, phonebookLoad,
         QStringList{"phonebook", "edit", "--memory", "sim", "--index", "1", "--name", "Renamed",
                     "--number", "0111"},
         "Renamed", false},
        {"PhonebookDelete", "phonebook.mdb", phonebookAfter, phonebookAfter, phonebookLoad,
         QStringList{"phonebook", "delete", "--memory", "sim", "--index", "2"}, "at+cpbw=2", false},
        {"SmsSave", "smsDB.mdb", messagesAfter, messagesAfter, QStringList{"sms", "load"},
         QStringList{"sms", "save", "--number", "0123", "--text", "Saved, text"}, "at+cmgw", false},
        {"SmsDelete", "smsDB.mdb", messagesAfter, messagesAfter, QStringList{"sms", "load"},
         QStringList{"sms", "delete", "--index", "3"}, "at+cmgd=3", false},
        {"ScheduleAdd",
         "SchedulerDB.mdb",
         scheduleAfter,
         scheduleAfter,
         QStringList{"schedule", "load"},
         QStringList{"schedule", "add", "--type", "meeting", "--date", "2026-12-24", "--time",
                     "18:00", "--alarm", "30", "--text", "Gifts, wrap"},
         "Gifts",
         false,
         {"reminder"}},
        {"ScheduleDelete",
         "SchedulerDB.mdb",
         scheduleAfter,
         scheduleAfter,
         QStringList{"schedule", "load"},
         QStringList{"--yes", "schedule", "delete", "--date", "2026-12-21", "--hour", "0", "--text",
                     "Ann"},
         "at+schd=17",
         false,
         {"reminder"}},
        // A new item the phone refused stays in the table as the user's copy.
        {"TodoAdd",
         "ToDoListDB.mdb",
         todoAfter,
         todoAfter,
         QStringList{"todo", "load"},
         QStringList{"todo", "add", "--text", "Buy milk", "--priority", "2"},
         "Buy milk",
         false,
         {},
         [](DatabaseSnapshot tables) { return tables; }},
        {"TodoEdit", "ToDoListDB.mdb", todoAfter, todoAfter, QStringList{"todo", "load"},
         QStringList{"todo", "edit", "--index", "7", "--text", "Wrap all"}, "Wrap all", false},
        // A mark without the phone's done stamp stays marked, with no done date.
        {"TodoMark",
         "ToDoListDB.mdb",
         todoAfter,
         todoAfter,
         QStringList{"todo", "load"},
         QStringList{"todo", "mark", "--index", "7"},
         "at+ctdw=7,1",
         false,
         {},
         [](DatabaseSnapshot tables) {
             for (QString& row : tables.tables["Todolist"]) {
                 row.replace("|07-12-2026 21:05", "|<null>");
             }
             return tables;
         }},
        {"TodoDelete", "ToDoListDB.mdb", todoAfter, todoAfter, QStringList{"todo", "load"},
         QStringList{"todo", "delete", "--index", "50"}, "at+ctdd=50", false},
    };
    return list;
}
