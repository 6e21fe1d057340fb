// SPDX-License-Identifier: GPL-3.0-or-later
// A vCard import of 300 cards into a SIM of 250 on the simulated phone paced at 38,400 bit/s
// (250 written, 50 skipped for lack of room), against the wire time of every byte exchanged;
// then the export of the filled phonebooks, which needs no phone.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <cstdio>

#include "exchange/PhonebookExchange.h"
#include "platform/Progress.h"
#include "support/BenchPhone.h"

namespace {

constexpr int kBaud = 38400;
constexpr int kCards = 300;
constexpr int kSimCapacity = 250;

QByteArray cards() {
    QByteArray bytes;
    for (int i = 1; i <= kCards; ++i) {
        bytes += QStringLiteral(
                     "BEGIN:VCARD\r\nVERSION:2.1\r\nN:Contact;Number %1\r\nTEL;CELL:+44 7700 %2\r\n"
                     "END:VCARD\r\n")
                     .arg(i)
                     .arg(i, 6, 10, QChar('0'))
                     .toUtf8();
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PhoneSimState state;
    state.sm = PhoneSimPhonebook{kSimCapacity, {}};
    state.me = PhoneSimPhonebook{10, {}};
    BenchPhone phone(state, kBaud);
    if (!phone.connect()) {
        return 1;
    }
    QFile file(QStringLiteral("cards.vcf"));
    if (!file.open(QIODevice::WriteOnly) || file.write(cards()) < 0) {
        return 1;
    }
    file.close();

    const qint64 bytesBefore = phone.bytesSoFar();
    QElapsedTimer timer;
    timer.start();
    const ExchangeResult result =
        importPhonebookVCard(file.fileName(), MemorySim, &phone.link(), currentProgress());
    const double measured = timer.elapsed() / 1000.0;
    QElapsedTimer exportTimer;
    exportTimer.start();
    const ExchangeResult exported = exportPhonebookVCard(QStringLiteral("out.vcf"), {MemorySim});
    const double exportSeconds = exportTimer.elapsed() / 1000.0;
    // The transcript is complete only once the phone has stopped.
    phone.stop();

    const qint64 bytes = phone.bytesSoFar() - bytesBefore;
    const double wire = phone.wireSeconds(bytes);
    std::printf("vCard import: %d cards, %d stored, %d skipped\n", kCards, result.imported,
                result.skipped);
    std::printf("measured time: %.2f s\n", measured);
    std::printf("bytes exchanged: %lld (both ways)\n", static_cast<long long>(bytes));
    std::printf("wire time at %d bit/s: %.2f s\n", kBaud, wire);
    std::printf("ratio: %.3f\n", wire > 0 ? measured / wire : 0.0);
    std::printf("vCard export of %d entries: %.3f s\n", exported.exported, exportSeconds);
    return result.imported == kSimCapacity && result.skipped == kCards - kSimCapacity ? 0 : 1;
}
