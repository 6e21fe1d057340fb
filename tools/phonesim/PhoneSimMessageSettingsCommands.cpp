// SPDX-License-Identifier: GPL-3.0-or-later
// Message storage, mode, sending parameters and new-message indication settings.
#include "phonesim/PhoneSimCommandTable.h"
#include "phonesim/PhoneSimState.h"

namespace {

using Kind = PhoneSimCommand::Kind;

using PhoneSimAnswers::error;
using PhoneSimAnswers::ok;
PhoneSimAnswer lines(const QList<QByteArray>& text) {
    return {PhoneSimReply::linesThenOk(text), {}};
}

QByteArray usage(const PhoneSimMessageStorage& storage) {
    return QByteArray::number(storage.used()) + ',' + QByteArray::number(storage.capacity);
}

PhoneSimAnswer preferredStorage(PhoneSimState& state, const PhoneSimCommand& command) {
    switch (command.kind) {
        case Kind::Test:
            if (!state.makerCommands) {
                return lines({"+CPMS: (\"SM\",\"ME\"),(\"SM\",\"ME\"),(\"SM\",\"ME\")"});
            }
            return lines({"+CPMS: (\"SM\",\"BM\"),(\"SM\",\"BM\"),(\"SM\")"});
        case Kind::Query: {
            PhoneSimMessageStorage* storage = state.messageStorage(state.selectedMessageStorage);
            const QByteArray name = PhoneSimReply::quoted(state.selectedMessageStorage.toUpper());
            const QByteArray part = name + ',' + usage(*storage);
            return lines({"+CPMS: " + part + ',' + part + ',' + part});
        }
        case Kind::Set: {
            const QList<QByteArray> fields = command.fields();
            const QString name = QString::fromLatin1(fields.value(0)).trimmed().toLower();
            PhoneSimMessageStorage* storage = state.messageStorage(name);
            if (fields.isEmpty() || fields.size() > 3 || !storage)
                return error();
            state.selectedMessageStorage = name;
            const QByteArray part = usage(*storage);
            return lines({"+CPMS: " + part + ',' + part + ',' + part});
        }
        case Kind::Action:
            break;
    }
    return error();
}

// A setting of one number in a range: "+CMGF" and "+CSDH".
PhoneSimHandler flagSetting(QByteArray name, int PhoneSimState::*member) {
    return [name, member](PhoneSimState& state, const PhoneSimCommand& command) {
        int value = 0;
        switch (command.kind) {
            case Kind::Test:
                return lines({name + ": (0,1)"});
            case Kind::Query:
                return lines({name + ": " + QByteArray::number(state.*member)});
            case Kind::Set:
                if (!phoneSimNumber(command.args, &value) || value < 0 || value > 1)
                    return error();
                state.*member = value;
                return ok();
            case Kind::Action:
                break;
        }
        return error();
    };
}

PhoneSimAnswer sendParameters(PhoneSimState& state, const PhoneSimCommand& command) {
    if (command.kind == Kind::Query)
        return lines({"+CSMP: " + QByteArray::number(state.sendFirstOctet) + ',' +
                      QByteArray::number(state.sendValidity) + ',' +
                      QByteArray::number(state.sendProtocolId) + ',' +
                      QByteArray::number(state.sendCoding)});
    if (command.kind == Kind::Test)
        return ok();
    if (command.kind != Kind::Set)
        return error();
    const QList<QByteArray> fields = command.fields();
    int values[4] = {state.sendFirstOctet, state.sendValidity, state.sendProtocolId,
                     state.sendCoding};
    if (fields.isEmpty() || fields.size() > 4)
        return error();
    for (qsizetype i = 0; i < fields.size(); ++i) {
        if (fields.at(i).trimmed().isEmpty())
            continue;
        if (!phoneSimNumber(fields.at(i), &values[i]) || values[i] < 0 || values[i] > 255)
            return error();
    }
    state.sendFirstOctet = values[0];
    state.sendValidity = values[1];
    state.sendProtocolId = values[2];
    state.sendCoding = values[3];
    return ok();
}

PhoneSimAnswer newMessageIndication(PhoneSimState& state, const PhoneSimCommand& command) {
    switch (command.kind) {
        case Kind::Test:
            return lines({"+CNMI: (0-3),(0-3),(0-3),(0-2),(0,1)"});
        case Kind::Query:
            return lines({"+CNMI: " + state.newMessageIndication.toLatin1()});
        case Kind::Set: {
            const QList<QByteArray> fields = command.fields();
            QStringList values;
            for (const QByteArray& field : fields) {
                int value = 0;
                if (!phoneSimNumber(field, &value) || value < 0 || value > 3)
                    return error();
                values.append(QString::number(value));
            }
            if (values.isEmpty() || values.size() > 5)
                return error();
            state.newMessageIndication = values.join(u',');
            return ok();
        }
        case Kind::Action:
            break;
    }
    return error();
}

}  // namespace

void registerMessageSettingsCommands(PhoneSimCommandTable& table) {
    table.add("+CPMS", preferredStorage);
    table.add("+CMGF", flagSetting("+CMGF", &PhoneSimState::messageFormat));
    table.add("+CSDH", flagSetting("+CSDH", &PhoneSimState::showHeader));
    table.add("+CSMP", sendParameters);
    table.add("+CNMI", newMessageIndication);
}
