// SPDX-License-Identifier: GPL-3.0-or-later
// Soak: 10,000 phone operations through the real link (PhoneLink, SerialPort over a
// pseudo-terminal) against the simulated phone misbehaving at random. The phone is replaced by a
// fresh one with new faults every few dozen operations (hang-ups after a random number of
// commands, noise before answers, answers in small chunks, error lines with long codes, small
// delays), and each phone gets a fresh PhoneLink, so opening, identifying and losing the phone
// are soaked too. Prints the resident memory at the start, every 2,000 operations and at the
// end, with a verdict on growth. BENCH_N changes the count, BENCH_SEED the random choices.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <random>

#include "phone/PhoneLink.h"
#include "phone/ScheduleEntry.h"
#include "phonesim/PhoneSimServer.h"
#include "platform/Prompter.h"

namespace {

// Growth allowed between the first checkpoint (caches and allocator pools warmed up) and the end.
constexpr long kGrowthToleranceKb = 1024;

long residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return -1;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').value(0).toLong();
        }
    }
    return -1;
}

// Every failure message of the link goes nowhere: a soak meets thousands of them.
class SilentPrompter : public Prompter {
  public:
    PromptAnswer ask(const Prompt& prompt) override {
        return prompt.buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Ok;
    }
};

PhoneSimState soakPhone() {
    PhoneSimState state = PhoneSimState::demo();
    state.sm.capacity = 20;
    state.me.capacity = 20;
    return state;
}

PhoneSimOptions randomFaults(std::mt19937& random) {
    auto chance = [&](int percent) {
        return std::uniform_int_distribution<int>(0, 99)(random) < percent;
    };
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    PhoneSimOptions options;
    if (chance(30)) {
        options.dropAfterCommands = between(0, 120);
    }
    options.garbage = chance(30);
    if (chance(30)) {
        options.chunkBytes = between(1, 8);
        options.chunkGapMs = between(0, 1);
    }
    if (chance(40)) {
        static const char* const patterns[] = {"cpbr", "ctdr", "schr", "cmgr", "cpbw",
                                               "ctdw", "schw", "cmgd", "=1",   "=2"};
        options.errorPattern = patterns[between(0, 9)];
        const int kind = between(0, 2);
        if (kind == 1) {
            options.cmeError = between(0, 2'000'000'000);
        } else if (kind == 2) {
            options.cmsError = between(0, 2'000'000'000);
        }
    }
    if (chance(10)) {
        options.latencyMs = between(1, 5);
    }
    return options;
}

// One operation of a random kind; returns its code.
int randomOperation(PhoneLink& link, std::mt19937& random) {
    auto between = [&](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    QString answer;
    // A message read waits 300 ms before its first poll: one in twenty keeps the run short.
    switch (between(0, 19)) {
        case 0:
            return link.ReadPhonebookEntry(between(1, 20), answer);
        case 1:
            return link.WritePhonebookEntry(between(1, 20), 0,
                                            "+4477009" + QString::number(between(0, 999)), 145,
                                            "Soak " + QString::number(between(0, 99)));
        case 2:
            return link.DeletePhonebookEntry(between(1, 20));
        case 3:
            return link.ReadMessage(between(1, 10), answer);
        case 9:
        case 10:
            return link.Identify() ? 0 : 1;
        case 4:
            return link.ReadTodo(between(0, 50), answer);
        case 5:
            return link.WriteTodo(between(1, 50), 0, between(0, 1), 2027, between(1, 12),
                                  between(1, 28), "Soak item, " + QString::number(between(0, 99)));
        case 6:
            return link.DeleteTodo(between(1, 50));
        case 7:
            return link.ReadScheduleEntry(between(0, 49), answer);
        case 8: {
            ScheduleEntry entry;
            entry.index = between(0, 49);
            entry.type = between(1, 4);
            entry.year = 2027;
            entry.month = between(1, 12);
            entry.date = between(1, 28);
            entry.hour = between(0, 23);
            entry.contents = "Soak " + QString::number(between(0, 99));
            return link.WriteScheduleEntry(entry);
        }
        case 11:
        case 12:
            return link.ReadPhonebookEntry(between(1, 20), answer);
        case 13:
        case 14:
            return link.ReadTodo(between(0, 50), answer);
        case 15:
        case 16:
            return link.ReadScheduleEntry(between(0, 49), answer);
        default:
            return link.DeleteScheduleEntry(between(0, 49));
    }
}

}  // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    QCoreApplication app(argc, argv);
    SilentPrompter prompter;
    setCurrentPrompter(&prompter);

    const int total =
        qEnvironmentVariableIsSet("BENCH_N") ? qEnvironmentVariableIntValue("BENCH_N") : 10000;
    const quint32 seed = qEnvironmentVariableIsSet("BENCH_SEED")
                             ? static_cast<quint32>(qEnvironmentVariableIntValue("BENCH_SEED"))
                             : 20261208u;
    std::mt19937 random(seed);
    const int checkpointEvery = std::max(1, total / 5);
    std::printf("soak: %d operations, seed %u\n", total, seed);

    const long startKb = residentKb();
    std::printf("VmRSS at start: %ld kB\n", startKb);
    long firstCheckpointKb = -1;
    int done = 0;
    int failed = 0;
    int phones = 0;
    int hangUps = 0;
    int slow = 0;
    long long phoneCommands = 0;
    QElapsedTimer timer;
    timer.start();
    while (done < total) {
        PhoneSimServer phone(soakPhone(), randomFaults(random));
        QString error;
        if (!phone.start(&error)) {
            std::fprintf(stderr, "cannot start the simulated phone: %s\n", qPrintable(error));
            return 1;
        }
        ++phones;
        PhoneLinkOptions options;
        options.devicePath = phone.slavePath();
        PhoneLink link(options);
        const int episode = std::uniform_int_distribution<int>(20, 200)(random);
        for (int i = 0; i < episode && done < total; ++i) {
            if (link.port && link.port->lost()) {
                ++hangUps;
                break;  // the next phone takes over
            }
            const qint64 before = timer.elapsed();
            failed += randomOperation(link, random) == 0 ? 0 : 1;
            if (timer.elapsed() - before >= 1000) {
                ++slow;
            }
            ++done;
            if (done % checkpointEvery == 0) {
                const long kb = residentKb();
                if (firstCheckpointKb < 0) {
                    firstCheckpointKb = kb;
                }
                std::printf("VmRSS after %5d operations: %ld kB (%.1f s)\n", done, kb,
                            timer.nsecsElapsed() / 1e9);
                std::fflush(stdout);
            }
        }
        phoneCommands += phone.commandCount();
        phone.stop();
    }
    const long endKb = residentKb();
    std::printf("VmRSS at end: %ld kB\n", endKb);
    std::printf(
        "phones: %d, hang-ups met: %d, operations failed: %d of %d, commands the phones "
        "took: %lld, time: %.1f s\n",
        phones, hangUps, failed, done, phoneCommands, timer.nsecsElapsed() / 1e9);
    std::printf("operations that took 1 s or more: %d\n", slow);
    const long growthKb = endKb - (firstCheckpointKb >= 0 ? firstCheckpointKb : startKb);
    const bool steady = growthKb <= kGrowthToleranceKb;
    std::printf("growth since the first checkpoint: %ld kB; verdict: %s\n", growthKb,
                steady ? "memory does not grow" : "MEMORY GROWS");
    setCurrentPrompter(nullptr);
    return steady ? 0 : 1;
}
