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
};
