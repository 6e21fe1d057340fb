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

bool Recordset::AddNew() {
    if (!open_ && !Open()) {
        return false;
    }
    mode_ = Mode::Adding;
    buffer_ = QVariantList();
    dirty_ = QList<bool>(columns_.size(), false);
    for (int i = 0; i < columns_.size(); ++i) {
        buffer_.append(QVariant());
    }
    return true;
}

bool Recordset::Edit() {
    if (!hasCurrent()) {
        fail(QStringLiteral("No current record."));
        return false;
    }
    mode_ = Mode::Editing;
    buffer_ = rows_[pos_].values;
    dirty_ = QList<bool>(columns_.size(), false);
    return true;
}

void Recordset::CancelUpdate() {
    mode_ = Mode::None;
    bufferFailed_ = false;
    buffer_.clear();
    dirty_.clear();
}

bool Recordset::fetchRow(qint64 rowid, Row* row, QString* error) {
    QStringList names;
    for (const Column& column : columns_) {
        names.append(sqlIdentifier(column.name));
    }
    QSqlQuery query(databaseConnection(connection_));
    query.prepare(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?")
                      .arg(names.join(QStringLiteral(", ")), sqlIdentifier(tableName_)));
    query.addBindValue(rowid);
    if (!query.exec()) {
        *error = query.lastError().text();
        return false;
    }
    if (!query.next()) {
        *error = QStringLiteral("the stored row cannot be read back");
        return false;
    }
    row->rowid = rowid;
    row->values.clear();
    for (int i = 0; i < columns_.size(); ++i) {
        row->values.append(query.value(i));
    }
    return true;
}

bool Recordset::Update() {
    if (mode_ == Mode::None) {
        fail(QStringLiteral("Update without AddNew or Edit."));
        return false;
    }
    if (mode_ == Mode::Editing && !hasCurrent()) {
        CancelUpdate();
        fail(QStringLiteral("No current record."));
        return false;
    }
    const Mode mode = mode_;
    const QVariantList buffer = buffer_;
    const QList<bool> dirty = dirty_;
    const bool refused = bufferFailed_;
    CancelUpdate();
    if (refused) {
        return false;  // the refused value has been shown
    }

    QStringList names;
    QVariantList values;
    for (int i = 0; i < columns_.size(); ++i) {
        if (dirty[i]) {
            names.append(sqlIdentifier(columns_[i].name));
            values.append(buffer[i]);
        }
    }
    if (mode == Mode::Editing && names.isEmpty()) {
        return true;  // nothing changed
    }

    DbTransaction transaction = DbTransaction::onConnection(connection_);
    if (!transaction.isActive()) {
        return false;
    }
    QSqlQuery query(databaseConnection(connection_));
    QString sql;
    if (mode == Mode::Adding) {
        if (names.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(sqlIdentifier(tableName_));
        } else {
            QStringList marks;
            for (int i = 0; i < names.size(); ++i) {
                marks.append(QStringLiteral("?"));
            }
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(sqlIdentifier(tableName_), names.join(QStringLiteral(", ")),
                           marks.join(QStringLiteral(", ")));
        }
    } else {
        QStringList sets;
        for (const QString& name : names) {
            sets.append(name + QStringLiteral(" = ?"));
        }
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                  .arg(sqlIdentifier(tableName_), sets.join(QStringLiteral(", ")));
        values.append(rows_[pos_].rowid);
    }
    QString error;
    Row stored;
    bool ok = query.prepare(sql);
    if (ok) {
        for (const QVariant& value : values) {
            query.addBindValue(value);
        }
        ok = query.exec();
    }
    if (!ok) {
        error = query.lastError().text();
    } else {
        const qint64 rowid =
            mode == Mode::Adding ? query.lastInsertId().toLongLong() : rows_[pos_].rowid;
        ok = fetchRow(rowid, &stored, &error);
    }
    if (ok && !transaction.commit()) {
        return false;  // the commit failure has been shown
    }
    if (!ok) {
        transaction.fail();
        fail(error);
        return false;
    }
    if (mode == Mode::Adding) {
        // The new row joins the end of the rows in memory; the cursor stays where it was.
        const bool atEof = !deletedCurrent_ && pos_ >= rows_.size();
        rows_.append(stored);
        if (atEof) {
            pos_ = static_cast<int>(rows_.size());
        }
    } else {
        rows_[pos_] = stored;
    }
    return true;
}

bool Recordset::Delete() {
    if (mode_ != Mode::None) {
        CancelUpdate();
    }
    if (!hasCurrent()) {
        fail(QStringLiteral("No current record."));
        return false;
    }
    DbTransaction transaction = DbTransaction::onConnection(connection_);
    if (!transaction.isActive()) {
        return false;
    }
    QSqlQuery query(databaseConnection(connection_));
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(sqlIdentifier(tableName_)));
    query.addBindValue(rows_[pos_].rowid);
    if (!query.exec()) {
        transaction.fail();
        fail(query.lastError().text());
        return false;
    }
    if (!transaction.commit()) {
        return false;
    }
    rows_.removeAt(pos_);
    deletedCurrent_ = true;
    return true;
}

