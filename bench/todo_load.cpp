// SPDX-License-Identifier: GPL-3.0-or-later
// A to-do list load (51 reads, 40 items on the phone) from the simulated phone paced at
// 38,400 bit/s, against the wire time of the bytes the load exchanged.
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <cstdio>

#include "phone/SlotMirror.h"
#include "platform/Progress.h"
#include "support/BenchPhone.h"
#include "todo/CToDoListDB.h"

namespace {

constexpr int kBaud = 38400;
constexpr int kItems = 40;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
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
    BenchPhone phone(state, kBaud);
    if (!phone.connect()) {
        return 1;
    }
    // Only the load is timed: the connection's bytes are left out of the wire time too.
    const qint64 connectionBytes = phone.bytesSoFar();

    CToDoListDB table;
    QElapsedTimer timer;
    timer.start();
    const bool loaded = table.LoadFromPhone(phone.link(), currentProgress()).loaded();
    const double measured = timer.elapsed() / 1000.0;
    const int rows = table.FullRecordCount();
    phone.stop();

    const qint64 bytes = phone.bytesSoFar() - connectionBytes;
    const double wire = phone.wireSeconds(bytes);
    std::printf("to-do load: 51 reads, %d/%d rows%s\n", rows, kItems,
                loaded ? "" : " (load incomplete)");
    std::printf("measured time: %.3f s\n", measured);
    std::printf("bytes exchanged: %lld (both ways)\n", static_cast<long long>(bytes));
    std::printf("wire time at %d bit/s: %.3f s\n", kBaud, wire);
    std::printf("ratio: %.3f (target <= 1.3)\n", wire > 0 ? measured / wire : 0.0);
    return rows == kItems ? 0 : 1;
}
