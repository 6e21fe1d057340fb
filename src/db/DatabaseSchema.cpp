#include "db/DatabaseSchema.h"

#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "db/JetTranslator.h"

namespace {

QList<ColumnDef> textColumns(std::initializer_list<const char*> names) {
    QList<ColumnDef> columns;
    for (const char* name : names) {
        columns.append({QString::fromLatin1(name), ColumnKind::Text});
    }
    return columns;
}

QList<TableDef> phonebookTables() {
    const QList<ColumnDef> phone = {{QStringLiteral("Number"), ColumnKind::Long},
                                    {QStringLiteral("Name"), ColumnKind::Text},
                                    {QStringLiteral("MainNumber"), ColumnKind::Text},
                                    {QStringLiteral("Type"), ColumnKind::Text}};
    const QList<ColumnDef> phoneTemp = {{QStringLiteral("Type"), ColumnKind::Text},
                                        {QStringLiteral("Number"), ColumnKind::Long},
                                        {QStringLiteral("Name"), ColumnKind::Text},
                                        {QStringLiteral("MainNumber"), ColumnKind::Text}};
    QList<ColumnDef> pc = {{QStringLiteral("Number"), ColumnKind::Long}};
    pc += textColumns({"Name", "MainNumber", "OfficeNumber", "FaxNumber", "MobileNumber",
                       "HomeNumber", "PagerNumber", "EmailAddress", "Address", "Memo"});
    QList<ColumnDef> pcTemp = {{QStringLiteral("Type"), ColumnKind::Text}};
    pcTemp += pc;
    return {{QStringLiteral("sim"), phone},       {QStringLiteral("ms"), phone},
            {QStringLiteral("pc"), pc},           {QStringLiteral("sTemp"), phoneTemp},
            {QStringLiteral("mTemp"), phoneTemp}, {QStringLiteral("pTemp"), pcTemp}};
}

QList<TableDef> smsTables() {
    QList<ColumnDef> sms =
        textColumns({"Number", "Name", "PhoneNumber", "Date", "Status", "Message", "Type"});
    sms.append({QStringLiteral("Reply"), ColumnKind::YesNo});
    sms.append({QStringLiteral("Pid"), ColumnKind::Short});
    return {{QStringLiteral("SMS"), sms}};
}

QList<ColumnDef> longColumns(std::initializer_list<const char*> names) {
    QList<ColumnDef> columns;
    for (const char* name : names) {
        columns.append({QString::fromLatin1(name), ColumnKind::Long});
    }
    return columns;
}

QList<TableDef> schedulerTables() {
    QList<ColumnDef> phone = longColumns(
        {"index", "type", "year", "month", "date", "hour", "minute", "alarm_hour", "alarm_minute"});
    phone.append({QStringLiteral("contents"), ColumnKind::Text});
    phone.append({QStringLiteral("alarm_state"), ColumnKind::YesNo});
    QList<ColumnDef> reminder = {{QStringLiteral("title"), ColumnKind::Text}};
    reminder += longColumns({"start_year", "start_month", "start_day", "start_hour", "start_minute",
                             "alarm_hour", "alarm_minute"});
    reminder.append({QStringLiteral("alarm_state"), ColumnKind::YesNo});
    reminder.append({QStringLiteral("enable"), ColumnKind::YesNo});
    reminder.append({QStringLiteral("type"), ColumnKind::Long});
    return {{QStringLiteral("phone_schedule"), phone}, {QStringLiteral("reminder"), reminder}};
}

QList<TableDef> todoTables() {
    QList<ColumnDef> todo = {{QStringLiteral("index"), ColumnKind::Long},
                             {QStringLiteral("contents"), ColumnKind::Text}};
    todo += longColumns({"priority", "until_year", "until_month", "until_day"});
    todo.append({QStringLiteral("mark"), ColumnKind::YesNo});
    todo.append({QStringLiteral("done_date"), ColumnKind::Text});
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
