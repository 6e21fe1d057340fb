// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/SmsExchange.h"

#include <QLocale>
#include <QSet>
#include <QXmlStreamReader>
#include <algorithm>

#include "db/TableColumns.h"
#include "exchange/CsvFormat.h"
#include "exchange/ExchangeFile.h"
#include "exchange/SmsRestore.h"
#include "phone/PhoneLink.h"
#include "platform/Progress.h"
#include "sms/CSmsDB.h"
#include "sms/MessageMatch.h"

namespace {

namespace C = SmsColumns;

// The file's column order: the table's, less the mark of rows only the cache holds and the
// part locations (which a load works out again); a message that could not be decoded keeps its
// raw units in RawPdu.
const QStringList kColumns = {C::Number,  C::Name, C::PhoneNumber, C::Date, C::Status,
                              C::Message, C::Type, C::Reply,       C::Pid,  C::RawPdu};

const QStringList kStatuses = {QStringLiteral("UnRead"), QStringLiteral("Read"),
                               QStringLiteral("Not Sent"), QStringLiteral("Sent")};

// One row of table SMS in column order (Reply as 0 or 1).
using SmsRow = QStringList;

// Every row, in location order.
QList<SmsRow> storedRows() {
    CSmsDB store;
    store.setFilter(QString());
    store.Requery();
    QList<SmsRow> rows;
    if (store.GetRecordCount() > 0) {
        for (store.MoveFirst(); !store.IsEOF(); store.MoveNext()) {
            SmsRow row;
            for (const QString& column : kColumns) {
                if (column == C::Reply) {
                    row << (store.boolValue(column) ? QStringLiteral("1") : QStringLiteral("0"));
                } else if (column == C::Pid) {
                    row << QString::number(store.intValue(column));
                } else {
                    row << store.textValue(column);
                }
            }
            rows.append(row);
        }
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const SmsRow& a, const SmsRow& b) { return a[0].toInt() < b[0].toInt(); });
    return rows;
}

bool isReceived(const QString& status) {
    return status.compare(QLatin1String("UnRead"), Qt::CaseInsensitive) == 0 ||
           status.compare(QLatin1String("Read"), Qt::CaseInsensitive) == 0;
}

bool isXmlCharacter(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

QString xmlAttribute(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const char32_t c : text.toUcs4()) {
        switch (c) {
            case '&':
                out += QStringLiteral("&amp;");
                break;
            case '<':
                out += QStringLiteral("&lt;");
                break;
            case '>':
                out += QStringLiteral("&gt;");
                break;
            case '"':
                out += QStringLiteral("&quot;");
                break;
            case '\n':
                out += QStringLiteral("&#10;");
                break;
            case '\r':
                out += QStringLiteral("&#13;");
                break;
            case '\t':
                out += QStringLiteral("&#9;");
                break;
            default:
                // What XML cannot carry at all becomes the replacement character.
                out += QString::fromUcs4(isXmlCharacter(c) ? &c : U"\uFFFD", 1);
        }
    }
    return out;
}

// Other programs keep line feeds alone; the table keeps CR LF.
QString withLineFeeds(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString withCrLf(const QString& text) {
    QString out = withLineFeeds(text);
    return out.replace(u'\n', QStringLiteral("\r\n"));
}

// Adds staged rows to the table, each at its own location when that is free, else at the first
// free one, leaving out rows that are already there; all in one transaction. The rows are
// marked as the cache's alone, so that the next load can tell what it no longer lists.
class RowStager {
  public:
    RowStager() {
        for (const SmsRow& row : storedRows()) {
            taken_.insert(row[0].toInt());
            known_.add(row[2], row[3], row[5]);
        }
    }

    // False when the row is already in the table or staged.
    bool stage(SmsRow row) {
        if (known_.contains(row[2], row[3], row[5])) {
            return false;
        }
        int location = row[0].trimmed().toInt();
        if (location < 1 || taken_.contains(location)) {
            location = 1;
            while (taken_.contains(location)) {
                ++location;
            }
        }
        row[0] = QString::number(location);
        if (row[1].isEmpty() && !row[2].isEmpty()) {
            CSmsDB().LookupName(row[2], row[1]);
        }
        taken_.insert(location);
        known_.add(row[2], row[3], row[5]);
        QVariantList values;
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i == 7) {
                values << (row[i] == QLatin1String("1"));
            } else if (i == 8) {
                values << row[i].toInt();
            } else {
                values << row[i];
            }
        }
        values << true;
        staged_.append(values);
        return true;
    }

    // False when the table refused the rows: then none were added.
    bool commit() {
        if (staged_.isEmpty()) {
            return true;
        }
        CSmsDB store;
        return store.addRows(kColumns + QStringList{C::CacheOnly}, staged_);
    }

    int count() const { return static_cast<int>(staged_.size()); }

  private:
    QSet<int> taken_;
    MessageIndex known_;
    QList<QVariantList> staged_;
};

