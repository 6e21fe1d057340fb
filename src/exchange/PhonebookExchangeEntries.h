// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "phonebook/PhonebookEntry.h"

// What the phonebook exports and imports share: the memories' names in files and messages,
// numbers as the lists show them and as the phone stores them, and entries on their way.
namespace phonebook_exchange {

// "SIM", "MS" or "PC", as files name the memories.
QString memoryText(PhonebookMemory memory);
std::optional<PhonebookMemory> memoryOfText(const QString& text);
// "SIM phonebook", ... for the messages.
QString phonebookName(PhonebookMemory memory);

// A dial string as the lists show it: a caller-ID prefix stored with the "+" in front reads
// with the "+" behind it, which is also what the entry dialogs take.
QString shownNumber(const QString& stored);
// Address books write numbers for reading ("+44 (20) 7946-0000"); the phone takes dialling
// characters only.
QString dialledNumber(QString number);
QString storedNumber(const QString& shown);

// One entry of every memory as the exports see it: the PC row's columns, of which the phone
// memories fill only the number, name and main number.
struct ListedEntry {
    PhonebookMemory memory = MemoryPc;
    PcPhonebookEntry entry;
};
QList<ListedEntry> listedEntries(const QList<PhonebookMemory>& memories);

// An entry read from a file, with where it came from for the messages.
struct IncomingEntry {
    QString origin;  // "card at line 12", "line 12"
    std::optional<PhonebookMemory> memory;
    int index = 0;
    PcPhonebookEntry entry;
};

}  // namespace phonebook_exchange
