// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// The Redial list: the ten most recent (name, number) pairs a message went to, kept in the
// application profile under "Redial" as "Name1"/"Number1" (most recent) to "Name10"/"Number10".

struct RedialEntry {
    QString name;
    QString number;

    bool operator==(const RedialEntry&) const = default;
};

inline constexpr int kRedialEntries = 10;

// Always ten pairs; a missing key reads as empty.
QList<RedialEntry> readRedialList();

// Pushes the pair in front and drops the oldest; nothing is written when the front pair is
// already this name and number.
void RecordRecentNumber(const QString& name, const QString& number);
