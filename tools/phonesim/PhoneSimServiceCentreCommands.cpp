// SPDX-License-Identifier: GPL-3.0-or-later
// The SMS service centre address ("+CSCA").
#include "phonesim/PhoneSimCommandTable.h"
#include "phonesim/PhoneSimState.h"

namespace {

using Kind = PhoneSimCommand::Kind;

PhoneSimAnswer serviceCentre(PhoneSimState& state, const PhoneSimCommand& command) {
    switch (command.kind) {
        case Kind::Test:
            return {PhoneSimReply::ok(), {}};
        case Kind::Query:
            return {
                PhoneSimReply::linesThenOk({"+CSCA: \"" + state.encodeText(state.serviceCentre) +
                                            "\"," + QByteArray::number(state.serviceCentreType)}),
                {}};
        case Kind::Set: {
            const QList<QByteArray> fields = command.fields();
            const QString address = state.decodeNumber(fields.value(0).trimmed());
            int type = address.startsWith(u'+') ? 145 : 129;
            if (fields.isEmpty() || fields.size() > 2 || address.isEmpty() ||
                (fields.size() == 2 && !phoneSimNumber(fields.at(1), &type)))
                return {PhoneSimReply::error(), {}};
            state.serviceCentre = address;
            state.serviceCentreType = type;
            return {PhoneSimReply::ok(), {}};
        }
        case Kind::Action:
            break;
    }
    return {PhoneSimReply::error(), {}};
}

}  // namespace

void registerServiceCentreCommands(PhoneSimCommandTable& table) {
    table.add("+CSCA", serviceCentre);
}
