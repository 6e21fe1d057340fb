// SPDX-License-Identifier: GPL-3.0-or-later
// The maker's scheduler commands: read, write and delete one slot.
#include "phonesim/PhoneSimCommandTable.h"
#include "phonesim/PhoneSimState.h"

namespace {

using Kind = PhoneSimCommand::Kind;

using PhoneSimAnswers::error;
using PhoneSimAnswers::ok;

QByteArray twoDigits(int value) {
    return QByteArray::number(value).rightJustified(2, '0');
}

bool slotIndex(const PhoneSimState& state, const QByteArray& text, int* index) {
    return phoneSimNumber(text, index) && *index >= 0 && *index < state.scheduleCapacity;
}

QByteArray entryLine(int index, const PhoneSimScheduleEntry& entry) {
    QByteArray line = "+SCHR: " + QByteArray::number(index) + ',' + QByteArray::number(entry.type) +
                      ',' + QByteArray::number(entry.alarm) + ',' + QByteArray::number(entry.year) +
                      '/' + twoDigits(entry.month) + '/' + twoDigits(entry.day) + ',' +
                      twoDigits(entry.hour) + ':' + twoDigits(entry.minute) + ',';
    if (entry.alarm)
        line += twoDigits(entry.alarmHour) + ':' + twoDigits(entry.alarmMinute) + ',';
    return line + PhoneSimReply::quoted(entry.contents);
}

PhoneSimAnswer readSlot(PhoneSimState& state, const PhoneSimCommand& command) {
    if (command.kind == Kind::Test)
        return {PhoneSimReply::linesThenOk(
                    {"+SCHR: (0-" + QByteArray::number(state.scheduleCapacity - 1) + ")"}),
                {}};
    int index = 0;
    if (command.kind != Kind::Set || !slotIndex(state, command.args, &index))
        return error();
    auto it = state.schedule.find(index);
    if (it == state.schedule.end())
        return ok();
    return {PhoneSimReply::linesThenOk({entryLine(index, it->second)}), {}};
}

bool inRange(int value, int low, int high) {
    return value >= low && value <= high;
}

// index,type,1,year,month,day,hour,minute,alarm_hour,alarm_minute,"contents" or
// index,type,0,year,month,day,hour,minute,"contents".
PhoneSimAnswer writeSlot(PhoneSimState& state, const PhoneSimCommand& command) {
    if (command.kind == Kind::Test)
        return ok();
    const QList<QByteArray> fields = command.fields();
    if (command.kind != Kind::Set || (fields.size() != 9 && fields.size() != 11))
        return error();
    int numbers[10] = {};
    const qsizetype numberCount = fields.size() - 1;
    for (qsizetype i = 0; i < numberCount; ++i)
        if (!phoneSimNumber(fields.at(i), &numbers[i]))
            return error();
    const int index = numbers[0];
    PhoneSimScheduleEntry entry;
    entry.type = numbers[1];
    entry.alarm = numbers[2];
    entry.year = numbers[3];
    entry.month = numbers[4];
    entry.day = numbers[5];
    entry.hour = numbers[6];
    entry.minute = numbers[7];
    if (entry.alarm != (fields.size() == 11 ? 1 : 0))
        return error();
    if (entry.alarm) {
        entry.alarmHour = numbers[8];
        entry.alarmMinute = numbers[9];
    }
    entry.contents = QString::fromLatin1(fields.last());
    if (!inRange(index, 0, state.scheduleCapacity - 1) || !inRange(entry.type, 1, 4) ||
        !inRange(entry.year, 1900, 2099) || !inRange(entry.month, 1, 12) ||
        !inRange(entry.day, 1, 31) || !inRange(entry.hour, 0, 23) ||
        !inRange(entry.minute, 0, 59) || !inRange(entry.alarmHour, 0, 23) ||
        !inRange(entry.alarmMinute, 0, 59))
        return error();
    state.schedule[index] = entry;
    return ok();
}

PhoneSimAnswer deleteSlot(PhoneSimState& state, const PhoneSimCommand& command) {
    int index = 0;
    if (command.kind != Kind::Set || !slotIndex(state, command.args, &index))
        return error();
    state.schedule.erase(index);
    return ok();
}

}  // namespace

void registerScheduleCommands(PhoneSimCommandTable& table) {
    table.add("+SCHR", readSlot);
    table.add("+SCHW", writeSlot);
    table.add("+SCHD", deleteSlot);
}
