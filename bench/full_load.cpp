// SPDX-License-Identifier: GPL-3.0-or-later
// Everything a first start loads from the phone: both phonebooks (300 SIM and 550 phone-memory
// entries, every index filled), a 30-location SIM holding 20 messages, 50 schedule entries and
// 51 to-do items, read one slot a command and with fast loading (whole lists at once), each at
// 38,400 bit/s against the wire time of the bytes it exchanged, and unpaced as over a USB cable.
#include <QCoreApplication>
#include <QDate>
#include <QElapsedTimer>
#include <cstdio>

#include "phonebook/PhoneMemoryTable.h"
#include "platform/Progress.h"
#include "scheduler/ScheduleTables.h"
#include "sms/CSmsDB.h"
#include "support/BenchPhone.h"
#include "todo/CToDoListDB.h"

namespace {

constexpr int kBaud = 38400;
constexpr int kLocations = 30;
constexpr int kMessages = 20;
constexpr int kScheduleEntries = 50;
constexpr int kTodoItems = 51;

// As the message benchmark's SIM: 100 to 160 characters with commas and a line feed, half of
// them received and half stored, every third location empty.
void fillMessages(PhoneSimState& state) {
    state.smMessages.capacity = kLocations;
    state.smMessages.messages.clear();
    for (int i = 0; i < kMessages; ++i) {
        const int length = 100 + (i * 61) / (kMessages - 1);
        QString text = QStringLiteral("Message %1, sent from the benchmark.\n").arg(i + 1);
        while (text.size() < length) {
            text += QStringLiteral("abcdefghij, ");
        }
        PhoneSimMessage message;
        message.status = i % 2 ? QStringLiteral("REC READ") : QStringLiteral("STO SENT");
        message.address = QStringLiteral("+4477009%1").arg(i, 5, 10, QChar('0'));
        message.addressType = 145;
        message.timestamp = QStringLiteral("26/12/07,10:%1:00+04").arg(i + 10);
        message.text = text.left(length);
        state.smMessages.messages[i + i / 2 + 1] = message;
    }
}

PhoneSimState benchState() {
    PhoneSimState state;
    state.sm = filledBook(300, QStringLiteral("Sim contact "));
    state.me = filledBook(550, QStringLiteral("Phone contact "));
    fillMessages(state);
    state.schedule.clear();
    for (int slot = 0; slot < kScheduleEntries; ++slot) {
        state.schedule[slot] =
            PhoneSimScheduleEntry{1 + slot % 4,
                                  slot % 2,
                                  2026,
                                  1 + slot % 12,
                                  1 + slot % 28,
                                  slot % 24,
                                  30,
                                  slot % 2 ? slot % 24 : 0,
                                  slot % 2 ? 15 : 0,
                                  QStringLiteral("Entry %1, with a comma").arg(slot)};
    }
    state.todos.clear();
    const QDate first(2026, 12, 1);
    for (int i = 0; i < kTodoItems; ++i) {
        const QDate until = first.addDays(i);
        state.todos[i] = PhoneSimTodoItem{0,
                                          i % 2,
                                          until.year(),
                                          until.month(),
                                          until.day(),
                                          QStringLiteral("To-do item number %1").arg(i),
                                          {},
                                          {}};
    }
    return state;
}

struct Run {
    double seconds = 0;
    qint64 bytes = 0;
    double wire = 0;
    bool complete = false;
};

Run loadAll(bool fast, int baud) {
    BenchPhone phone(benchState(), baud);
    if (!phone.connect()) {
        return {};
    }
    phone.link().settings.fastLoad = fast;
    const qint64 connectionBytes = phone.bytesSoFar();
    CSimViewDB sim;
    CMsListDB ms;
    CSmsDB messages;
    CPhoneScheduleDB schedule;
    CToDoListDB todo;
    Progress& progress = currentProgress();
    QElapsedTimer timer;
    timer.start();
    bool loaded = sim.LoadFromPhone(phone.link(), progress).loaded() &&
                  ms.LoadFromPhone(phone.link(), progress).loaded() &&
                  messages.LoadFromPhone(phone.link(), progress).loaded() &&
                  schedule.LoadScheduleFromPhone(phone.link(), progress).loaded() &&
                  todo.LoadFromPhone(phone.link(), progress).loaded();
    Run run;
    run.seconds = timer.elapsed() / 1000.0;
    loaded = loaded && sim.FullRecordCount() == 300 && ms.FullRecordCount() == 550 &&
             messages.FullRecordCount() == kMessages &&
             schedule.FullRecordCount() == kScheduleEntries && todo.FullRecordCount() == kTodoItems;
    phone.stop();
    run.bytes = phone.bytesSoFar() - connectionBytes;
    run.wire = run.bytes * 10.0 / kBaud;
    run.complete = loaded;
    return run;
}

void report(const char* what, int baud, const Run& run) {
    std::printf("%-11s %-8s %6.2f s  %6lld bytes", what, baud ? "38400" : "unpaced", run.seconds,
                static_cast<long long>(run.bytes));
    if (baud) {
        std::printf("  wire %6.2f s  ratio %.2f", run.wire,
                    run.wire > 0 ? run.seconds / run.wire : 0.0);
    }
    std::printf("%s\n", run.complete ? "" : "  (load incomplete)");
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const Run slow = loadAll(false, kBaud);
    report("one by one", kBaud, slow);
    const Run fast = loadAll(true, kBaud);
    report("fast", kBaud, fast);
    const Run slowUnpaced = loadAll(false, 0);
    report("one by one", 0, slowUnpaced);
    const Run fastUnpaced = loadAll(true, 0);
    report("fast", 0, fastUnpaced);
    const double share = slow.seconds > 0 ? fast.seconds / slow.seconds : 0.0;
    std::printf("fast at %d bit/s: %.2f of one by one (target <= 0.5)\n", kBaud, share);
    std::printf("fast unpaced: %.2f s (target < 3 s)\n", fastUnpaced.seconds);
    return slow.complete && fast.complete && slowUnpaced.complete && fastUnpaced.complete ? 0 : 1;
}
