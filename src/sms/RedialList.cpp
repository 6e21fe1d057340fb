// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/RedialList.h"

#include "platform/Profile.h"

namespace {
const QString kSection = QStringLiteral("Redial");

QString nameKey(int position) {
    return QStringLiteral("Name%1").arg(position);
}
QString numberKey(int position) {
    return QStringLiteral("Number%1").arg(position);
}
}  // namespace

QList<RedialEntry> readRedialList() {
    QList<RedialEntry> entries;
    for (int position = 1; position <= kRedialEntries; ++position) {
        entries.append({Profile::value(kSection, nameKey(position)).toString(),
                        Profile::value(kSection, numberKey(position)).toString()});
    }
    return entries;
}

void RecordRecentNumber(const QString& name, const QString& number) {
    const QList<RedialEntry> entries = readRedialList();
    if (entries.first() == RedialEntry{name, number}) {
        return;
    }
    for (int position = kRedialEntries; position >= 2; --position) {
        const RedialEntry& moved = entries[position - 2];
        Profile::setValue(kSection, nameKey(position), moved.name);
        Profile::setValue(kSection, numberKey(position), moved.number);
    }
    Profile::setValue(kSection, nameKey(1), name);
    Profile::setValue(kSection, numberKey(1), number);
}
