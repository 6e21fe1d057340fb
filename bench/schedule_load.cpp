// SPDX-License-Identifier: GPL-3.0-or-later
// A scheduler load (50 slots, 40 of them holding entries) from the simulated phone paced at
// 38,400 bit/s, against the wire time of every byte exchanged.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "phone/SlotMirror.h"
#include "platform/Progress.h"
#include "scheduler/ScheduleTables.h"
#include "support/BenchPhone.h"

namespace {

constexpr int kBaud = 38400;
constexpr int kEntries = 40;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
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
    BenchPhone phone(state, kBaud);
    if (!phone.connect()) {
        return 1;
    }
    // Only the load is timed: the connection's bytes are left out of the wire time too.
    const qint64 connectionBytes = phone.bytesSoFar();

    CPhoneScheduleDB table;
    QElapsedTimer timer;
    timer.start();
    const bool loaded = table.LoadScheduleFromPhone(phone.link(), currentProgress()).loaded();
    const double measured = timer.elapsed() / 1000.0;
    const int rows = table.FullRecordCount();
    phone.stop();

    const qint64 bytes = phone.bytesSoFar() - connectionBytes;
    const double wire = phone.wireSeconds(bytes);
    std::printf("schedule load: %d/%d rows%s\n", rows, kEntries, loaded ? "" : " (load failed)");
    std::printf("measured time: %.2f s\n", measured);
    std::printf("bytes exchanged: %lld (both ways)\n", static_cast<long long>(bytes));
    std::printf("wire time at %d bit/s: %.2f s\n", kBaud, wire);
    std::printf("ratio: %.3f (target <= 1.3)\n", wire > 0 ? measured / wire : 0.0);
    return loaded && rows == kEntries ? 0 : 1;
}
