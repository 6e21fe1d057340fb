// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

// The checked-in golden files of the exchange tests (tests/data/exchange).
inline QString exchangeDataPath(const QString& name) {
#ifdef QT_TESTCASE_SOURCEDIR
    return QDir::cleanPath(QStringLiteral(QT_TESTCASE_SOURCEDIR "/data/exchange/") + name);
#else
    return QDir::cleanPath(QFileInfo(QStringLiteral(__FILE__)).absolutePath() +
                           QStringLiteral("/../data/exchange/") + name);
#endif
}

inline QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll()
                                          : QByteArray("<missing: ") + path.toUtf8() + ">";
}

inline void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(bytes);
    }
}

// Golden files are compared with their line ends made alike, so a checkout that turns them
// into LF or CRLF does not matter.
inline QByteArray withLf(QByteArray bytes) {
    return bytes.replace("\r\n", "\n");
}

// Set DEXMORO_UPDATE_GOLDEN=1 to write the files instead of comparing.
inline QByteArray goldenBytes(const QString& name, const QByteArray& actual) {
    if (qEnvironmentVariableIsSet("DEXMORO_UPDATE_GOLDEN")) {
        writeBytes(exchangeDataPath(name), actual);
    }
    return fileBytes(exchangeDataPath(name));
}
