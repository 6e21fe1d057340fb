// A to-do list load (51 reads, 40 items on the phone) from the simulated phone paced at
// 38,400 bit/s, against the wire time of the bytes the load exchanged.
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "db/DatabaseConnection.h"
#include "phone/PhoneLink.h"
#include "phonesim/PhoneSimServer.h"
#include "todo/CToDoListDB.h"

namespace {

constexpr int kBaud = 38400;
constexpr int kItems = 40;

// Bytes of the transcript ("host  <bytes>" / "phone <bytes>", escaped) from the first line that
// starts with `from`; connection traffic before it is not part of the load.
qint64 bytesInTranscriptFrom(const QString& path, const QByteArray& from) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    qint64 total = 0;
    bool counting = false;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n')) {
            line.chop(1);
        }
        if (!line.startsWith("host  ") && !line.startsWith("phone ")) {
            continue;
        }
        counting = counting || line.startsWith(from);
        if (!counting) {
            continue;
        }
        const QByteArray bytes = line.mid(6);
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\\' && i + 1 < bytes.size()) {
                i += bytes[i + 1] == 'x' ? 3 : 1;
            }
            ++total;
        }
    }
    return total;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());

    PhoneSimState state;
    const QDate first(2026, 12, 1);
    for (int i = 1; i <= kItems; ++i) {
        const QDate until = first.addDays(i);
        PhoneSimTodoItem item{i % 3 == 0 ? 2 : 0,
                              i % 2,
                              until.year(),
                              until.month(),
                              until.day(),
                              QStringLiteral("To-do item number %1, a typical length").arg(i),
                              i % 3 == 0 ? QStringLiteral("2026/11/30") : QString(),
                              i % 3 == 0 ? QStringLiteral("18:45") : QString()};
        state.todos[i] = item;
    }
    PhoneSimOptions options;
    options.baud = kBaud;
    options.transcriptPath = workDir.filePath(QStringLiteral("transcript.txt"));
    PhoneSimServer server(state, options);
    QString error;
    if (!server.start(&error)) {
        std::fprintf(stderr, "phone did not start: %s\n", qPrintable(error));
        return 1;
    }
    PhoneLinkOptions linkOptions;
    linkOptions.devicePath = server.slavePath();
    PhoneLink link(linkOptions);
    if (!link.phoneFound) {
        std::fprintf(stderr, "no phone found on %s\n", qPrintable(server.slavePath()));
        return 1;
    }

    CToDoListDB table;
    QElapsedTimer timer;
    timer.start();
    const TodoLoadResult result = table.LoadFromPhone(link);
    const double measured = timer.elapsed() / 1000.0;
    const int rows = table.FullRecordCount();
    link.Disconnect();
    server.stop();
    closeAllDatabases();

    const qint64 bytes = bytesInTranscriptFrom(options.transcriptPath, "host  at+ctdr=0\\r");
    const double wire = bytes * 10.0 / kBaud;
    std::printf("to-do load: 51 reads, %d/%d rows%s\n", rows, kItems,
                result == TodoLoadResult::Loaded ? "" : " (load incomplete)");
    std::printf("measured time: %.3f s\n", measured);
    std::printf("bytes exchanged: %lld (both ways)\n", static_cast<long long>(bytes));
    std::printf("wire time at %d bit/s: %.3f s\n", kBaud, wire);
    std::printf("ratio: %.3f (target <= 1.3)\n", wire > 0 ? measured / wire : 0.0);
    return rows == kItems ? 0 : 1;
}
