// SPDX-License-Identifier: GPL-3.0-or-later
// The table side of a phonebook load: 550 rows added the way the store adds them (add, three
// fields, store, requery), then the table emptied the way the store empties it (first row,
// delete, requery, n times). Measured time against the wire time of reading the same entries
// from the phone at 38,400 bit/s ("at+cpbr=n\r" and a typical answer, 10 bits a byte), so the
// ratio says how much the database adds to a load. BENCH_N changes the row count.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>

#include "db/DatabaseConnection.h"
#include "db/Recordset.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int rows =
        qEnvironmentVariableIsSet("BENCH_N") ? qEnvironmentVariableIntValue("BENCH_N") : 550;
    constexpr int kBaud = 38400;
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());

    Recordset table(kPhonebookDbFile, QStringLiteral("ms"));
    table.setSort(QStringLiteral("Number ASC"));
    if (!table.Open()) {
        return 1;
    }
    qint64 wireBytes = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 1; i <= rows; ++i) {
        const QString name = QStringLiteral("Entry %1").arg(i);
        const QString dial = QStringLiteral("+4912345%1").arg(i, 4, 10, QLatin1Char('0'));
        table.FullRecordCount();
        table.AddNew();
        table.setValue(QStringLiteral("Number"), i);
        table.setValue(QStringLiteral("Name"), name);
        table.setValue(QStringLiteral("MainNumber"), dial);
        if (!table.Update() || !table.Requery()) {
            return 1;
        }
        const QByteArray command = QByteArray("at+cpbr=") + QByteArray::number(i) + "\r";
        const QByteArray answer = "\r\n+CPBR: " + QByteArray::number(i) + ",\"" + dial.toLatin1() +
                                  "\",145,\"" + name.toLatin1() + "\"\r\n\r\nOK\r\n";
        wireBytes += command.size() + answer.size();
    }
    const double addS = timer.nsecsElapsed() / 1e9;

    timer.restart();
    const int n = table.FullRecordCount();
    for (int i = 0; i < n; ++i) {
        table.MoveFirst();
        if (!table.Delete() || !table.Requery()) {
            return 1;
        }
    }
    const double emptyS = timer.nsecsElapsed() / 1e9;
    const double wireS = wireBytes * 10.0 / kBaud;

    std::printf("rows: %d\n", rows);
    std::printf("add and requery: %.3f s (%.2f ms a row)\n", addS, addS * 1000 / rows);
    std::printf("empty (delete first, requery): %.3f s (%.2f ms a row)\n", emptyS,
                emptyS * 1000 / rows);
    std::printf("wire time of the same phone reads: %.3f s\n", wireS);
    std::printf("ratio (add and requery / wire): %.3f\n", addS / wireS);
    table.Close();
    closeAllDatabases();
    return 0;
}
