// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

#include "exchange/ExchangeResult.h"

class PhoneLink;
class Progress;

// The message table as CSV (every column of table SMS) and as the XML that SMS backup tools
// of other phones read and write. stamp dates the stored (unsent and sent) messages, which
// carry no time of their own.

ExchangeResult exportSmsCsv(const QString& file);
ExchangeResult exportSmsXml(const QString& file, const QDateTime& stamp);

// While a phone answers, an import writes the messages to its SIM (see SmsRestore.h). Else it
// adds rows to the cache only, each at the first free location, never over an existing row nor
// as a copy of one; the summary then says that they live there alone until an import with the
// phone, and the next load says how many of them it no longer lists.
ExchangeResult importSmsCsv(const QString& file, PhoneLink* phoneOrNull, Progress& progress);
ExchangeResult importSmsXml(const QString& file, PhoneLink* phoneOrNull, Progress& progress);
