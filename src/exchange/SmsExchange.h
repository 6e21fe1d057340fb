#pragma once

#include <QDateTime>
#include <QString>

#include "exchange/ExchangeResult.h"

class Progress;

// The message table as CSV (every column of table SMS) and as the XML that SMS backup tools
// of other phones read and write. stamp dates the stored (unsent and sent) messages, which
// carry no time of their own.

ExchangeResult exportSmsCsv(const QString& file);
ExchangeResult exportSmsXml(const QString& file, const QDateTime& stamp);

// Imports add rows to the cache only (the SIM's messages are the phone's, and a message list
// cannot be written back to it): each at the first free location, never over an existing row.
ExchangeResult importSmsCsv(const QString& file, Progress& progress);
ExchangeResult importSmsXml(const QString& file, Progress& progress);
