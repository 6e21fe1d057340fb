// SPDX-License-Identifier: GPL-3.0-or-later
// The Jet filter and sort translator on any text: what it accepts must run in SQLite with its
// binds, a like pattern must become a valid regular expression, and the literals the program
// builds with the quoting helpers must find exactly the text they were made of.

#include <QCoreApplication>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

#include "FuzzSupport.h"
#include "db/JetQuote.h"
#include "db/JetTranslator.h"

namespace {

const QString kConnection = QStringLiteral("jet-fuzz");

SqlColumns columns() {
    SqlColumns result;
    result.insert(QStringLiteral("number"), {QStringLiteral("Number"), false});
    result.insert(QStringLiteral("name"), {QStringLiteral("Name"), true});
    result.insert(QStringLiteral("mainnumber"), {QStringLiteral("MainNumber"), true});
    result.insert(QStringLiteral("until_year"), {QStringLiteral("until_year"), false});
    result.insert(QStringLiteral("index"), {QStringLiteral("index"), false});
    return result;
}

void mustPrepare(QSqlQuery& query, const QString& sql, const char* what) {
    if (!query.prepare(sql)) {
        std::fprintf(stderr, "%s not prepared by SQLite: %s\n%s\n", what,
                     qPrintable(query.lastError().text()), qPrintable(sql));
        std::abort();
    }
}

void mustRun(QSqlQuery& query, const char* what) {
    if (!query.exec()) {
        std::fprintf(stderr, "%s refused by SQLite: %s\n%s\n", what,
                     qPrintable(query.lastError().text()), qPrintable(query.lastQuery()));
        std::abort();
    }
}

// Rows matching a translated filter, counted by SQLite.
int countWhere(const QString& table, const SqlCondition& condition, const char* what) {
    QSqlQuery query(QSqlDatabase::database(kConnection, false));
    // An empty filter is no condition at all.
    const QString where =
        condition.sql.isEmpty() ? QString() : QStringLiteral(" WHERE ") + condition.sql;
    mustPrepare(query, QStringLiteral("SELECT COUNT(*) FROM ") + table + where, what);
    for (const QVariant& bind : condition.binds) {
        query.addBindValue(bind);
    }
    mustRun(query, what);
    FUZZ_CHECK(query.next());
    return query.value(0).toInt();
}

void checkAnyText(const QString& text) {
    const SqlColumns known = columns();
    SqlCondition condition;
    QString error;
    if (translateJetFilter(text, known, &condition, &error)) {
        FUZZ_CHECK(condition.sql.count(u'?') == condition.binds.size());
        countWhere(QStringLiteral("t"), condition, "translated filter");
    } else {
        FUZZ_CHECK(!error.isEmpty());
    }
    QString order;
    error.clear();
    if (translateJetSort(text, known, &order, &error)) {
        QSqlQuery query(QSqlDatabase::database(kConnection, false));
        mustPrepare(query,
                    QStringLiteral("SELECT * FROM t") +
                        (order.isEmpty() ? QString() : QStringLiteral(" ORDER BY ") + order),
                    "translated sort");
        mustRun(query, "translated sort");
    } else {
        FUZZ_CHECK(!error.isEmpty());
    }
    QString regex;
    error.clear();
    if (jetLikeToRegex(text, &regex, &error)) {
        FUZZ_CHECK(QRegularExpression(regex).isValid());
    } else {
        FUZZ_CHECK(!error.isEmpty());
    }
}

// A text the program quotes into a filter finds the row that holds it, and only that row.
void checkQuotedLiteral(QString text) {
    text.remove(QChar(0));
    QSqlDatabase db = QSqlDatabase::database(kConnection, false);
    QSqlQuery query(db);
    FUZZ_CHECK(query.exec(QStringLiteral("DELETE FROM u")));
    mustPrepare(query, QStringLiteral("INSERT INTO u (Name, MainNumber) VALUES (?, ?)"), "insert");
    query.addBindValue(text);
    query.addBindValue(QStringLiteral("ab") + text + QStringLiteral("cd"));
    mustRun(query, "insert");
    mustPrepare(query, QStringLiteral("INSERT INTO u (Name, MainNumber) VALUES (?, ?)"), "insert");
    query.addBindValue(text + QStringLiteral("x"));
    query.addBindValue(QVariant());
    mustRun(query, "insert");

    const SqlColumns known = columns();
    SqlCondition condition;
    QString error;
    FUZZ_CHECK(
        translateJetFilter(QStringLiteral("Name = ") + jetQuote(text), known, &condition, &error));
    FUZZ_CHECK(countWhere(QStringLiteral("u"), condition, "quoted equality") == 1);
    FUZZ_CHECK(translateJetFilter(QStringLiteral("Name LIKE ") + jetQuote(jetLikeEscape(text)),
                                  known, &condition, &error));
    FUZZ_CHECK(countWhere(QStringLiteral("u"), condition, "escaped like") == 1);
    FUZZ_CHECK(translateJetFilter(QStringLiteral("[MainNumber] LIKE ") + jetLikeContains(text),
                                  known, &condition, &error));
    FUZZ_CHECK(countWhere(QStringLiteral("u"), condition, "contains") == 1);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
    db.setDatabaseName(QStringLiteral(":memory:"));
    db.setConnectOptions(QStringLiteral("QSQLITE_ENABLE_REGEXP"));
    if (!db.open()) {
        std::abort();
    }
    QSqlQuery query(db);
    for (const char* statement : {
             "CREATE TABLE t (Number INTEGER, Name TEXT, MainNumber TEXT, until_year INTEGER, "
             "\"index\" INTEGER)",
             "INSERT INTO t VALUES (1, 'Al', '+44', 2026, 1)",
             "INSERT INTO t VALUES (2, 'élan', NULL, NULL, 2)",
             "INSERT INTO t VALUES (NULL, NULL, '0123', 1999, 3)",
             "CREATE TABLE u (Number INTEGER, Name TEXT, MainNumber TEXT, until_year INTEGER, "
             "\"index\" INTEGER)",
         }) {
        if (!query.exec(QString::fromUtf8(statement))) {
            std::abort();
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    checkAnyText(text);
    checkQuotedLiteral(text);
    return 0;
}
