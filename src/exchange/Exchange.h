// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

#include "exchange/ExchangeResult.h"

class PhoneLink;
class Progress;

// The one entry point for exporting and importing lists in other programs' formats; the
// command-line tool and the window both come through here.

enum class ExchangeWhat { Phonebook, Schedule, Todo, Sms };
enum class ExchangeFormat { VCard, ICalendar, Csv, Xml };

struct ExchangeOptions {
    ExchangeWhat what = ExchangeWhat::Phonebook;
    ExchangeFormat format = ExchangeFormat::VCard;
    // Phonebook memories: "sim", "ms", "pc". Export: empty means all three. Import: at most
    // one; empty means the memory the file names for each entry, else the PC phonebook.
    QStringList memories;
    bool phoneTable = false;  // schedule: export phone_schedule instead of reminder
    QString file;
};

// Writes the list from the cache; needs no phone. The time stamp of an export is the present
// time (platform/PresentTime).
ExchangeResult exportList(const ExchangeOptions& options, Progress& progress);
// Reads the file into the cache, through the phone first when phoneOrNull answers. An import
// never overwrites, so it asks nothing; what the stores had to say comes back in the result's
// notices for the caller to show.
ExchangeResult importList(const ExchangeOptions& options, PhoneLink* phoneOrNull,
                          Progress& progress);
// Every list in its standard format, one file each, into folder (created when missing).
ExchangeResult backupAll(const QString& folder, Progress& progress);

// "phonebook", "schedule", "todo", "sms" (any case).
std::optional<ExchangeWhat> exchangeWhatFromText(const QString& text);
// "vcard", "ics" (or "icalendar"), "csv", "xml" (any case).
std::optional<ExchangeFormat> exchangeFormatFromText(const QString& text);
QString exchangeWhatText(ExchangeWhat what);
QString exchangeFormatText(ExchangeFormat format);
// The format a list is written in when none is asked for: vCard for phonebooks, iCalendar
// for the scheduler and the to-do list, XML for messages.
ExchangeFormat defaultExchangeFormat(ExchangeWhat what);
// Whether the list can be written and read in the format.
bool exchangeFormatFits(ExchangeWhat what, ExchangeFormat format);
// "vcf", "ics", "csv", "xml".
QString exchangeFileSuffix(ExchangeFormat format);
// An error text for options that make no sense (unknown memory, format that does not fit),
// empty when they do. forImport: at most one memory.
QString exchangeOptionsProblem(const ExchangeOptions& options, bool forImport);
