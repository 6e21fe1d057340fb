#include "phonebook/PcEntryColumns.h"

#include "db/Recordset.h"

PcPhonebookEntry readPcEntry(const Recordset& rows) {
    PcPhonebookEntry entry;
    entry.number = rows.intValue(QStringLiteral("Number"));
    entry.name = rows.textValue(QStringLiteral("Name"));
    entry.mainNumber = rows.textValue(QStringLiteral("MainNumber"));
    entry.officeNumber = rows.textValue(QStringLiteral("OfficeNumber"));
    entry.faxNumber = rows.textValue(QStringLiteral("FaxNumber"));
    entry.mobileNumber = rows.textValue(QStringLiteral("MobileNumber"));
    entry.homeNumber = rows.textValue(QStringLiteral("HomeNumber"));
    entry.pagerNumber = rows.textValue(QStringLiteral("PagerNumber"));
    entry.emailAddress = rows.textValue(QStringLiteral("EmailAddress"));
    entry.address = rows.textValue(QStringLiteral("Address"));
    entry.memo = rows.textValue(QStringLiteral("Memo"));
    return entry;
}

void writePcEntry(Recordset& rows, const PcPhonebookEntry& entry) {
    rows.setValue(QStringLiteral("Number"), entry.number);
    rows.setValue(QStringLiteral("Name"), entry.name);
    rows.setValue(QStringLiteral("MainNumber"), entry.mainNumber);
    rows.setValue(QStringLiteral("OfficeNumber"), entry.officeNumber);
    rows.setValue(QStringLiteral("FaxNumber"), entry.faxNumber);
    rows.setValue(QStringLiteral("MobileNumber"), entry.mobileNumber);
    rows.setValue(QStringLiteral("HomeNumber"), entry.homeNumber);
    rows.setValue(QStringLiteral("PagerNumber"), entry.pagerNumber);
    rows.setValue(QStringLiteral("EmailAddress"), entry.emailAddress);
    rows.setValue(QStringLiteral("Address"), entry.address);
    rows.setValue(QStringLiteral("Memo"), entry.memo);
}
