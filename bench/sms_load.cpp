// SPDX-License-Identifier: GPL-3.0-or-later
// A message load of a 30-location SIM holding 20 messages of 100 to 160 characters from the
// simulated phone paced at 38,400 bit/s, against its floor: the wire time of every byte of the
// load plus the pauses the load and the message read must make (100 ms before each read,
// 100 ms more after each empty location, 300 ms inside each read). With "--pdu" the same SIM is
// loaded in PDU format, every message coming as a hex unit.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

#include "platform/Progress.h"
#include "sms/CSmsDB.h"
#include "support/BenchPhone.h"

namespace {

constexpr int kBaud = 38400;
constexpr int kLocations = 30;
constexpr int kMessages = 20;

// Message i (0-based) is 100 to 160 characters long, with commas and a line feed in it.
QString messageText(int i) {
    const int length = 100 + (i * 61) / (kMessages - 1);
    QString text = QStringLiteral("Message %1, sent from the benchmark.\n").arg(i + 1);
    while (text.size() < length) {
        text += QStringLiteral("abcdefghij, ");
    }
    return text.left(length);
}

PhoneSimState benchPhone() {
    PhoneSimState state = PhoneSimState::demo();
    state.smMessages.capacity = kLocations;
    state.smMessages.messages.clear();
    for (int i = 0; i < kMessages; ++i) {
        // Every third location of the first 30 stays empty: 20 held, 10 empty.
        const int location = i + i / 2 + 1;
        PhoneSimMessage message;
        message.status = i % 2 ? QStringLiteral("REC READ") : QStringLiteral("STO SENT");
        message.address = QStringLiteral("+4477009%1").arg(i, 5, 10, QChar('0'));
        message.addressType = 145;
        message.timestamp = QStringLiteral("26/12/07,10:%1:00+04").arg(i + 10);
        message.text = messageText(i);
        state.smMessages.messages[location] = message;
    }
    return state;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    BenchPhone phone(benchPhone(), kBaud);
    if (!phone.connect()) {
        return 1;
    }
    if (phone.link().simMessageCapacity != kLocations) {
        std::fprintf(stderr, "the phone reports %d locations, not %d\n",
                     phone.link().simMessageCapacity, kLocations);
        return 1;
    }

    const bool pdu = app.arguments().contains(QStringLiteral("--pdu"));
    if (pdu) {
        phone.link().settings.smsFormat = SmsFormat::Pdu;
    }
    CSmsDB store;
    const qint64 bytesBefore = phone.bytesSoFar();
    QElapsedTimer timer;
    timer.start();
    const bool loaded = store.LoadFromPhone(phone.link(), currentProgress()).loaded();
    const double measured = timer.elapsed() / 1000.0;
    const qint64 bytes = phone.bytesSoFar() - bytesBefore;
    const int rows = store.FullRecordCount();
    phone.stop();

    const int empty = kLocations - kMessages;
    const double pauses = (kLocations * (100 + 300) + empty * 100) / 1000.0;
    const double wire = phone.wireSeconds(bytes);
    const double floor = wire + pauses;
    std::printf("sms load%s: %d/%d rows%s\n", pdu ? " (PDU format)" : "", rows, kMessages,
                loaded ? "" : " (load incomplete)");
    std::printf("measured time: %.2f s\n", measured);
    std::printf("bytes exchanged: %lld (both ways), wire time at %d bit/s: %.2f s\n",
                static_cast<long long>(bytes), kBaud, wire);
    std::printf("prescribed pauses: %.2f s\n", pauses);
    std::printf("floor: %.2f s\n", floor);
    std::printf("ratio: %.3f (target <= 1.15)\n", measured / floor);
    return rows == kMessages && loaded ? 0 : 1;
}
