// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// Every table of one database file, read through its own connection, so that a whole cache can
// be compared before and after a run of another program.
struct DatabaseSnapshot {
    bool ok = false;
    QString error;
    // Table name -> its rows, each row its values joined by '|', sorted.
    QMap<QString, QStringList> tables;

    bool operator==(const DatabaseSnapshot& other) const {
        return ok == other.ok && tables == other.tables;
    }
    // For failure messages: every table with its rows.
    QString describe() const;
};

// The first table whose rows equal those of the same table in none of the candidates (a table
// missing from a snapshot has no rows there); empty when every table matches one. Tables named
// in `ignored` are not looked at.
QString tableMatchingNone(const DatabaseSnapshot& tables, const QList<DatabaseSnapshot>& candidates,
                          const QStringList& ignored = {});

// A missing file is an empty snapshot (no tables); the file is never created.
DatabaseSnapshot snapshotDatabase(const QString& path);

// The answer of PRAGMA integrity_check, lines joined by '\n' ("ok" for a sound file).
QString databaseIntegrity(const QString& path);

// Copies the files of a folder (database files with their journals) into another folder.
bool copyFolderFiles(const QString& from, const QString& to);
