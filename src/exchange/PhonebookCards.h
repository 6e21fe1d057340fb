// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchange/PhonebookExchangeEntries.h"

class VCardWriter;
struct VCardCard;

// One phonebook entry as one vCard and back. The memory and index travel in private
// properties, so that an import puts an exported entry back where it was.
namespace phonebook_exchange {

void writeCard(VCardWriter& out, const ListedEntry& listed);
// Numbers without a column of their own, and further e-mail addresses, go into the memo.
IncomingEntry entryOfCard(const VCardCard& card);

}  // namespace phonebook_exchange
