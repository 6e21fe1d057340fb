// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/DatabaseConnection.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

#include "db/DatabaseSchema.h"

namespace {

struct ConnectionState {
    QString fileName;  // as the program names it
    int depth = 0;     // open DbTransaction scopes
    bool failed = false;
    QString path;                // the file's absolute path
    bool stillInMemory = false;  // the file does not exist yet: see createFilesOnWrite
};

QHash<QString, ConnectionState>& states() {
    static QHash<QString, ConnectionState> map;
    return map;
}

bool& filesWaitForWrite() {
    static bool wait = false;
    return wait;
}

// Write-ahead logging with normal syncing: a commit is atomic and survives a crash of the
// program without waiting for the disk on every row, which a load of hundreds of rows would.
bool tuneConnection(QSqlDatabase& db, QString* error) {
    for (const char* pragma : {"PRAGMA journal_mode = WAL", "PRAGMA synchronous = NORMAL"}) {
        QSqlQuery query(db);
        if (!query.exec(QString::fromLatin1(pragma))) {
            *error = query.lastError().text();
            return false;
        }
    }
    return true;
}

// Opens db on path, or on an empty in-memory copy of the schema when inMemory, with every
// table of the file.
bool openWithSchema(QSqlDatabase& db, const QString& path, bool inMemory, const QString& fileName,
                    QString* error) {
    db.setDatabaseName(inMemory ? QStringLiteral(":memory:") : path);
    db.setConnectOptions(QStringLiteral("QSQLITE_ENABLE_REGEXP"));  // like and = of text
    if (!db.isOpen() && !db.open()) {
        *error = db.lastError().text();
        return false;
    }
    return (inMemory || tuneConnection(db, error)) && ensureSchema(db, fileName, error);
}

// The first write to a file that did not exist: the file takes the in-memory copy's place.
// The copy was never written to, so nothing of it is lost.
bool createFileNow(const QString& connectionName, ConnectionState& state, QString* error) {
    QSqlDatabase db = databaseConnection(connectionName);
    db.close();
    if (!openWithSchema(db, state.path, false, state.fileName, error)) {
        return false;
    }
    state.stillInMemory = false;
    return true;
}

}  // namespace

void createFilesOnWrite(bool wait) {
    filesWaitForWrite() = wait;
}

QString openDatabaseFile(const QString& fileName, QString* error) {
    const QString path = QFileInfo(QDir::current().absoluteFilePath(fileName)).absoluteFilePath();
    const QString name = QStringLiteral("dexmoro-db:") + path;
    if (states().contains(name) && QSqlDatabase::contains(name)) {
        return name;
    }
    {
        QSqlDatabase db = QSqlDatabase::contains(name)
                              ? QSqlDatabase::database(name, false)
                              : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        const bool inMemory = filesWaitForWrite() && !QFileInfo::exists(path);
        if (openWithSchema(db, path, inMemory, fileName, error)) {
            states().insert(
                name, ConnectionState{QFileInfo(fileName).fileName(), 0, false, path, inMemory});
            return name;
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    if (error->isEmpty()) {
        *error = QStringLiteral("cannot open %1").arg(path);
    }
    return QString();
}

QSqlDatabase databaseConnection(const QString& connectionName) {
    return QSqlDatabase::database(connectionName, false);
}

void closeAllDatabases() {
    const QStringList names = states().keys();
    for (const QString& name : names) {
        {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            if (db.isOpen()) {
                db.close();
            }
        }
        QSqlDatabase::removeDatabase(name);
    }
    states().clear();
}

NoticeOutlet& databaseNotices() {
    static NoticeOutlet outlet;
    return outlet;
}

Notice databaseErrorNotice(const QString& fileName, const QString& detail) {
    return Notice{QStringLiteral("Database error in %1:\n%2").arg(fileName, detail),
                  QStringLiteral("Error"), PromptIcon::Error};
}

void reportDatabaseError(const QString& fileName, const QString& detail) {
    databaseNotices().report(databaseErrorNotice(fileName, detail));
}

DbTransaction::DbTransaction(const QString& fileName) : fileName_(fileName) {
    QString error;
    connection_ = openDatabaseFile(fileName, &error);
    if (connection_.isEmpty()) {
        reportDatabaseError(fileName, error);
        return;
    }
    begin();
}

DbTransaction::DbTransaction(ConnectionTag, const QString& connectionName)
    : connection_(connectionName) {
    fileName_ = states().value(connectionName).fileName;
    begin();
}

DbTransaction DbTransaction::onConnection(const QString& connectionName) {
    return DbTransaction(ConnectionTag{}, connectionName);
}

void DbTransaction::begin() {
    auto found = states().find(connection_);
    if (found == states().end()) {
        reportDatabaseError(fileName_, QStringLiteral("the database is not open"));
        return;
    }
    if (found->depth == 0) {
        if (QString error; found->stillInMemory && !createFileNow(connection_, *found, &error)) {
            reportDatabaseError(fileName_, error);
            return;
        }
        QSqlDatabase db = databaseConnection(connection_);
        if (!db.transaction()) {
            reportDatabaseError(fileName_, db.lastError().text());
            return;
        }
        found->failed = false;
    }
    ++found->depth;
    active_ = true;
}

DbTransaction::~DbTransaction() {
    if (active_) {
        fail();
        bool ok = false;
        finish(false, &ok);
    }
}

void DbTransaction::fail() {
    auto found = states().find(connection_);
    if (active_ && found != states().end()) {
        found->failed = true;
    }
}

bool DbTransaction::commit() {
    if (!active_) {
        return false;
    }
    bool ok = false;
    finish(true, &ok);
    return ok;
}

void DbTransaction::finish(bool commit, bool* ok) {
    active_ = false;
    auto found = states().find(connection_);
    if (found == states().end()) {
        *ok = false;
        return;
    }
    const bool failed = found->failed || !commit;
    if (--found->depth > 0) {
        if (failed) {
            found->failed = true;
        }
        *ok = !failed;
        return;
    }
    QSqlDatabase db = databaseConnection(connection_);
    if (failed) {
        db.rollback();
        found->failed = false;
        *ok = false;
        return;
    }
    if (!db.commit()) {
        reportDatabaseError(fileName_, db.lastError().text());
        db.rollback();
        *ok = false;
        return;
    }
    *ok = true;
}
