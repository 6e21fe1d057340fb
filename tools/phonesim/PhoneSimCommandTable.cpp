// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonesim/PhoneSimCommandTable.h"

namespace {

bool isExtendedPrefix(char c) {
    return c == '+' || c == '$' || c == '*' || c == '^' || c == '%';
}

}  // namespace

QList<QByteArray> PhoneSimCommand::fields() const {
    QList<QByteArray> result;
    if (args.isEmpty())
        return result;
    QByteArray field;
    bool inQuotes = false;
    for (char c : args) {
        if (c == '"') {
            inQuotes = !inQuotes;
        } else if (c == ',' && !inQuotes) {
            result.append(field);
            field.clear();
        } else {
            field.append(c);
        }
    }
    result.append(field);
    return result;
}

bool PhoneSimCommand::parse(const QByteArray& rawLine, PhoneSimCommand* out) {
    const QByteArray line = rawLine.trimmed();
    if (line.size() < 2 || line.left(2).toUpper() != "AT")
        return false;
    PhoneSimCommand command;
    command.line = line;
    QByteArray rest = line.mid(2);

    qsizetype nameEnd = 0;
    if (rest.isEmpty()) {
        nameEnd = 0;
    } else if (isExtendedPrefix(rest.at(0))) {
        nameEnd = 1;
        while (nameEnd < rest.size() && rest.at(nameEnd) != '=' && rest.at(nameEnd) != '?')
            ++nameEnd;
    } else if (rest.at(0) == '&' && rest.size() > 1) {
        nameEnd = 2;
    } else {
        nameEnd = 1;
    }
    command.name = rest.left(nameEnd).trimmed().toUpper();
    rest = rest.mid(nameEnd);

    if (rest.startsWith("=?")) {
        command.kind = Kind::Test;
    } else if (rest.startsWith('?')) {
        command.kind = Kind::Query;
    } else if (rest.startsWith('=')) {
        command.kind = Kind::Set;
        command.args = rest.mid(1);
    } else {
        command.kind = Kind::Action;
        command.args = rest;
    }
    *out = command;
    return true;
}

namespace PhoneSimReply {

QByteArray ok() {
    return "\r\nOK\r\n";
}
QByteArray error() {
    return "\r\nERROR\r\n";
}
QByteArray cmeError(int code) {
    return line("+CME ERROR: " + QByteArray::number(code));
}
QByteArray cmsError(int code) {
    return line("+CMS ERROR: " + QByteArray::number(code));
}
QByteArray line(const QByteArray& text) {
    return "\r\n" + text + "\r\n";
}

QByteArray linesThenOk(const QList<QByteArray>& lines) {
    if (lines.isEmpty())
        return ok();
    return "\r\n" + lines.join("\r\n") + "\r\n" + ok();
}

QByteArray quoted(const QString& text) {
    return '"' + text.toLatin1() + '"';
}

}  // namespace PhoneSimReply

namespace PhoneSimAnswers {
PhoneSimAnswer ok() {
    return {PhoneSimReply::ok(), {}};
}
PhoneSimAnswer error() {
    return {PhoneSimReply::error(), {}};
}
}  // namespace PhoneSimAnswers

bool phoneSimNumber(const QByteArray& text, int* out) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok)
        *out = value;
    return ok;
}

void PhoneSimCommandTable::add(const QByteArray& name, PhoneSimHandler handler) {
    handlers_.insert(name.toUpper(), std::move(handler));
}

const PhoneSimHandler* PhoneSimCommandTable::find(const QByteArray& name) const {
    auto it = handlers_.constFind(name.toUpper());
    return it == handlers_.constEnd() ? nullptr : &it.value();
}

PhoneSimCommandTable PhoneSimCommandTable::standard() {
    PhoneSimCommandTable table;
    registerBasicCommands(table);
    registerPhonebookCommands(table);
    registerMessageSettingsCommands(table);
    registerMessageCommands(table);
    registerServiceCentreCommands(table);
    registerScheduleCommands(table);
    registerTodoCommands(table);
    registerCharsetCommands(table);
    return table;
}
