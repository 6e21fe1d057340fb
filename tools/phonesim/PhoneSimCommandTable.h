// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <functional>

struct PhoneSimState;

// One parsed AT command: "at+cpbr=5" -> name "+CPBR", kind Set, args "5".
struct PhoneSimCommand {
    enum class Kind { Action, Query, Test, Set };

    QByteArray line;  // the command line without its terminator, as received
    QByteArray name;  // upper case: "+CPBR", "E", "Z", "" for a bare "AT"
    Kind kind = Kind::Action;
    QByteArray args;  // text after "=" (Set) or the digits of a basic command ("E0" -> "0")

    // Splits args on commas outside double quotes; quoted fields lose their quotes.
    QList<QByteArray> fields() const;
    // Parses "at..." (any case); false when the line is no AT command.
    static bool parse(const QByteArray& line, PhoneSimCommand* out);
};

// Called with the typed text once the host ends it with Ctrl-Z (cancelled: ESC); returns the
// answer.
using PhoneSimTextEntry =
    std::function<QByteArray(PhoneSimState&, const QByteArray& text, bool cancelled)>;

// What a handler gives back: the answer bytes, and optionally a request to read message text.
struct PhoneSimAnswer {
    QByteArray bytes;
    PhoneSimTextEntry textEntry;  // set: the phone now reads text up to Ctrl-Z
};

using PhoneSimHandler = std::function<PhoneSimAnswer(PhoneSimState&, const PhoneSimCommand&)>;

// Answer building blocks in the phone's framing.
namespace PhoneSimReply {
QByteArray ok();                          // "\r\nOK\r\n"
QByteArray error();                       // "\r\nERROR\r\n"
QByteArray cmeError(int code);            // "\r\n+CME ERROR: <code>\r\n"
QByteArray cmsError(int code);            // "\r\n+CMS ERROR: <code>\r\n"
QByteArray line(const QByteArray& text);  // "\r\n<text>\r\n"
QByteArray linesThenOk(const QList<QByteArray>& lines);
QByteArray quoted(const QString& text);  // "\"text\"" in Latin-1
}  // namespace PhoneSimReply

// Handler answers that carry nothing but the final result.
namespace PhoneSimAnswers {
PhoneSimAnswer ok();
PhoneSimAnswer error();
}  // namespace PhoneSimAnswers

// A decimal field (blanks around it allowed); false when it is no number.
bool phoneSimNumber(const QByteArray& text, int* out);

// Handlers by command name; each feature registers its commands from a file of its own.
class PhoneSimCommandTable {
  public:
    void add(const QByteArray& name, PhoneSimHandler handler);
    const PhoneSimHandler* find(const QByteArray& name) const;
    // The table with every command the phone knows.
    static PhoneSimCommandTable standard();

  private:
    QMap<QByteArray, PhoneSimHandler> handlers_;
};

void registerBasicCommands(PhoneSimCommandTable& table);
void registerPhonebookCommands(PhoneSimCommandTable& table);
void registerMessageSettingsCommands(PhoneSimCommandTable& table);
void registerMessageCommands(PhoneSimCommandTable& table);
void registerServiceCentreCommands(PhoneSimCommandTable& table);
void registerScheduleCommands(PhoneSimCommandTable& table);
void registerTodoCommands(PhoneSimCommandTable& table);
void registerCharsetCommands(PhoneSimCommandTable& table);
