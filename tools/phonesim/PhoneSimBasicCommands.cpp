// SPDX-License-Identifier: GPL-3.0-or-later
// Reset, echo, identification and the maker's feature mask.
#include "phonesim/PhoneSimCommandTable.h"
#include "phonesim/PhoneSimState.h"

namespace {

using Kind = PhoneSimCommand::Kind;

PhoneSimAnswer bareAt(PhoneSimState&, const PhoneSimCommand&) {
    return {PhoneSimReply::ok(), {}};
}

// The stored profile is the state itself, so a reset changes nothing but the character set.
PhoneSimAnswer reset(PhoneSimState& state, const PhoneSimCommand& command) {
    if (command.kind != Kind::Action)
        return {PhoneSimReply::error(), {}};
    state.charset = PhoneSimState{}.charset;
    return {PhoneSimReply::ok(), {}};
}

PhoneSimAnswer echo(PhoneSimState& state, const PhoneSimCommand& command) {
    if (command.kind != Kind::Action)
        return {PhoneSimReply::error(), {}};
    if (command.args.isEmpty() || command.args == "0")
        state.echo = false;
    else if (command.args == "1")
        state.echo = true;
    else
        return {PhoneSimReply::error(), {}};
    return {PhoneSimReply::ok(), {}};
}

// "+CGMI", "+CGMM", "+CGMR", "+CGSN": one line of text each.
PhoneSimHandler identityLine(QString PhoneSimState::*field) {
    return [field](PhoneSimState& state, const PhoneSimCommand& command) -> PhoneSimAnswer {
        if (command.kind == Kind::Test)
            return {PhoneSimReply::ok(), {}};
        if (command.kind != Kind::Action || !command.args.isEmpty())
            return {PhoneSimReply::error(), {}};
        return {PhoneSimReply::linesThenOk({(state.*field).toLatin1()}), {}};
    };
}

// Error reports as numbers or texts: the transaction reads both, so the setting is only kept.
PhoneSimAnswer errorReports(PhoneSimState&, const PhoneSimCommand& command) {
    if (command.kind == Kind::Test)
        return {PhoneSimReply::linesThenOk({"+CMEE: (0-2)"}), {}};
    return {command.kind == Kind::Set ? PhoneSimReply::ok() : PhoneSimReply::error(), {}};
}

PhoneSimAnswer featureMask(PhoneSimState& state, const PhoneSimCommand& command) {
    if (command.kind == Kind::Test)
        return {PhoneSimReply::ok(), {}};
    if (command.kind == Kind::Set || !command.args.isEmpty())
        return {PhoneSimReply::error(), {}};
    return {PhoneSimReply::linesThenOk({"+CRFO: " + QByteArray::number(state.featureMask)}), {}};
}

}  // namespace

void registerBasicCommands(PhoneSimCommandTable& table) {
    table.add("", bareAt);
    table.add("Z", reset);
    table.add("E", echo);
    table.add("+CGMI", identityLine(&PhoneSimState::maker));
    table.add("+CGMM", identityLine(&PhoneSimState::model));
    table.add("+CGMR", identityLine(&PhoneSimState::revision));
    table.add("+CGSN", identityLine(&PhoneSimState::serialNumber));
    table.add("+CMEE", errorReports);
    table.add("+CRFO", featureMask);
}
