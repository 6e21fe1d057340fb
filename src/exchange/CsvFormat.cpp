// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/CsvFormat.h"

#include "exchange/ExchangeFile.h"

namespace {

QString quotedField(const QString& field) {
    const bool needsQuotes = field.contains(u',') || field.contains(u'"') ||
                             field.contains(u'\r') || field.contains(u'\n');
    if (!needsQuotes) {
        return field;
    }
    QString quoted = field;
    quoted.replace(QStringLiteral("\""), QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

}  // namespace

QByteArray csvLine(const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields) {
        quoted << quotedField(field);
    }
    return quoted.join(u',').toUtf8() + "\r\n";
}

CsvReadResult readCsv(const QByteArray& bytes) {
    CsvReadResult result;
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    int line = 1;
    CsvRecord record;
    record.line = 1;
    QString field;
    bool quoted = false;
    bool fieldStarted = false;
    int quoteLine = 0;
    auto endRecord = [&] {
        // A blank line is no record.
        if (!record.fields.isEmpty() || !field.isEmpty() || fieldStarted) {
            record.fields << field;
            result.records.append(record);
        }
        record = CsvRecord{};
        field.clear();
        fieldStarted = false;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text[i + 1] == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n') {
                    ++line;
                }
                field += c;
            }
            continue;
        }
        if (c == u'"' && field.isEmpty() && !fieldStarted) {
            quoted = true;
            fieldStarted = true;
            quoteLine = line;
        } else if (c == u',') {
            record.fields << field;
            field.clear();
            fieldStarted = false;
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            continue;  // the LF ends the record
        } else if (c == u'\n') {
            endRecord();
            ++line;
            record.line = line;
        } else {
            field += c;
            fieldStarted = true;
        }
    }
    if (quoted) {
        result.error = QStringLiteral("line %1: a quoted field is never closed").arg(quoteLine);
        result.records.clear();
        return result;
    }
    if (fieldStarted || !field.isEmpty() || !record.fields.isEmpty()) {
        endRecord();
    }
    return result;
}

QString readCsvFile(const QString& file, CsvReadResult& read) {
    QByteArray bytes;
    if (const QString error = readExchangeFile(file, bytes); !error.isEmpty()) {
        return error;
    }
    read = readCsv(bytes);
    if (!read.error.isEmpty()) {
        return QStringLiteral("%1: %2").arg(file, read.error);
    }
    if (read.records.isEmpty()) {
        return QStringLiteral("%1: no header row").arg(file);
    }
    return {};
}
