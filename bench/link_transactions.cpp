// SPDX-License-Identifier: GPL-3.0-or-later
// 500 "at+cpbs?" transactions against the simulated phone paced at 38,400 bit/s: measured time
// against the wire time of every byte exchanged (10 bits a byte). BENCH_N and BENCH_BAUD change
// the count and the pacing (0: none, which shows the link's own cost).

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "link/SerialPort.h"
#include "phonesim/PhoneSimServer.h"

namespace {

// The same exchange through bare poll/read on the device: what the machine, the
// pseudo-terminal and the simulated phone cost by themselves.
double bareHostSeconds(const QString& path, const QByteArray& command, int transactions) {
    const int fd = ::open(path.toLocal8Bit().constData(), O_RDWR | O_NOCTTY);
    if (fd < 0) {
        return -1;
    }
    termios tio{};
    ::tcgetattr(fd, &tio);
    ::cfmakeraw(&tio);
    ::tcsetattr(fd, TCSANOW, &tio);
    QElapsedTimer timer;
    timer.start();
    char buffer[4096];
    for (int i = 0; i < transactions; ++i) {
        if (::write(fd, command.constData(), command.size()) != command.size()) {
            break;
        }
        QByteArray answer;
        while (!answer.endsWith("OK\r\n")) {
            pollfd wait{fd, POLLIN, 0};
            if (::poll(&wait, 1, 3000) <= 0) {
                break;
            }
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            answer.append(buffer, n);
        }
    }
    const double seconds = timer.nsecsElapsed() / 1e9;
    ::close(fd);
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int kTransactions =
        qEnvironmentVariableIsSet("BENCH_N") ? qEnvironmentVariableIntValue("BENCH_N") : 500;
    constexpr int kBaud = 38400;
    const QByteArray command = "at+cpbs?\r";

    PhoneSimOptions options;
    options.baud = qEnvironmentVariableIsSet("BENCH_BAUD")
                       ? qEnvironmentVariableIntValue("BENCH_BAUD")
                       : kBaud;
    PhoneSimServer phone(PhoneSimState::demo(), options);
    QString error;
    if (!phone.start(&error)) {
        std::fprintf(stderr, "cannot start the simulated phone: %s\n", qPrintable(error));
        return 1;
    }
    SerialPort port(0, kBaud, 8, 0, 0, 0);
    port.setDevicePath(phone.slavePath());
    if (!port.Open()) {
        std::fprintf(stderr, "cannot open %s\n", qPrintable(phone.slavePath()));
        return 1;
    }

    qint64 bytes = 0;
    int failures = 0;
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kTransactions; ++i) {
        QByteArray answer;
        if (port.Transact(command, answer) != kTransactComplete || !answer.endsWith("OK\r\n")) {
            ++failures;
        }
        bytes += command.size() + answer.size();
    }
    const double measuredS = timer.nsecsElapsed() / 1e9;
    const double wireS = bytes * 10.0 / kBaud;
    std::printf("transactions: %d (failed: %d)\n", kTransactions, failures);
    std::printf("bytes exchanged: %lld\n", static_cast<long long>(bytes));
    std::printf("measured time: %.3f s (%.2f ms a transaction)\n", measuredS,
                measuredS * 1000 / kTransactions);
    std::printf("wire time: %.3f s\n", wireS);
    std::printf("ratio: %.3f\n", measuredS / wireS);
    port.Close();
    const double bareS = bareHostSeconds(phone.slavePath(), command, kTransactions);
    std::printf("bare poll/read host on the same phone: %.3f s, ratio %.3f\n", bareS,
                bareS / wireS);
    phone.stop();
    return failures == 0 ? 0 : 1;
}
