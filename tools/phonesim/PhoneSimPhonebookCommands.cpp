// SPDX-License-Identifier: GPL-3.0-or-later
// Phonebook selection, reading and writing ("+CPBS", "+CPBR", "+CPBW").
#include "phonesim/PhoneSimCommandTable.h"
#include "phonesim/PhoneSimState.h"

namespace {

using Kind = PhoneSimCommand::Kind;

using PhoneSimAnswers::error;
using PhoneSimAnswers::ok;

bool inRange(const PhoneSimState& state, const PhoneSimPhonebook& book, int index) {
    return index >= state.firstPhonebookIndex && index < state.firstPhonebookIndex + book.capacity;
}

QByteArray indexRange(const PhoneSimState& state, const PhoneSimPhonebook& book) {
    return '(' + QByteArray::number(state.firstPhonebookIndex) + '-' +
           QByteArray::number(state.firstPhonebookIndex + book.capacity - 1) + ')';
}

// The dial string without its extension: cut at the first "P", else "/", else "p".
QString withoutExtension(const QString& dial) {
    for (QChar marker : {u'P', u'/', u'p'}) {
        const qsizetype at = dial.indexOf(marker);
        if (at >= 0)
            return dial.left(at);
    }
    return dial;
}

QByteArray quotedText(const PhoneSimState& state, const QString& text) {
    return '"' + state.encodeText(text) + '"';
}

QByteArray entryLine(const PhoneSimState& state, int index, const PhoneSimPhonebookEntry& entry) {
    return "+CPBR: " + QByteArray::number(index) + ',' + quotedText(state, entry.dial) + ',' +
           QByteArray::number(entry.type) + ',' + quotedText(state, entry.name);
}

PhoneSimAnswer selectStorage(PhoneSimState& state, const PhoneSimCommand& command) {
    switch (command.kind) {
        case Kind::Test:
            return {PhoneSimReply::linesThenOk(
                        {state.phoneMemory ? "+CPBS: (\"SM\",\"ME\")" : "+CPBS: (\"SM\")"}),
                    {}};
        case Kind::Query: {
            const PhoneSimPhonebook& book = state.selectedBook();
            return {
                PhoneSimReply::linesThenOk(
                    {"+CPBS: " + PhoneSimReply::quoted(state.selectedPhonebook.toUpper()) + ',' +
                     QByteArray::number(book.used()) + ',' + QByteArray::number(book.capacity)}),
                {}};
        }
        case Kind::Set: {
            const QList<QByteArray> fields = command.fields();
            const QString storage = QString::fromLatin1(fields.value(0)).trimmed().toLower();
            if (fields.size() != 1 || !state.phonebook(storage))
                return error();
            state.selectedPhonebook = storage;
            return ok();
        }
        case Kind::Action:
            break;
    }
    return error();
}

PhoneSimAnswer readEntries(PhoneSimState& state, const PhoneSimCommand& command) {
    const PhoneSimPhonebook& book = state.selectedBook();
    if (command.kind == Kind::Test)
        return {PhoneSimReply::linesThenOk({"+CPBR: " + indexRange(state, book) + ",40,18"}), {}};
    if (command.kind != Kind::Set)
        return error();
    const QList<QByteArray> fields = command.fields();
    int first = 0;
    int last = 0;
    if (fields.isEmpty() || fields.size() > 2 || !phoneSimNumber(fields.at(0), &first))
        return error();
    last = first;
    if (fields.size() == 2 && !phoneSimNumber(fields.at(1), &last))
        return error();
    if (!inRange(state, book, first) || !inRange(state, book, last) || last < first)
        return error();

    QList<QByteArray> lines;
    for (auto it = book.entries.lower_bound(first); it != book.entries.end() && it->first <= last;
         ++it)
        lines.append(entryLine(state, it->first, it->second));
    return {PhoneSimReply::linesThenOk(lines), {}};
}

void releaseExtension(PhoneSimState& state, const PhoneSimPhonebook& book, int index) {
    auto it = book.entries.find(index);
    if (it != book.entries.end() && PhoneSimState::hasExtension(it->second.dial) &&
        state.extensionUsed > 0)
        --state.extensionUsed;
}

PhoneSimAnswer writeEntry(PhoneSimState& state, const PhoneSimCommand& command) {
    PhoneSimPhonebook& book = state.selectedBook();
    if (command.kind == Kind::Test)
        return {PhoneSimReply::linesThenOk(
                    {"+CPBW: " + indexRange(state, book) + ",(0-3),40,(129,145),18"}),
                {}};
    if (command.kind != Kind::Set)
        return error();

    // Forms: index (delete); index,mode,"dial",type,"name"; index,"dial",type,"name".
    const QList<QByteArray> fields = command.fields();
    int index = 0;
    const bool indexGiven = !fields.value(0).trimmed().isEmpty();
    if (fields.isEmpty() || (indexGiven && !phoneSimNumber(fields.at(0), &index)))
        return error();
    if (fields.size() == 1) {
        if (!inRange(state, book, index))
            return error();
        releaseExtension(state, book, index);
        book.entries.erase(index);
        return ok();
    }
    if (fields.size() != 4 && fields.size() != 5)
        return error();
    const qsizetype first = fields.size() == 5 ? 2 : 1;
    if (fields.size() == 5) {
        int mode = -1;
        if (!phoneSimNumber(fields.at(1), &mode) || mode < 0 || mode > 3)
            return error();
    }
    int type = 0;
    if (!phoneSimNumber(fields.at(first + 1), &type) || type < 128 || type > 255)
        return error();
    if (!indexGiven) {
        index = state.firstPhonebookIndex;
        while (inRange(state, book, index) && book.entries.count(index))
            ++index;
    }
    if (!inRange(state, book, index))
        return error();

    PhoneSimPhonebookEntry entry{state.decodeNumber(fields.at(first)), type,
                                 state.decodeText(fields.at(first + 2))};
    releaseExtension(state, book, index);
    bool extensionDropped = false;
    if (PhoneSimState::hasExtension(entry.dial)) {
        if (state.extensionUsed < state.extensionCapacity) {
            ++state.extensionUsed;
        } else {
            entry.dial = withoutExtension(entry.dial);
            extensionDropped = true;
        }
    }
    book.entries[index] = entry;
    if (extensionDropped)
        return {PhoneSimReply::linesThenOk({"+CPBW: 1"}), {}};
    return ok();
}

}  // namespace

void registerPhonebookCommands(PhoneSimCommandTable& table) {
    table.add("+CPBS", selectStorage);
    table.add("+CPBR", readEntries);
    table.add("+CPBW", writeEntry);
}