// While no phone answers the messages go into the cache only, until an import with the phone.
ExchangeResult storeInCache(const QString& file, const QList<IncomingMessage>& incoming,
                            ExchangeResult result, Progress& progress) {
    RowStager stager;
    progress.show(QStringLiteral("Import"), QStringLiteral("Messages"));
    for (qsizetype i = 0; i < incoming.size(); ++i) {
        progress.setValue(static_cast<int>(100 * (i + 1) / incoming.size()));
        const IncomingMessage& item = incoming[i];
        if (!item.problem.isEmpty()) {
            result.skip(item.problem);
        } else if (!stager.stage(item.row)) {
            result.skip(QStringLiteral("%1: already in the message list").arg(item.origin));
        }
    }
    progress.destroy();
    if (!stager.commit()) {
        return ExchangeResult::failed(
            QStringLiteral("%1: the message table took none of the messages").arg(file));
    }
    result.imported = stager.count();
    if (result.imported > 0) {
        result.notes << QStringLiteral(
            "The imported messages live only in the cache on this computer until the phone is "
            "connected and the import is run again.");
    }
    return result;
}

// The table row of one <sms> element; the reason when it cannot be one.
QString messageOfXml(const QXmlStreamAttributes& a, SmsRow& row) {
    const int type = a.value(QLatin1String("type")).toInt();
    QString status;
    if (type == 1) {
        status = a.value(QLatin1String("read")) == QLatin1String("0") ? QStringLiteral("UnRead")
                                                                      : QStringLiteral("Read");
    } else if (type == 2) {
        status = QStringLiteral("Sent");
    } else if (type >= 3 && type <= 6) {
        status = QStringLiteral("Not Sent");  // draft, outbox, failed, queued
    } else {
        return QStringLiteral("unknown message type \"%1\"").arg(a.value(QLatin1String("type")));
    }
    QString date;
    if (type == 1) {
        bool ok = false;
        const qint64 ms = a.value(QLatin1String("date")).toLongLong(&ok);
        if (ok) {
            date = stampOfTime(QDateTime::fromMSecsSinceEpoch(ms));
        }
    }
    QString name = a.value(QLatin1String("contact_name")).toString();
    if (name == QLatin1String("(Unknown)") || name == QLatin1String("null")) {
        name.clear();
    }
    row = {QString(),
           name,
           a.value(QLatin1String("address")).toString(),
           date,
           status,
           withCrLf(a.value(QLatin1String("body")).toString()),
           QStringLiteral("SIM"),
           QStringLiteral("0"),
           QStringLiteral("0"),
           QString()};
    return {};
}

ExchangeResult importIncoming(const QString& file, const QList<IncomingMessage>& incoming,
                              PhoneLink* phoneOrNull, Progress& progress) {
    if (phoneOrNull && phoneOrNull->phoneFound) {
        return restoreMessages(*phoneOrNull, incoming, ExchangeResult(), progress);
    }
    return storeInCache(file, incoming, ExchangeResult(), progress);
}

}  // namespace

ExchangeResult exportSmsCsv(const QString& file) {
    ExchangeResult result;
    QByteArray bytes = csvLine(kColumns);
    for (const SmsRow& row : storedRows()) {
        bytes += csvLine(row);
        ++result.exported;
    }
    result.error = writeExchangeFile(file, bytes);
    return result;
}

ExchangeResult exportSmsXml(const QString& file, const QDateTime& stamp) {
    ExchangeResult result;
    const QList<SmsRow> rows = storedRows();
    QString xml = QStringLiteral(
                      "<?xml version='1.0' encoding='UTF-8' standalone='yes' ?>\n"
                      "<smses count=\"%1\">\n")
                      .arg(rows.size());
    const QLocale c = QLocale::c();
    for (const SmsRow& row : rows) {
        const QString& status = row[4];
        int type = 3;
        if (isReceived(status)) {
            type = 1;
        } else if (status.compare(QLatin1String("Sent"), Qt::CaseInsensitive) == 0) {
            type = 2;
        }
        const bool unread = status.compare(QLatin1String("UnRead"), Qt::CaseInsensitive) == 0;
        QDateTime when = type == 1 ? timeOfStamp(row[3]) : QDateTime();
        if (!when.isValid()) {
            // Stored messages carry no time of their own.
            when = stamp;
        }
        xml += QStringLiteral(
                   "  <sms protocol=\"0\" address=\"%1\" date=\"%2\" type=\"%3\" "
                   "subject=\"null\" body=\"%4\" toa=\"null\" sc_toa=\"null\" "
                   "service_center=\"null\" read=\"%5\" status=\"-1\" locked=\"0\" "
                   "date_sent=\"0\" readable_date=\"%6\" contact_name=\"%7\" />\n")
                   .arg(xmlAttribute(row[2]), QString::number(when.toMSecsSinceEpoch()),
                        QString::number(type), xmlAttribute(withLineFeeds(row[5])),
                        unread ? QStringLiteral("0") : QStringLiteral("1"),
                        c.toString(when, QStringLiteral("d MMM yyyy HH:mm:ss")),
                        xmlAttribute(row[1].isEmpty() ? QStringLiteral("(Unknown)") : row[1]));
        ++result.exported;
    }
    xml += QStringLiteral("</smses>\n");
    result.error = writeExchangeFile(file, xml.toUtf8());
    return result;
}

