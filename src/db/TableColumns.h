// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The column names of every table, written once: the schema creates the tables from these and
// the stores read and write through them.

namespace PhonebookColumns {
inline const QString Number = QStringLiteral("Number");  // the phone's index
inline const QString Name = QStringLiteral("Name");
inline const QString MainNumber = QStringLiteral("MainNumber");
inline const QString Type = QStringLiteral("Type");  // deletion tables: the memory it came from
inline const QString OfficeNumber = QStringLiteral("OfficeNumber");
inline const QString FaxNumber = QStringLiteral("FaxNumber");
inline const QString MobileNumber = QStringLiteral("MobileNumber");
inline const QString HomeNumber = QStringLiteral("HomeNumber");
inline const QString PagerNumber = QStringLiteral("PagerNumber");
inline const QString EmailAddress = QStringLiteral("EmailAddress");
inline const QString Address = QStringLiteral("Address");
inline const QString Memo = QStringLiteral("Memo");
}  // namespace PhonebookColumns

namespace SmsColumns {
inline const QString Number = QStringLiteral("Number");  // the SIM location
inline const QString Name = QStringLiteral("Name");
inline const QString PhoneNumber = QStringLiteral("PhoneNumber");
inline const QString Date = QStringLiteral("Date");
inline const QString Status = QStringLiteral("Status");
inline const QString Message = QStringLiteral("Message");
inline const QString Type = QStringLiteral("Type");
inline const QString Reply = QStringLiteral("Reply");
inline const QString Pid = QStringLiteral("Pid");
// Yes for a row an import added while no phone answered: the SIM does not hold it.
inline const QString CacheOnly = QStringLiteral("CacheOnly");
// A message in several parts: every part's location in part order ("3,4,5"), and which parts
// the SIM lacks ("2 of 3"); empty for a message in one.
inline const QString Parts = QStringLiteral("Parts");
inline const QString Missing = QStringLiteral("Missing");
// The unit as the phone gave it, kept for a message that could not be decoded.
inline const QString RawPdu = QStringLiteral("RawPdu");
}  // namespace SmsColumns

namespace PhoneScheduleColumns {
inline const QString Index = QStringLiteral("index");
inline const QString Type = QStringLiteral("type");
inline const QString Year = QStringLiteral("year");
inline const QString Month = QStringLiteral("month");
inline const QString Date = QStringLiteral("date");
inline const QString Hour = QStringLiteral("hour");
inline const QString Minute = QStringLiteral("minute");
inline const QString AlarmHour = QStringLiteral("alarm_hour");
inline const QString AlarmMinute = QStringLiteral("alarm_minute");
inline const QString Contents = QStringLiteral("contents");
inline const QString AlarmState = QStringLiteral("alarm_state");
}  // namespace PhoneScheduleColumns

namespace ReminderColumns {
inline const QString Title = QStringLiteral("title");
inline const QString StartYear = QStringLiteral("start_year");
inline const QString StartMonth = QStringLiteral("start_month");
inline const QString StartDay = QStringLiteral("start_day");
inline const QString StartHour = QStringLiteral("start_hour");
inline const QString StartMinute = QStringLiteral("start_minute");
inline const QString AlarmHour = QStringLiteral("alarm_hour");
inline const QString AlarmMinute = QStringLiteral("alarm_minute");
inline const QString AlarmState = QStringLiteral("alarm_state");
inline const QString Enable = QStringLiteral("enable");
inline const QString Type = QStringLiteral("type");
}  // namespace ReminderColumns

namespace TodoColumns {
inline const QString Index = QStringLiteral("index");
inline const QString Contents = QStringLiteral("contents");
inline const QString Priority = QStringLiteral("priority");
inline const QString UntilYear = QStringLiteral("until_year");
inline const QString UntilMonth = QStringLiteral("until_month");
inline const QString UntilDay = QStringLiteral("until_day");
inline const QString Mark = QStringLiteral("mark");
inline const QString DoneDate = QStringLiteral("done_date");
}  // namespace TodoColumns
