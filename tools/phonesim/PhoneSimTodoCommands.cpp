// SPDX-License-Identifier: GPL-3.0-or-later
// The maker's to-do list commands: read, write or mark done, and delete one item.
#include "phonesim/PhoneSimCommandTable.h"
#include "phonesim/PhoneSimState.h"

namespace {

using Kind = PhoneSimCommand::Kind;

using PhoneSimAnswers::error;
using PhoneSimAnswers::ok;

QByteArray twoDigits(int value) {
    return QByteArray::number(value).rightJustified(2, '0');
}

bool itemIndex(const PhoneSimState& state, const QByteArray& text, int* index) {
    return phoneSimNumber(text, index) && *index >= 0 && *index <= state.todoCapacity;
}

bool inRange(int value, int low, int high) {
    return value >= low && value <= high;
}

void stampDone(const PhoneSimState& state, PhoneSimTodoItem* item) {
    const QDateTime now = state.now();
    item->status = 2;
    item->doneDate = now.toString(QStringLiteral("yyyy/MM/dd"));
    item->doneTime = now.toString(QStringLiteral("hh:mm"));
}

void clearDone(PhoneSimTodoItem* item) {
    item->status = 0;
    item->doneDate.clear();
    item->doneTime.clear();
}

// index,priority,year/month/day,"contents",done date,done time
QByteArray itemLine(int index, const PhoneSimTodoItem& item) {
    return "+CTDR: " + QByteArray::number(index) + ',' + QByteArray::number(item.priority) + ',' +
           QByteArray::number(item.year) + '/' + twoDigits(item.month) + '/' + twoDigits(item.day) +
           ',' + PhoneSimReply::quoted(item.contents) + ',' + item.doneDate.toLatin1() + ',' +
           item.doneTime.toLatin1();
}

PhoneSimAnswer readItem(PhoneSimState& state, const PhoneSimCommand& command) {
    if (command.kind == Kind::Test)
        return {PhoneSimReply::linesThenOk(
                    {"+CTDR: (1-" + QByteArray::number(state.todoCapacity) + ")"}),
                {}};
    int index = 0;
    if (command.kind != Kind::Set || !itemIndex(state, command.args, &index))
        return error();
    auto it = state.todos.find(index);
    if (it == state.todos.end())
        return ok();
    return {PhoneSimReply::linesThenOk({itemLine(index, it->second)}), {}};
}

// index,status,priority,year,month,day,"contents" writes an item; index,flag marks it done
// (1, stamped with the phone's clock) or not done (0).
PhoneSimAnswer writeItem(PhoneSimState& state, const PhoneSimCommand& command) {
    if (command.kind == Kind::Test)
        return ok();
    const QList<QByteArray> fields = command.fields();
    int index = 0;
    if (command.kind != Kind::Set || fields.isEmpty() || !itemIndex(state, fields.at(0), &index))
        return error();

    if (fields.size() == 2) {
        int flag = 0;
        auto it = state.todos.find(index);
        if (!phoneSimNumber(fields.at(1), &flag) || !inRange(flag, 0, 1) || it == state.todos.end())
            return error();
        if (flag == 1)
            stampDone(state, &it->second);
        else
            clearDone(&it->second);
        return ok();
    }
    if (fields.size() != 7)
        return error();
    int numbers[6] = {};
    for (qsizetype i = 1; i < 6; ++i)
        if (!phoneSimNumber(fields.at(i), &numbers[i]))
            return error();
    PhoneSimTodoItem item;
    item.priority = numbers[2];
    item.year = numbers[3];
    item.month = numbers[4];
    item.day = numbers[5];
    item.contents = QString::fromLatin1(fields.at(6));
    const int status = numbers[1];
    if (!inRange(status, 0, 2) || !inRange(item.priority, 0, 1) ||
        !inRange(item.year, 1900, 2099) || !inRange(item.month, 1, 12) || !inRange(item.day, 1, 31))
        return error();
    auto previous = state.todos.find(index);
    if (status == 0) {
        clearDone(&item);
    } else if (status == 2 && previous != state.todos.end() && previous->second.status == 2) {
        item.status = 2;
        item.doneDate = previous->second.doneDate;
        item.doneTime = previous->second.doneTime;
    } else {
        stampDone(state, &item);
    }
    state.todos[index] = item;
    return ok();
}

PhoneSimAnswer deleteItem(PhoneSimState& state, const PhoneSimCommand& command) {
    int index = 0;
    if (command.kind != Kind::Set || !itemIndex(state, command.args, &index))
        return error();
    state.todos.erase(index);
    return ok();
}

}  // namespace

void registerTodoCommands(PhoneSimCommandTable& table) {
    table.add("+CTDR", readItem);
    table.add("+CTDW", writeItem);
    table.add("+CTDD", deleteItem);
}