ExchangeResult importSmsCsv(const QString& file, PhoneLink* phoneOrNull, Progress& progress) {
    CsvReadResult read;
    if (const QString error = readCsvFile(file, read); !error.isEmpty()) {
        return ExchangeResult::failed(error);
    }
    const QStringList& header = read.records.first().fields;
    QList<int> at;
    for (const QString& column : kColumns) {
        qsizetype found = -1;
        for (qsizetype i = 0; i < header.size(); ++i) {
            if (header[i].trimmed().compare(column, Qt::CaseInsensitive) == 0) {
                found = i;
            }
        }
        at << static_cast<int>(found);
    }
    for (const int required : {2, 4, 5}) {
        if (at[required] < 0) {
            return ExchangeResult::failed(QStringLiteral("%1: line 1: the header has no %2 column")
                                              .arg(file, kColumns[required]));
        }
    }

    QList<IncomingMessage> incoming;
    for (qsizetype r = 1; r < read.records.size(); ++r) {
        const CsvRecord& record = read.records[r];
        IncomingMessage& item = incoming.emplace_back();
        item.origin = QStringLiteral("line %1").arg(record.line);
        if (record.fields.size() != header.size()) {
            item.problem = QStringLiteral("%1: %2 fields where the header has %3")
                               .arg(item.origin)
                               .arg(record.fields.size())
                               .arg(header.size());
            continue;
        }
        SmsRow& row = item.row;
        for (const int column : at) {
            row << (column < 0 ? QString() : record.fields[column]);
        }
        const auto status = std::find_if(kStatuses.begin(), kStatuses.end(), [&](const QString& s) {
            return s.compare(row[4].trimmed(), Qt::CaseInsensitive) == 0;
        });
        if (status == kStatuses.end()) {
            item.problem = QStringLiteral("%1: unknown status \"%2\"").arg(item.origin, row[4]);
            continue;
        }
        row[4] = *status;
        if (row[6].isEmpty()) {
            row[6] = QStringLiteral("SIM");
        }
        const QString reply = row[7].trimmed().toLower();
        row[7] = reply == QLatin1String("1") || reply == QLatin1String("true") ||
                         reply == QLatin1String("yes")
                     ? QStringLiteral("1")
                     : QStringLiteral("0");
    }
    return importIncoming(file, incoming, phoneOrNull, progress);
}

ExchangeResult importSmsXml(const QString& file, PhoneLink* phoneOrNull, Progress& progress) {
    QByteArray bytes;
    if (const QString error = readExchangeFile(file, bytes); !error.isEmpty()) {
        return ExchangeResult::failed(error);
    }
    // Read whole first: a file that is not well-formed adds nothing.
    QList<IncomingMessage> incoming;
    QXmlStreamReader reader(bytes);
    bool rootSeen = false;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement) {
            continue;
        }
        if (!rootSeen) {
            if (reader.name() != QLatin1String("smses")) {
                return ExchangeResult::failed(
                    QStringLiteral("%1: line %2: <smses> expected, <%3> found")
                        .arg(file)
                        .arg(reader.lineNumber())
                        .arg(reader.name()));
            }
            rootSeen = true;
            continue;
        }
        IncomingMessage& item = incoming.emplace_back();
        item.origin = QStringLiteral("line %1").arg(reader.lineNumber());
        if (reader.name() == QLatin1String("sms")) {
            item.problem = messageOfXml(reader.attributes(), item.row);
            if (!item.problem.isEmpty()) {
                item.problem = item.origin + QStringLiteral(": ") + item.problem;
            }
        } else {
            item.problem = item.origin + QStringLiteral(": only short text messages are imported");
        }
        reader.skipCurrentElement();
    }
    if (reader.hasError()) {
        return ExchangeResult::failed(QStringLiteral("%1: line %2: %3")
                                          .arg(file)
                                          .arg(reader.lineNumber())
                                          .arg(reader.errorString()));
    }
    if (!rootSeen) {
        return ExchangeResult::failed(QStringLiteral("%1: no <smses> list").arg(file));
    }
    return importIncoming(file, incoming, phoneOrNull, progress);
}
