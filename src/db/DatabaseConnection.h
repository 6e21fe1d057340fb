// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSqlDatabase>
#include <QString>

#include "platform/NoticeOutlet.h"

// One SQLite connection per database file, named by the file's absolute path. A file name is
// taken relative to the working directory at the moment of opening; the file is created with
// all its tables, and missing columns are added, the first time it is opened in a run.

// The connection name, or an empty text with the reason in *error.
QString openDatabaseFile(const QString& fileName, QString* error);

// When on, a file that does not exist is not created by opening it: until the first change
// (the first DbTransaction on it) its tables read as empty, so that a run that only reads
// leaves no database files behind. Off by default.
void createFilesOnWrite(bool wait);

// The open connection with that name (invalid when it was closed).
QSqlDatabase databaseConnection(const QString& connectionName);

// Closes every connection (at the end of a run, and between tests).
void closeAllDatabases();

// What a failed database operation tells the user: error icon, caption "Error". The files are
// shared by the whole process, and so is the outlet their errors go to: the window and the
// command-line tool set its reporter; without one the notices wait to be taken.
Notice databaseErrorNotice(const QString& fileName, const QString& detail);
NoticeOutlet& databaseNotices();
void reportDatabaseError(const QString& fileName, const QString& detail);

// Makes several changes of one file one unit: nothing of them stays unless all succeed and the
// outermost scope commits. Scopes nest; a change made while a scope is open joins it, and a
// failure inside any scope makes the outermost one roll back. Without commit() the destructor
// rolls back. Recordsets hold cached rows: requery after a rolled-back scope.
class DbTransaction {
  public:
    explicit DbTransaction(const QString& fileName);
    ~DbTransaction();
    DbTransaction(const DbTransaction&) = delete;
    DbTransaction& operator=(const DbTransaction&) = delete;

    bool isActive() const { return active_; }
    // Marks the unit as failed: it will roll back.
    void fail();
    // True when everything inside succeeded (and, for the outermost scope, was committed).
    bool commit();

    // For code that already has the connection name.
    static DbTransaction onConnection(const QString& connectionName);

  private:
    struct ConnectionTag {};
    DbTransaction(ConnectionTag, const QString& connectionName);
    void begin();
    void finish(bool commit, bool* ok);

    QString fileName_;
    QString connection_;
    bool active_ = false;
};
