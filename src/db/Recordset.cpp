// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/Recordset.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "db/DatabaseConnection.h"

Recordset::Recordset(const QString& fileName, const QString& tableName)
    : fileName_(fileName), tableName_(tableName) {}

Recordset::~Recordset() = default;

void Recordset::fail(const QString& detail) const {
    reportDatabaseError(fileName_, QStringLiteral("table %1: %2").arg(tableName_, detail));
}

bool Recordset::connect() {
    if (!connection_.isEmpty() && databaseConnection(connection_).isOpen()) {
        return true;
    }
    QString error;
    connection_ = openDatabaseFile(fileName_, &error);
    if (connection_.isEmpty()) {
        reportDatabaseError(fileName_, error);
        return false;
    }
    return true;
}

bool Recordset::loadColumns() {
    QSqlQuery query(databaseConnection(connection_));
    if (!query.exec(QStringLiteral("PRAGMA table_info(%1)").arg(sqlIdentifier(tableName_)))) {
        fail(query.lastError().text());
        return false;
    }
    const TableDef* table = findTable(fileName_, tableName_);
    columns_.clear();
    sqlColumns_.clear();
    while (query.next()) {
        Column column;
        column.name = query.value(1).toString();
        const QString declared = query.value(2).toString().toUpper();
        column.kind = declared.contains(QLatin1String("INT")) ? ColumnKind::Long : ColumnKind::Text;
        if (table) {
            for (const ColumnDef& def : table->columns) {
                if (def.name.compare(column.name, Qt::CaseInsensitive) == 0) {
                    column.kind = def.kind;
                    column.known = true;
                }
            }
        }
        const bool isText = column.known ? column.kind == ColumnKind::Text
                                         : declared.contains(QLatin1String("CHAR")) ||
                                               declared.contains(QLatin1String("CLOB")) ||
                                               declared.contains(QLatin1String("TEXT"));
        sqlColumns_.insert(column.name.toLower(), SqlColumn{column.name, isText});
        columns_.append(column);
    }
    if (columns_.isEmpty()) {
        fail(QStringLiteral("no such table"));
        return false;
    }
    return true;
}

bool Recordset::Open() {
    if (!connect() || !loadColumns()) {
        return false;
    }
    open_ = true;
    return Requery();
}

void Recordset::Close() {
    open_ = false;
    rows_.clear();
    pos_ = 0;
    deletedCurrent_ = false;
    mode_ = Mode::None;
}

bool Recordset::Requery() {
    if (!open_) {
        return Open();
    }
    mode_ = Mode::None;
    rows_.clear();
    pos_ = 0;
    deletedCurrent_ = false;
    if (!connect()) {
        return false;
    }

    SqlCondition where;
    QString order;
    QString error;
    if (!translateJetFilter(filter_, sqlColumns_, &where, &error)) {
        fail(QStringLiteral("filter \"%1\": %2").arg(filter_, error));
        return false;
    }
    if (!translateJetSort(sort_, sqlColumns_, &order, &error)) {
        fail(QStringLiteral("sort \"%1\": %2").arg(sort_, error));
        return false;
    }
    QStringList names;
    for (const Column& column : columns_) {
        names.append(sqlIdentifier(column.name));
    }
    QString sql = QStringLiteral("SELECT rowid, %1 FROM %2")
                      .arg(names.join(QStringLiteral(", ")), sqlIdentifier(tableName_));
    if (!where.sql.isEmpty()) {
        sql += QStringLiteral(" WHERE ") + where.sql;
    }
    // rowid last keeps equal keys, and an unsorted table, in insertion order.
    sql += QStringLiteral(" ORDER BY ") +
           (order.isEmpty() ? QString() : order + QStringLiteral(", ")) + QStringLiteral("rowid");

    QSqlQuery query(databaseConnection(connection_));
    query.setForwardOnly(true);
    if (!query.prepare(sql)) {
        fail(query.lastError().text());
        return false;
    }
    for (const QVariant& bind : where.binds) {
        query.addBindValue(bind);
    }
    if (!query.exec()) {
        fail(query.lastError().text());
        return false;
    }
    while (query.next()) {
        Row row;
        row.rowid = query.value(0).toLongLong();
        row.values.reserve(columns_.size());
        for (int i = 0; i < columns_.size(); ++i) {
            row.values.append(query.value(i + 1));
        }
        rows_.append(row);
    }
    return true;
}

bool Recordset::MoveFirst() {
    deletedCurrent_ = false;
    pos_ = 0;
    return hasCurrent();
}

bool Recordset::MoveNext() {
    if (deletedCurrent_) {
        deletedCurrent_ = false;  // pos_ already names the row after the deleted one
    } else if (pos_ < rows_.size()) {
        ++pos_;
    }
    return hasCurrent();
}

bool Recordset::MovePrev() {
    deletedCurrent_ = false;
    if (pos_ >= 0) {
        --pos_;
    }
    return hasCurrent();
}

bool Recordset::MoveLast() {
    deletedCurrent_ = false;
    pos_ = rows_.isEmpty() ? 0 : static_cast<int>(rows_.size()) - 1;
    return hasCurrent();
}

bool Recordset::moveTo(int position) {
    deletedCurrent_ = false;
    pos_ = qBound(0, position, static_cast<int>(rows_.size()));
    return position >= 0 && hasCurrent();
}

bool Recordset::IsBOF() const {
    return rows_.isEmpty() || pos_ < 0;
}

bool Recordset::IsEOF() const {
    return rows_.isEmpty() || (!deletedCurrent_ && pos_ >= rows_.size());
}

bool Recordset::hasCurrent() const {
    return !deletedCurrent_ && pos_ >= 0 && pos_ < rows_.size();
}

int Recordset::position() const {
    return hasCurrent() ? pos_ : -1;
}

int Recordset::FullRecordCount() {
    if (!rows_.isEmpty()) {
        MoveLast();
    }
    return GetRecordCount();
}
