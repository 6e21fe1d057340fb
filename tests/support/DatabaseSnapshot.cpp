// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DatabaseSnapshot.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <algorithm>
#include <atomic>
#include <functional>

namespace {

// Runs `work` on a connection of its own to the file and removes the connection afterwards.
QString withConnection(const QString& path, const std::function<QString(QSqlDatabase&)>& work) {
    static std::atomic<int> serial{0};
    const QString name = QStringLiteral("snapshot-%1").arg(++serial);
    QString error;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        if (!db.open()) {
            error = db.lastError().text();
        } else {
            error = work(db);
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

}  // namespace

QString DatabaseSnapshot::describe() const {
    if (!ok) {
        return QStringLiteral("(unreadable: %1)").arg(error);
    }
    QString text;
    for (auto it = tables.begin(); it != tables.end(); ++it) {
        text += QStringLiteral("[%1] %2 rows\n").arg(it.key()).arg(it.value().size());
        for (const QString& row : it.value()) {
            text += QStringLiteral("  %1\n").arg(row);
        }
    }
    return text;
}

QString tableMatchingNone(const DatabaseSnapshot& tables, const QList<DatabaseSnapshot>& candidates,
                          const QStringList& ignored) {
    QStringList names = tables.tables.keys();
    for (const DatabaseSnapshot& candidate : candidates) {
        names += candidate.tables.keys();
    }
    names.removeDuplicates();
    for (const QString& name : names) {
        if (ignored.contains(name)) {
            continue;
        }
        const QStringList rows = tables.tables.value(name);
        const bool matched =
            std::any_of(candidates.begin(), candidates.end(),
                        [&](const DatabaseSnapshot& c) { return c.tables.value(name) == rows; });
        if (!matched) {
            return name;
        }
    }
    return {};
}

DatabaseSnapshot snapshotDatabase(const QString& path) {
    DatabaseSnapshot snapshot;
    if (!QFileInfo::exists(path)) {
        snapshot.ok = true;
        return snapshot;
    }
    snapshot.error = withConnection(path, [&](QSqlDatabase& db) -> QString {
        QStringList names;
        {
            QSqlQuery query(db);
            if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' "
                                           "AND name NOT LIKE 'sqlite_%' ORDER BY name"))) {
                return query.lastError().text();
            }
            while (query.next()) {
                names << query.value(0).toString();
            }
        }
        for (const QString& table : names) {
            QSqlQuery query(db);
            if (!query.exec(QStringLiteral("SELECT * FROM \"%1\"").arg(table))) {
                return query.lastError().text();
            }
            QStringList rows;
            while (query.next()) {
                QStringList values;
                for (int i = 0; i < query.record().count(); ++i) {
                    const QVariant value = query.value(i);
                    values << (value.isNull() ? QStringLiteral("<null>") : value.toString());
                }
                rows << values.join(u'|');
            }
            rows.sort();
            snapshot.tables.insert(table, rows);
        }
        return {};
    });
    snapshot.ok = snapshot.error.isEmpty();
    return snapshot;
}

QString databaseIntegrity(const QString& path) {
    QStringList lines;
    const QString error = withConnection(path, [&](QSqlDatabase& db) -> QString {
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("PRAGMA integrity_check"))) {
            return query.lastError().text();
        }
        while (query.next()) {
            lines << query.value(0).toString();
        }
        return {};
    });
    return error.isEmpty() ? lines.join(u'\n') : QStringLiteral("cannot check: ") + error;
}

bool copyFolderFiles(const QString& from, const QString& to) {
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files)) {
        const QString target = QDir(to).filePath(name);
        QFile::remove(target);
        if (!QFile::copy(source.filePath(name), target)) {
            return false;
        }
    }
    return true;
}
