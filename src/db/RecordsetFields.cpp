// SPDX-License-Identifier: GPL-3.0-or-later
// Field access by column name and the values a column takes.

#include "db/Recordset.h"

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
