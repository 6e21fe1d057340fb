// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ScheduleTexts.h"

#include <array>

namespace {
const std::array<const char*, 4> kMarks = {"(R)", "(C)", "(M)", "(B)"};
const std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
}  // namespace

QString scheduleTypeMark(int type) {
    if (type < 1 || type > static_cast<int>(kMarks.size())) {
        return {};
    }
    return QString::fromLatin1(kMarks[type - 1]);
}

QString scheduleCellText(int type, const QString& contents) {
    return scheduleTypeMark(type) + contents;
}

QString contentsOfCellText(QString cellText) {
    for (const char* mark : kMarks) {
        cellText.remove(QString::fromLatin1(mark));
    }
    return cellText;
}

QString scheduleDateText(int year, int month, int day) {
    const QString monthText = month >= 1 && month <= 12 ? QString::fromLatin1(kMonths[month - 1])
                                                        : QString::number(month);
    return QStringLiteral("%1-%2-%3").arg(day).arg(monthText).arg(year, 4, 10, QChar('0'));
}

QString scheduleTimeText(int hour, int minute) {
    return QStringLiteral("%1:%2").arg(hour).arg(minute, 2, 10, QChar('0'));
}
