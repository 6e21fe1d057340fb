// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ScheduleLeadTime.h"

#include <array>

namespace {
constexpr std::array<int, kLeadTimeItemCount> kLeadSeconds = {0, 300, 600, 1800, 3600};
}  // namespace

QStringList leadTimeItemTexts() {
    return {QStringLiteral("The Exact Time"), QStringLiteral("Before 5 Minutes"),
            QStringLiteral("Before 10 Minutes"), QStringLiteral("Before 30 Minutes"),
            QStringLiteral("Before 1 Hour")};
}

int leadTimeSeconds(int item) {
    if (item < 0 || item >= kLeadTimeItemCount) {
        return 0;
    }
    return kLeadSeconds[static_cast<size_t>(item)];
}

QTime alarmTimeFor(const QDateTime& entryTime, int item) {
    const QTime entry(entryTime.time().hour(), entryTime.time().minute());
    return entry.addSecs(-leadTimeSeconds(item));
}

// Only a difference that one of the items produces selects it: any other ring time (set on
// the phone, or the 0:0 of an entry without alarm) must survive an OK unchanged.
int recoverLeadTimeItem(int hour, int minute, int alarmHour, int alarmMinute) {
    int alarmMinutes = alarmHour * 60 + alarmMinute;
    if (alarmHour > hour) {
        alarmMinutes -= 24 * 60;
    }
    const int difference = hour * 60 + minute - alarmMinutes;
    for (int item = 0; item < kLeadTimeItemCount; ++item) {
        if (difference * 60 == kLeadSeconds[static_cast<size_t>(item)]) {
            return item;
        }
    }
    return -1;
}
