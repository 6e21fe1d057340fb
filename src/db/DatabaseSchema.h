// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

class QSqlDatabase;

// The four database files, their tables and columns. Files keep the names the program has
// always used; the tables are created, and missing columns added, when a file is first opened.

inline const QString kPhonebookDbFile = QStringLiteral("phonebook.mdb");
inline const QString kSmsDbFile = QStringLiteral("smsDB.mdb");
inline const QString kSchedulerDbFile = QStringLiteral("SchedulerDB.mdb");
inline const QString kToDoListDbFile = QStringLiteral("ToDoListDB.mdb");

// Column kinds and how they are stored:
//   Text    TEXT COLLATE NOCASE (compares and sorts without regard to case)
//   Long    INTEGER (32-bit values)
//   Short   INTEGER with a CHECK for the 16-bit range
//   YesNo   INTEGER NOT NULL DEFAULT 0, CHECK 0 or 1 (a new row starts as No)
// No table holds a date column: dates are kept as separate integer parts or as text.
enum class ColumnKind { Text, Long, Short, YesNo };

struct ColumnDef {
    QString name;
    ColumnKind kind;
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;
};

// The tables of one file (matched without regard to case); empty for an unknown file.
const QList<TableDef>& tablesOfFile(const QString& fileName);
const TableDef* findTable(const QString& fileName, const QString& tableName);

// The SQL column definition ("Name" TEXT COLLATE NOCASE ...).
QString columnDefinitionSql(const ColumnDef& column);

// Creates the missing tables and adds the missing columns of the file's tables, in one
// transaction. Columns and tables the file holds beyond these are kept as they are.
bool ensureSchema(QSqlDatabase& db, const QString& fileName, QString* error);
