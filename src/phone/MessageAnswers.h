// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

#include "phone/PhoneCharset.h"

// Answers of the short-message commands (text mode, header details shown).

// The twelve fields of a read message body. Received ("REC UNREAD", "REC READ") and stored
// ("STO UNSENT", "STO SENT") messages order their header fields differently.
enum MessageBodyField {
    kMessageStatus = 0,
    kMessageAddress = 1,
    kMessageName = 2,
    kMessageCentre = 8,
    kMessageLength = 10,
    kMessageText = 11,
};
inline constexpr int kMessageBodyFields = 12;

// Everything behind the first "+CMGR: " of a read answer; empty when the answer holds none
// (an empty location answers only "OK").
QString messageBodyOf(const QString& answer);

// Cuts a body into its twelve fields: the header line's fields without their quotes (fields a
// header without details leaves out stay empty), then the text, which is everything between the
// header line and the final result framing, whatever length field 10 announces.
// The addresses, the name and the text are read in the set the link uses.
QStringList cutMessageBody(const QString& body, PhoneCharset set = PhoneCharset::Latin1);

// Decodes the addresses, the name and the text of a body's twelve fields from the set the link
// uses (a read's or a listing's); Latin-1 leaves them as they are.
void decodeMessageFields(QStringList& fields, PhoneCharset set);

// The text of a read (or of a listing's last message): everything behind the header line up to
// the final result framing, that is the final line, the line end before it and the empty line
// many phones put there.
QString messageTextOf(const QString& afterHeader);

// Header fields of phones that put blanks behind the commas: the blanks go, and so do the quotes
// the splitter left on a field that began with a blank.
void trimHeaderFields(QStringList& fields);

// A body whose status holds "READ" is a received message; any other is a stored one.
bool isReceivedMessage(const QStringList& fields);

// The decimal integer right behind the first colon (the used count of "+CPMS: 3,10,..."),
// or -1 when there is none.
int usedMessageCountOf(const QString& answer);

// The decimal text of the index right behind the first "+CMGW: "; false when there is none.
bool writtenMessageIndexOf(const QString& answer, QString& index);

// The code of the last "+CMS ERROR: <n>" line of a failed answer; -1 when it holds none.
int messageErrorCodeOf(const QString& answer);

// The one character a field of the new-message indication becomes on the command line.
QChar indicationCharacterOf(const QString& field);
