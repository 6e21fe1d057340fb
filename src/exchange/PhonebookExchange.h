// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "exchange/ExchangeResult.h"
#include "phonebook/PhonebookEntry.h"

class PhoneLink;
class Progress;

// The phonebooks as vCard 3.0 and as CSV. Exports write the cache tables as they are, memory
// by memory in the order given, each in index order, with the memory and index of every entry
// so that an import puts it back where it was.
//
// Imports add every readable entry as a new entry through the phonebook's own stores: on the
// phone first while phoneOrNull answers, with the entry dialogs' rules for names, dial strings
// and capacity. An entry goes into target, else into the memory the file names for it, else
// into the PC phonebook; at its old index when that is free, else at the first free one. An
// entry already there (same name and number) is not added twice.

ExchangeResult exportPhonebookVCard(const QString& file, const QList<PhonebookMemory>& memories);
ExchangeResult importPhonebookVCard(const QString& file, std::optional<PhonebookMemory> target,
                                    PhoneLink* phoneOrNull, Progress& progress);

ExchangeResult exportPhonebookCsv(const QString& file, const QList<PhonebookMemory>& memories);
ExchangeResult importPhonebookCsv(const QString& file, std::optional<PhonebookMemory> target,
                                  PhoneLink* phoneOrNull, Progress& progress);
