// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/ExchangeFile.h"

#include <QFile>
#include <QSaveFile>

QString readExchangeFile(const QString& file, QByteArray& bytes) {
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly)) {
        return QStringLiteral("cannot read %1: %2").arg(file, in.errorString());
    }
    bytes = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        return QStringLiteral("cannot read %1: %2").arg(file, in.errorString());
    }
    return {};
}

QString writeExchangeFile(const QString& file, const QByteArray& bytes) {
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
        return QStringLiteral("cannot write %1: %2").arg(file, out.errorString());
    }
    return {};
}
