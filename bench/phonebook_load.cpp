// SPDX-License-Identifier: GPL-3.0-or-later
// A full phonebook load (300 SIM and 550 phone-memory entries, every index filled) from the
// simulated phone paced at 38,400 bit/s, against the wire time of every byte exchanged.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "phonebook/PhoneMemoryTable.h"
#include "platform/Progress.h"
#include "support/BenchPhone.h"

namespace {

constexpr int kBaud = 38400;

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PhoneSimState state;
    state.sm = filledBook(300, QStringLiteral("Sim contact "));
    state.me = filledBook(550, QStringLiteral("Phone contact "));
    BenchPhone phone(state, kBaud);

    // The connection is part of this measurement, as at start-up.
    QElapsedTimer timer;
    timer.start();
    if (!phone.connect()) {
        return 1;
    }
    CSimViewDB sim;
    CMsListDB ms;
    const MirrorOutcome simResult = sim.LoadFromPhone(phone.link(), currentProgress());
    const MirrorOutcome msResult = ms.LoadFromPhone(phone.link(), currentProgress());
    const double measured = timer.elapsed() / 1000.0;
    const int simRows = sim.FullRecordCount();
    const int msRows = ms.FullRecordCount();
    phone.stop();

    const qint64 bytes = phone.bytesSoFar();
    const double wire = phone.wireSeconds(bytes);
    std::printf("phonebook load: sim %d/300 rows, ms %d/550 rows%s\n", simRows, msRows,
                simResult.loaded() && msResult.loaded() ? "" : " (load incomplete)");
    std::printf("measured time: %.2f s\n", measured);
    std::printf("bytes exchanged: %lld (both ways)\n", static_cast<long long>(bytes));
    std::printf("wire time at %d bit/s: %.2f s\n", kBaud, wire);
    std::printf("ratio: %.3f (target <= 1.3)\n", wire > 0 ? measured / wire : 0.0);
    return simRows == 300 && msRows == 550 ? 0 : 1;
}
