#pragma once

#include "phonebook/PhonebookEntry.h"

class Recordset;

// The eleven columns of pc (and pTemp) to and from the current row or edit buffer.
PcPhonebookEntry readPcEntry(const Recordset& rows);
void writePcEntry(Recordset& rows, const PcPhonebookEntry& entry);