bool Recordset::deleteAllRows() {
    if (!open_ && !Open()) {
        return false;
    }
    CancelUpdate();
    DbTransaction transaction = DbTransaction::onConnection(connection_);
    if (!transaction.isActive()) {
        return false;
    }
    QSqlQuery query(databaseConnection(connection_));
    if (!query.exec(QStringLiteral("DELETE FROM %1").arg(sqlIdentifier(tableName_)))) {
        transaction.fail();
        fail(query.lastError().text());
        return false;
    }
    if (!transaction.commit()) {
        return false;
    }
    return Requery();
}

bool Recordset::addRows(const QStringList& columns, const QList<QVariantList>& rows) {
    if (!open_ && !Open()) {
        return false;
    }
    CancelUpdate();
    QList<int> indexes;
    QStringList names;
    QStringList marks;
    for (const QString& column : columns) {
        const int i = columnIndex(column);
        if (i < 0) {
            fail(QStringLiteral("unknown column \"%1\"").arg(column));
            return false;
        }
        indexes.append(i);
        names.append(sqlIdentifier(columns_[i].name));
        marks.append(QStringLiteral("?"));
    }
    DbTransaction transaction = DbTransaction::onConnection(connection_);
    if (!transaction.isActive()) {
        return false;
    }
    QSqlQuery query(databaseConnection(connection_));
    QString error;
    bool ok = query.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                .arg(sqlIdentifier(tableName_), names.join(QStringLiteral(", ")),
                                     marks.join(QStringLiteral(", "))));
    if (!ok) {
        error = query.lastError().text();
    }
    for (qsizetype r = 0; ok && r < rows.size(); ++r) {
        if (rows[r].size() != indexes.size()) {
            error = QStringLiteral("a row holds %1 values for %2 columns")
                        .arg(rows[r].size())
                        .arg(indexes.size());
            ok = false;
            break;
        }
        for (qsizetype c = 0; ok && c < indexes.size(); ++c) {
            QVariant stored;
            ok = normalize(indexes[c], rows[r][c], &stored, &error);
            query.bindValue(static_cast<int>(c), stored);
        }
        if (ok && !query.exec()) {
            error = query.lastError().text();
            ok = false;
        }
    }
    if (!ok) {
        transaction.fail();
        fail(error);
        return false;
    }
    if (!transaction.commit()) {
        return false;
    }
    return Requery();
}

int Recordset::columnIndex(const QString& column) const {
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_[i].name.compare(column, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QVariant Recordset::value(const QString& column) const {
    const int i = columnIndex(column);
    if (i < 0) {
        fail(QStringLiteral("unknown column \"%1\"").arg(column));
        return QVariant();
    }
    if (mode_ != Mode::None) {
        return buffer_[i];
    }
    return hasCurrent() ? rows_[pos_].values[i] : QVariant();
}

QString Recordset::textValue(const QString& column) const {
    const QVariant v = value(column);
    return v.isNull() ? QString() : v.toString();
}

int Recordset::intValue(const QString& column) const {
    return value(column).toInt();
}

bool Recordset::boolValue(const QString& column) const {
    return value(column).toLongLong() != 0;
}

bool Recordset::normalize(int column, const QVariant& in, QVariant* out, QString* error) const {
    const Column& c = columns_[column];
    if (!c.known || in.isNull()) {
        *out = in.isNull() ? QVariant() : in;
        return true;
    }
    switch (c.kind) {
        case ColumnKind::Text:
            *out = in.toString();
            return true;
        case ColumnKind::YesNo:
            *out = in.toBool() ? 1 : 0;
            return true;
        case ColumnKind::Long:
        case ColumnKind::Short: {
            bool ok = false;
            const qlonglong number = in.toLongLong(&ok);
            if (!ok) {
                *error = QStringLiteral("\"%1\" is not a number for column %2")
                             .arg(in.toString(), c.name);
                return false;
            }
            *out = number;
            return true;
        }
    }
    return false;
}

bool Recordset::setValue(const QString& column, const QVariant& value) {
    if (mode_ == Mode::None) {
        fail(QStringLiteral("a field is set without AddNew or Edit"));
        return false;
    }
    const int i = columnIndex(column);
    if (i < 0) {
        bufferFailed_ = true;
        fail(QStringLiteral("unknown column \"%1\"").arg(column));
        return false;
    }
    QVariant stored;
    QString error;
    if (!normalize(i, value, &stored, &error)) {
        bufferFailed_ = true;
        fail(error);
        return false;
    }
    buffer_[i] = stored;
    dirty_[i] = true;
    return true;
}

QStringList Recordset::columnNames() const {
    QStringList names;
    for (const Column& column : columns_) {
        names.append(column.name);
    }
    return names;
}
