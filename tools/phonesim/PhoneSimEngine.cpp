// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonesim/PhoneSimEngine.h"

namespace {

constexpr char kCtrlZ = 0x1a;
constexpr char kEscape = 0x1b;

// Noise a bad cable might produce; no zero byte and no result word in it.
const QByteArray kGarbage("\xfe\x13~#\x7f", 5);

}  // namespace

PhoneSimEngine::PhoneSimEngine(PhoneSimState state)
    : state_(std::move(state)), table_(PhoneSimCommandTable::standard()) {}

QByteArray PhoneSimEngine::feed(const QByteArray& bytesFromHost) {
    QByteArray out;
    for (const PhoneSimExchange& exchange : feedExchanges(bytesFromHost))
        out += exchange.reply;
    return out;
}

QList<PhoneSimExchange> PhoneSimEngine::feedExchanges(const QByteArray& bytesFromHost) {
    receive(bytesFromHost);
    QList<PhoneSimExchange> exchanges;
    while (hasComplete())
        exchanges.append(processNext());
    return exchanges;
}

void PhoneSimEngine::receive(const QByteArray& bytesFromHost) {
    pending_ += bytesFromHost;
    dropBlankLines();
}

bool PhoneSimEngine::hasComplete() const {
    if (textEntry_)
        return pending_.contains(kCtrlZ) || pending_.contains(kEscape);
    return pending_.contains('\r');
}

// Line ends between commands (the LF of a CR LF, the CR after a message's Ctrl-Z) carry
// nothing.
void PhoneSimEngine::dropBlankLines() {
    if (textEntry_)
        return;
    qsizetype skip = 0;
    while (skip < pending_.size() &&
           (pending_.at(skip) == '\n' || pending_.at(skip) == '\r' || pending_.at(skip) == ' '))
        ++skip;
    pending_.remove(0, skip);
}

PhoneSimExchange PhoneSimEngine::processNext() {
    PhoneSimExchange exchange;
    if (!hasComplete())
        return exchange;

    if (textEntry_) {
        qsizetype end = pending_.indexOf(kCtrlZ);
        const qsizetype escape = pending_.indexOf(kEscape);
        if (end < 0 || (escape >= 0 && escape < end))
            end = escape;
        const bool cancelled = pending_.at(end) == kEscape;
        exchange.command = pending_.left(end + 1);
        pending_.remove(0, end + 1);
        const QByteArray text = exchange.command.left(end);
        PhoneSimTextEntry entry = std::move(textEntry_);
        textEntry_ = nullptr;
        if (faults_.garbage)
            exchange.reply += kGarbage;
        if (state_.echo)
            exchange.reply += exchange.command;
        exchange.reply += entry(state_, text, cancelled);
        dropBlankLines();
        return exchange;
    }

    const qsizetype end = pending_.indexOf('\r');
    exchange.command = pending_.left(end + 1);
    pending_.remove(0, end + 1);
    ++commandCount_;
    if (faults_.garbage)
        exchange.reply += kGarbage;
    if (state_.echo)
        exchange.reply += exchange.command;
    exchange.reply += handleLine(exchange.command.left(end));
    dropBlankLines();
    return exchange;
}

namespace {

// A read of a whole list: a message listing, or a phonebook read of more than one index.
bool isListRead(const PhoneSimCommand& command) {
    return command.name == "+CMGL" ||
           (command.name == "+CPBR" && command.kind == PhoneSimCommand::Kind::Set &&
            command.args.contains(','));
}

bool isMakerCommand(const QByteArray& name) {
    static const QList<QByteArray> names = {"+CRFO", "+SCHR", "+SCHW", "+SCHD",
                                            "+CTDR", "+CTDW", "+CTDD"};
    return names.contains(name);
}

}  // namespace

QByteArray PhoneSimEngine::handleLine(const QByteArray& line) {
    if (!faults_.errorPattern.isEmpty() &&
        line.toLower().contains(faults_.errorPattern.toLower())) {
        if (faults_.cmeError >= 0)
            return PhoneSimReply::cmeError(faults_.cmeError);
        return faults_.cmsError >= 0 ? PhoneSimReply::cmsError(faults_.cmsError)
                                     : PhoneSimReply::error();
    }
    PhoneSimCommand command;
    if (!PhoneSimCommand::parse(line, &command))
        return PhoneSimReply::error();
    const PhoneSimHandler* handler = table_.find(command.name);
    if (!handler || (faults_.noList && isListRead(command)) ||
        (!state_.makerCommands && isMakerCommand(command.name)))
        return PhoneSimReply::error();
    PhoneSimAnswer answer = (*handler)(state_, command);
    if (answer.textEntry)
        textEntry_ = std::move(answer.textEntry);
    return answer.bytes;
}
