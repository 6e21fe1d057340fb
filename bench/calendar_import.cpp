// SPDX-License-Identifier: GPL-3.0-or-later
// An iCalendar import of 60 events into an empty scheduler on the simulated phone paced at
// 38,400 bit/s (50 written, 10 skipped for lack of slots), against the wire time of every byte
// exchanged; then the export of the 50 reminder rows, which needs no phone. Each write is one
// slow-poll transaction (200 ms polls), as a new entry of the scheduler view is.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTimeZone>
#include <cstdio>

#include "exchange/CalendarExchange.h"
#include "platform/Progress.h"
#include "support/BenchPhone.h"

namespace {

constexpr int kBaud = 38400;
constexpr int kEvents = 60;

QList<ReminderRow> events() {
    QList<ReminderRow> rows;
    for (int i = 0; i < kEvents; ++i) {
        ReminderRow row;
        row.entry.type = 1 + i % 4;
        row.entry.year = 2026;
        row.entry.month = 1 + i % 12;
        row.entry.date = 1 + i % 28;
        row.entry.hour = i % 24;
        row.entry.minute = 30;
        row.entry.alarm = i % 2;
        row.entry.alarmHour = row.entry.alarm ? i % 24 : 0;
        row.entry.alarmMinute = row.entry.alarm ? 15 : 0;
        row.entry.contents = row.entry.type == 2 ? QStringLiteral("0123%1").arg(i)
                                                 : QStringLiteral("Event %1").arg(i);
        rows << row;
    }
    return rows;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    PhoneSimState state;
    state.schedule.clear();
    BenchPhone phone(state, kBaud);
    if (!phone.connect()) {
        return 1;
    }
    const QTimeZone zone = QTimeZone::utc();
    const QDateTime stamp(QDate(2026, 12, 8), QTime(12, 0), QTimeZone::utc());
    QFile file(QStringLiteral("events.ics"));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(scheduleCalendarText(events(), stamp, zone)) < 0) {
        return 1;
    }
    file.close();

    const qint64 bytesBefore = phone.bytesSoFar();
    QElapsedTimer timer;
    timer.start();
    const ExchangeResult result =
        importScheduleCalendar(file.fileName(), &phone.link(), currentProgress(), zone);
    const double measured = timer.elapsed() / 1000.0;
    QElapsedTimer exportTimer;
    exportTimer.start();
    const ExchangeResult exported =
        exportScheduleCalendar(QStringLiteral("out.ics"), false, stamp, zone);
    const double exportSeconds = exportTimer.elapsed() / 1000.0;
    // The transcript is complete only once the phone has stopped.
    phone.stop();

    const qint64 bytes = phone.bytesSoFar() - bytesBefore;
    const double wire = phone.wireSeconds(bytes);
    std::printf("iCalendar import: %d events, %d stored, %d skipped\n", kEvents, result.imported,
                result.skipped);
    std::printf("measured time: %.2f s\n", measured);
    std::printf("bytes exchanged: %lld (both ways)\n", static_cast<long long>(bytes));
    std::printf("wire time at %d bit/s: %.2f s\n", kBaud, wire);
    std::printf("ratio: %.3f\n", wire > 0 ? measured / wire : 0.0);
    std::printf("iCalendar export of %d entries: %.3f s\n", exported.exported, exportSeconds);
    return result.imported == ScheduleCapacity && result.skipped == kEvents - ScheduleCapacity ? 0
                                                                                               : 1;
}
