// SPDX-License-Identifier: GPL-3.0-or-later
// The edit buffer and the changes that store it, one transaction each.

#include "db/Recordset.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include "db/DatabaseConnection.h"

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
