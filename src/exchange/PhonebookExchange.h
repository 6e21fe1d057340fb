#pragma once

#include <QList>
#include <QString>

#include "exchange/ExchangeResult.h"
#include "phonebook/PhonebookEntry.h"

class PhoneLink;
class Progress;

// The phonebooks as vCard 3.0 and as CSV. Exports write the cache tables as they are, memory
// by memory in the order given, each in index order. Imports add every readable entry as a new
// entry of the target memory through the phonebook's own store: on the phone first while
// phoneOrNull answers, at the first free index, within the memory's capacity.

ExchangeResult exportPhonebookVCard(const QString& file, const QList<PhonebookMemory>& memories);
ExchangeResult importPhonebookVCard(const QString& file, PhonebookMemory target,
                                    PhoneLink* phoneOrNull, Progress& progress);

ExchangeResult exportPhonebookCsv(const QString& file, const QList<PhonebookMemory>& memories);
ExchangeResult importPhonebookCsv(const QString& file, PhonebookMemory target,
                                  PhoneLink* phoneOrNull, Progress& progress);
