// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/DatabaseSchema.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "db/JetTranslator.h"
#include "db/TableColumns.h"

namespace {

QList<ColumnDef> columnsOf(ColumnKind kind, std::initializer_list<QString> names) {
    QList<ColumnDef> columns;
    for (const QString& name : names) {
        columns.append({name, kind});
    }
    return columns;
}

QList<TableDef> phonebookTables() {
    namespace C = PhonebookColumns;
    const QList<ColumnDef> phone = {{C::Number, ColumnKind::Long},
                                    {C::Name, ColumnKind::Text},
                                    {C::MainNumber, ColumnKind::Text},
                                    {C::Type, ColumnKind::Text}};
    const QList<ColumnDef> phoneTemp = {{C::Type, ColumnKind::Text},
                                        {C::Number, ColumnKind::Long},
                                        {C::Name, ColumnKind::Text},
                                        {C::MainNumber, ColumnKind::Text}};
    QList<ColumnDef> pc = {{C::Number, ColumnKind::Long}};
    pc += columnsOf(ColumnKind::Text,
                    {C::Name, C::MainNumber, C::OfficeNumber, C::FaxNumber, C::MobileNumber,
                     C::HomeNumber, C::PagerNumber, C::EmailAddress, C::Address, C::Memo});
    QList<ColumnDef> pcTemp = {{C::Type, ColumnKind::Text}};
    pcTemp += pc;
    return {{QStringLiteral("sim"), phone},       {QStringLiteral("ms"), phone},
            {QStringLiteral("pc"), pc},           {QStringLiteral("sTemp"), phoneTemp},
            {QStringLiteral("mTemp"), phoneTemp}, {QStringLiteral("pTemp"), pcTemp}};
}

QList<TableDef> smsTables() {
    namespace C = SmsColumns;
    QList<ColumnDef> sms = columnsOf(ColumnKind::Text, {C::Number, C::Name, C::PhoneNumber, C::Date,
                                                        C::Status, C::Message, C::Type});
    sms.append({C::Reply, ColumnKind::YesNo});
    sms.append({C::Pid, ColumnKind::Short});
    sms.append({C::CacheOnly, ColumnKind::YesNo});
    sms += columnsOf(ColumnKind::Text, {C::Parts, C::Missing, C::RawPdu});
    return {{QStringLiteral("SMS"), sms}};
}

QList<TableDef> schedulerTables() {
    namespace P = PhoneScheduleColumns;
    namespace R = ReminderColumns;
    QList<ColumnDef> phone =
        columnsOf(ColumnKind::Long, {P::Index, P::Type, P::Year, P::Month, P::Date, P::Hour,
                                     P::Minute, P::AlarmHour, P::AlarmMinute});
    phone.append({P::Contents, ColumnKind::Text});
    phone.append({P::AlarmState, ColumnKind::YesNo});
    QList<ColumnDef> reminder = {{R::Title, ColumnKind::Text}};
    reminder += columnsOf(ColumnKind::Long, {R::StartYear, R::StartMonth, R::StartDay, R::StartHour,
                                             R::StartMinute, R::AlarmHour, R::AlarmMinute});
    reminder.append({R::AlarmState, ColumnKind::YesNo});
    reminder.append({R::Enable, ColumnKind::YesNo});
    reminder.append({R::Type, ColumnKind::Long});
    return {{QStringLiteral("phone_schedule"), phone}, {QStringLiteral("reminder"), reminder}};
}

QList<TableDef> todoTables() {
    namespace C = TodoColumns;
    QList<ColumnDef> todo = {{C::Index, ColumnKind::Long}, {C::Contents, ColumnKind::Text}};
    todo += columnsOf(ColumnKind::Long, {C::Priority, C::UntilYear, C::UntilMonth, C::UntilDay});
    todo.append({C::Mark, ColumnKind::YesNo});
    todo.append({C::DoneDate, ColumnKind::Text});
    return {{QStringLiteral("Todolist"), todo}};
}

bool exec(QSqlDatabase& db, const QString& sql, QString* error) {
    QSqlQuery query(db);
    if (!query.exec(sql)) {
        *error = query.lastError().text();
        return false;
    }
    return true;
}

// Lower-case names of the table's columns; empty when the table does not exist.
bool existingColumns(QSqlDatabase& db, const QString& table, QSet<QString>* names, QString* error) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(sqlIdentifier(table)))) {
        *error = query.lastError().text();
        return false;
    }
    while (query.next()) {
        names->insert(query.value(1).toString().toLower());
    }
    return true;
}

}  // namespace

const QList<TableDef>& tablesOfFile(const QString& fileName) {
    static const QList<TableDef> phonebook = phonebookTables();
    static const QList<TableDef> sms = smsTables();
    static const QList<TableDef> scheduler = schedulerTables();
    static const QList<TableDef> todo = todoTables();
    static const QList<TableDef> none;
    if (fileName.compare(kPhonebookDbFile, Qt::CaseInsensitive) == 0) {
        return phonebook;
    }
    if (fileName.compare(kSmsDbFile, Qt::CaseInsensitive) == 0) {
        return sms;
    }
    if (fileName.compare(kSchedulerDbFile, Qt::CaseInsensitive) == 0) {
        return scheduler;
    }
    if (fileName.compare(kToDoListDbFile, Qt::CaseInsensitive) == 0) {
        return todo;
    }
    return none;
}

const TableDef* findTable(const QString& fileName, const QString& tableName) {
    for (const TableDef& table : tablesOfFile(fileName)) {
        if (table.name.compare(tableName, Qt::CaseInsensitive) == 0) {
            return &table;
        }
    }
    return nullptr;
}

QString columnDefinitionSql(const ColumnDef& column) {
    const QString name = sqlIdentifier(column.name);
    switch (column.kind) {
        case ColumnKind::Text:
            return name + QStringLiteral(" TEXT COLLATE NOCASE");
        case ColumnKind::Long:
            return name + QStringLiteral(" INTEGER");
        case ColumnKind::Short:
            return name + QStringLiteral(" INTEGER CHECK (%1 BETWEEN -32768 AND 32767)").arg(name);
        case ColumnKind::YesNo:
            return name +
                   QStringLiteral(" INTEGER NOT NULL DEFAULT 0 CHECK (%1 IN (0, 1))").arg(name);
    }
    return name;
}

bool ensureSchema(QSqlDatabase& db, const QString& fileName, QString* error) {
    if (!db.transaction()) {
        *error = db.lastError().text();
        return false;
    }
    for (const TableDef& table : tablesOfFile(fileName)) {
        QSet<QString> present;
        if (!existingColumns(db, table.name, &present, error)) {
            db.rollback();
            return false;
        }
        if (present.isEmpty()) {
            QStringList definitions;
            for (const ColumnDef& column : table.columns) {
                definitions.append(columnDefinitionSql(column));
            }
            const QString sql =
                QStringLiteral("CREATE TABLE %1 (%2)")
                    .arg(sqlIdentifier(table.name), definitions.join(QStringLiteral(", ")));
            if (!exec(db, sql, error)) {
                db.rollback();
                return false;
            }
            continue;
        }
        for (const ColumnDef& column : table.columns) {
            if (present.contains(column.name.toLower())) {
                continue;
            }
            const QString sql = QStringLiteral("ALTER TABLE %1 ADD COLUMN %2")
                                    .arg(sqlIdentifier(table.name), columnDefinitionSql(column));
            if (!exec(db, sql, error)) {
                db.rollback();
                return false;
            }
        }
    }
    if (!db.commit()) {
        *error = db.lastError().text();
        db.rollback();
        return false;
    }
    return true;
}
