// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "phone/PhoneCharset.h"

// One phonebook entry as the phone's read answer gives it, behind "+CPBR: ":
//   index,"dial string",number type,"name"
struct PhonebookEntryAnswer {
    int index = 0;
    QString dialString;  // quotes removed, otherwise as the phone sent it
    int numberType = 0;  // as sent; a dial string is international by its leading "+" alone
    QString name;
};

// The entry text of a read answer: everything behind the first "+CPBR: " to the end, line
// ends and the final "OK" included; empty when the marker is missing (an empty index answers
// "OK" alone).
QString PhonebookEntryText(const QString& answer);

// Cuts an entry text into its four fields. The cut stops at the carriage return behind the
// name, so the trailing "OK" never reaches a field. False for an empty text and for an index
// that is not a positive number: there is no entry to keep. The dial string and name are read in
// the set the link uses.
bool ParsePhonebookEntry(const QString& entryText, PhonebookEntryAnswer& entry,
                         PhoneCharset set = PhoneCharset::Latin1);
