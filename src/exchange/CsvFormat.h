// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Comma-separated values as RFC 4180 has them: UTF-8, CRLF line ends, a field in double
// quotes when it holds a comma, a quote or a line end, quotes inside doubled.

QByteArray csvLine(const QStringList& fields);

struct CsvRecord {
    QStringList fields;
    int line = 0;  // where the record starts in the file, from 1
};

struct CsvReadResult {
    QList<CsvRecord> records;  // the header row first
    QString error;             // a quote never closed: nothing can be trusted after it
};

// Reads every record; line ends may be CRLF or LF, also inside quoted fields (kept as they
// are). A UTF-8 byte order mark at the start is passed over.
CsvReadResult readCsv(const QByteArray& bytes);

// Reads a CSV file that must begin with a header row; an empty text when it does, else the
// error (naming the file and, where it lies, the line).
QString readCsvFile(const QString& file, CsvReadResult& read);
