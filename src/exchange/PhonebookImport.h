// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <optional>

#include "exchange/ExchangeResult.h"
#include "exchange/PhonebookExchangeEntries.h"

class PhoneLink;
class Progress;

namespace phonebook_exchange {

// Adds the entries through the phonebook's stores (see PhonebookExchange.h for where each
// goes), on top of what `result` already says about the file.
ExchangeResult importEntries(const QList<IncomingEntry>& entries,
                             std::optional<PhonebookMemory> target, PhoneLink* phoneOrNull,
                             Progress& progress, ExchangeResult result);

}  // namespace phonebook_exchange
