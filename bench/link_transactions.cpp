// 500 "at+cpbs?" transactions against the simulated phone paced at 38,400 bit/s: measured time
// against the wire time of every byte exchanged (10 bits a byte). BENCH_N and BENCH_BAUD change
// the count and the pacing (0: none, which shows the link's own cost).

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "link/SerialPort.h"
#include "phonesim/PhoneSimServer.h"

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
    phone.stop();
    return failures == 0 ? 0 : 1;
}
