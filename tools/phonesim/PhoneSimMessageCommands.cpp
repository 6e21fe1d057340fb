// Short message storage ("+CPMS").
#include "phonesim/PhoneSimCommandTable.h"
#include "phonesim/PhoneSimState.h"

namespace {

using Kind = PhoneSimCommand::Kind;

QByteArray usage(const PhoneSimMessageStorage& storage) {
    return QByteArray::number(storage.used()) + ',' + QByteArray::number(storage.capacity);
}

PhoneSimAnswer preferredStorage(PhoneSimState& state, const PhoneSimCommand& command) {
    switch (command.kind) {
        case Kind::Test:
            return {PhoneSimReply::linesThenOk({"+CPMS: (\"SM\",\"BM\"),(\"SM\",\"BM\"),(\"SM\")"}),
                    {}};
        case Kind::Query: {
            PhoneSimMessageStorage* storage = state.messageStorage(state.selectedMessageStorage);
            const QByteArray name = PhoneSimReply::quoted(state.selectedMessageStorage.toUpper());
            const QByteArray part = name + ',' + usage(*storage);
            return {PhoneSimReply::linesThenOk({"+CPMS: " + part + ',' + part + ',' + part}), {}};
        }
        case Kind::Set: {
            const QList<QByteArray> fields = command.fields();
            const QString name = QString::fromLatin1(fields.value(0)).trimmed().toLower();
            PhoneSimMessageStorage* storage = state.messageStorage(name);
            if (fields.isEmpty() || fields.size() > 3 || !storage)
                return {PhoneSimReply::error(), {}};
            state.selectedMessageStorage = name;
            const QByteArray part = usage(*storage);
            return {PhoneSimReply::linesThenOk({"+CPMS: " + part + ',' + part + ',' + part}), {}};
        }
        case Kind::Action:
            break;
    }
    return {PhoneSimReply::error(), {}};
}

}  // namespace

void registerMessageCommands(PhoneSimCommandTable& table) {
    table.add("+CPMS", preferredStorage);
}
