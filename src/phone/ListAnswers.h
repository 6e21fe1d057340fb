// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "phone/PhoneCharset.h"
#include "phone/PhonebookAnswers.h"

// Answers of the commands that read a whole list at once: the message listing ("+CMGL: ")
// and a phonebook range ("+CPBR: " lines).

// One message of a listing, its header fields laid out as a read's body (see MessageAnswers.h)
// so that one row builder serves both.
struct ListedMessage {
    int index = 0;
    QStringList fields;  // twelve; those the listing does not carry are empty
    // False when only a read of the location gives every field: in text mode a stored
    // message's sending parameters (first octet, protocol, validity) are not listed.
    bool complete = false;
};

// Cuts a text-mode listing into its messages. A message's text runs to the next header; the
// length a header announces only decides which header is next when a text line looks like one.
// The last text ends at the final result framing, as a read's does. Addresses, names and texts
// are decoded from the set the link uses.
QList<ListedMessage> listedMessagesOf(const QString& answer,
                                      PhoneCharset set = PhoneCharset::Latin1);

// The entries of a phonebook range answer, one per "+CPBR: " line, in the phone's order;
// lines that hold no entry are left out. Names and numbers are decoded from the link's set.
QList<PhonebookEntryAnswer> phonebookRangeOf(const QString& answer,
                                             PhoneCharset set = PhoneCharset::Latin1);

// A listing or range answer ends in its final "OK" line: one that stopped half-way (a phone
// gone quiet) says nothing about the slots it did not reach.
bool endsInOk(const QString& answer);
