// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

#include "phone/PhoneSafeText.h"

// The character set names, texts and addresses travel in between the program and the phone
// (AT+CSCS). Latin-1 is the phone's default: no AT+CSCS is sent and bytes go unchanged.
enum class PhoneCharset {
    Latin1,
    Ucs2,
    Gsm,
};

// The profile's and the command line's value: "latin1", "ucs2", "gsm".
QString phoneCharsetValue(PhoneCharset set);
std::optional<PhoneCharset> phoneCharsetFromValue(const QString& value);
// The name AT+CSCS selects it by ("UCS2", "GSM"); empty for Latin-1, which is never selected.
QString phoneCharsetCommandName(PhoneCharset set);
// The choice as the Option dialog lists it.
QString phoneCharsetLabel(PhoneCharset set);

// User text as it goes into a command field or after the message prompt. Numbers follow the set
// like any other string. Characters the set cannot carry must have been refused by
// phoneCharsetProblem before; under GSM they would become "?".
QString encodeForPhone(const QString& text, PhoneCharset set);

struct PhoneFieldText {
    QString text;
    // The field was not valid in the set and is taken as the phone sent it: log it once.
    bool malformed = false;
};

// A field read from the phone. A number under UCS2 is decoded only when it is valid hex of
// dialling characters (phones differ in whether they encode numbers), else taken as it stands
// without complaint.
PhoneFieldText decodeFromPhone(const QString& field, PhoneCharset set, PhoneTextKind kind);

// A field of an answer as the program keeps it: decodeFromPhone, with a malformed field taken as
// the phone sent it and logged (each such field once).
QString phoneFieldText(const QString& field, PhoneCharset set, PhoneTextKind kind);

// How long the text is on the phone, as phones count name lengths: UTF-16 units under UCS2
// (a character beyond the basic plane is two), septets under GSM (an extension character is
// two), characters under Latin-1 (which holds none beyond the basic plane).
int phoneTextLength(const QString& text, PhoneCharset set);

// What the phone-safe check says about the text in the set in use: empty when it may be sent,
// else the one message for the user, naming the character. Latin-1 is today's check; under UCS2
// the hex is harmless, so only control characters are refused (and line ends only where the
// command line would need them to stay whole); under GSM every character outside the alphabet is
// refused, and so are those whose octet would end the field, the line or the message. Numbers
// keep their dialling characters in every set.
QString phoneCharsetProblem(const QString& text, PhoneTextKind kind, PhoneCharset set);
