// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/EntryColumns.h"

#include "db/Recordset.h"
#include "db/TableColumns.h"

using namespace PhonebookColumns;

PhonebookEntry readPhoneEntry(const Recordset& rows) {
    return PhonebookEntry{rows.intValue(Number), rows.textValue(Name), rows.textValue(MainNumber)};
}

void addPhoneEntryRow(Recordset& rows, const PhonebookEntry& entry) {
    rows.AddNew();
    rows.setValue(Number, entry.index);
    rows.setValue(Name, entry.name);
    rows.setValue(MainNumber, entry.dialString);
    rows.Update();
    rows.Requery();
}

PcPhonebookEntry readPcEntry(const Recordset& rows) {
    PcPhonebookEntry entry;
    entry.number = rows.intValue(Number);
    entry.name = rows.textValue(Name);
    entry.mainNumber = rows.textValue(MainNumber);
    entry.officeNumber = rows.textValue(OfficeNumber);
    entry.faxNumber = rows.textValue(FaxNumber);
    entry.mobileNumber = rows.textValue(MobileNumber);
    entry.homeNumber = rows.textValue(HomeNumber);
    entry.pagerNumber = rows.textValue(PagerNumber);
    entry.emailAddress = rows.textValue(EmailAddress);
    entry.address = rows.textValue(Address);
    entry.memo = rows.textValue(Memo);
    return entry;
}

void writePcEntry(Recordset& rows, const PcPhonebookEntry& entry) {
    rows.setValue(Number, entry.number);
    rows.setValue(Name, entry.name);
    rows.setValue(MainNumber, entry.mainNumber);
    rows.setValue(OfficeNumber, entry.officeNumber);
    rows.setValue(FaxNumber, entry.faxNumber);
    rows.setValue(MobileNumber, entry.mobileNumber);
    rows.setValue(HomeNumber, entry.homeNumber);
    rows.setValue(PagerNumber, entry.pagerNumber);
    rows.setValue(EmailAddress, entry.emailAddress);
    rows.setValue(Address, entry.address);
    rows.setValue(Memo, entry.memo);
}
