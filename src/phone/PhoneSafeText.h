// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What a piece of user text becomes inside an AT command, which decides what it may hold.
enum class PhoneTextKind {
    Name,         // a phonebook name: between double quotes on one command line
    Number,       // a dial string or service centre address: dialling characters only
    Contents,     // schedule or to-do contents: between double quotes on one command line
    MessageText,  // a short message's text, sent after the prompt: line ends are allowed
    MessageUnit,  // a short message's text inside a PDU: hex digits on the line, so any character
};

// Every command builder checks user text with this before anything is sent or stored, against the
// set in use (phoneTextCharset); schedule and to-do contents always against the phone's default
// set, since the maker's commands for them know no other. Returns an empty string when the text
// is safe, else the one message to show the user (naming the character).
QString phoneSafeTextProblem(const QString& text, PhoneTextKind kind);

// The check in the phone's default set (Latin-1 bytes between double quotes): a double quote
// would end the quoted field early, CR ends the command line (and could start a second one of
// the user's choosing), Ctrl-Z and ESC end or cancel a message, NUL cuts the line, and
// characters outside Latin-1 cannot be written as one byte.
QString defaultSetTextProblem(const QString& text, PhoneTextKind kind);

inline bool isPhoneSafeText(const QString& text, PhoneTextKind kind) {
    return phoneSafeTextProblem(text, kind).isEmpty();
}

// The characters a number may hold.
inline constexpr char kDiallingCharacters[] = "0123456789+*#PpWw/,";
