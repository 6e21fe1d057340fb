// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include "platform/Notice.h"

// What one export or import did: how many items went through, how many were skipped and why
// (one line per skipped item), and the error that stopped the whole run, if one did.
struct ExchangeResult {
    int exported = 0;
    int imported = 0;
    int skipped = 0;
    QStringList skippedReasons;
    QString error;
    // What the stores had to tell on the way (an extension left out, say), in order.
    Notices notices;
    // Sentences the summary adds after its counts (where the imported items live, say).
    QStringList notes;

    static ExchangeResult failed(const QString& error) {
        ExchangeResult result;
        result.error = error;
        return result;
    }

    bool ok() const { return error.isEmpty(); }
    void skip(const QString& reason) {
        ++skipped;
        skippedReasons << reason;
    }

    // The error of an import that lost the phone half-way.
    static QString phoneLostText(int imported, int total) {
        return QStringLiteral(
                   "The phone stopped answering: %1 of %2 entries were imported, the rest was "
                   "not.")
            .arg(imported)
            .arg(total);
    }
};
