// A scheduler load (50 slots, 40 of them holding entries) from the simulated phone paced at
// 38,400 bit/s, against the wire time of every byte exchanged.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "db/DatabaseConnection.h"
#include "phone/PhoneLink.h"
#include "phonesim/PhoneSimServer.h"
#include "scheduler/ScheduleTables.h"
#include "support/TranscriptBytes.h"

namespace {

constexpr int kBaud = 38400;
constexpr int kEntries = 40;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir workDir;
    QDir::setCurrent(workDir.path());

    PhoneSimState state;
    state.schedule.clear();
    // Every fifth slot stays empty; the rest hold all four kinds, every other one with alarm.
    for (int slot = 0, made = 0; slot < 50 && made < kEntries; ++slot) {
        if (slot % 5 == 4) {
            continue;
        }
        const int alarm = made % 2;
        state.schedule[slot] =
            PhoneSimScheduleEntry{1 + made % 4,
                                  alarm,
                                  2026,
                                  1 + made % 12,
                                  1 + made % 28,
                                  made % 24,
                                  30,
                                  alarm ? made % 24 : 0,
                                  alarm ? 15 : 0,
                                  QStringLiteral("Entry %1, with a comma").arg(made)};
        ++made;
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
    // Only the load is timed: the connection's bytes are left out of the wire time too.
    const qint64 connectionBytes = bytesInTranscript(options.transcriptPath);

    CPhoneScheduleDB table;
    QElapsedTimer timer;
    timer.start();
    const bool loaded = table.LoadScheduleFromPhone(link);
    const double measured = timer.elapsed() / 1000.0;
    const int rows = table.FullRecordCount();
    link.Disconnect();
    server.stop();
    closeAllDatabases();

    const qint64 bytes = bytesInTranscript(options.transcriptPath) - connectionBytes;
    const double wire = bytes * 10.0 / kBaud;
    std::printf("schedule load: %d/%d rows%s\n", rows, kEntries, loaded ? "" : " (load failed)");
    std::printf("measured time: %.2f s\n", measured);
    std::printf("bytes exchanged: %lld (both ways)\n", static_cast<long long>(bytes));
    std::printf("wire time at %d bit/s: %.2f s\n", kBaud, wire);
    std::printf("ratio: %.3f (target <= 1.3)\n", wire > 0 ? measured / wire : 0.0);
    return loaded && rows == kEntries ? 0 : 1;
}
