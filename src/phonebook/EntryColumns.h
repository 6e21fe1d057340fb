// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "phonebook/PhonebookEntry.h"

class Recordset;

// The three columns of sim and ms (and sTemp, mTemp): reads the current row; adds a row and
// requeries.
PhonebookEntry readPhoneEntry(const Recordset& rows);
void addPhoneEntryRow(Recordset& rows, const PhonebookEntry& entry);

// The eleven columns of pc (and pTemp) to and from the current row or edit buffer.
PcPhonebookEntry readPcEntry(const Recordset& rows);
void writePcEntry(Recordset& rows, const PcPhonebookEntry& entry);
