// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Bytes that crossed the line, counted from the simulated phone's transcript: lines are
// "host  <bytes>" or "phone <bytes>" with CR, LF and non-printables escaped; notes ("----- ")
// are not traffic. -1 when the file cannot be read.
inline qint64 bytesInTranscript(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    qint64 total = 0;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        if (line.endsWith('\n')) {
            line.chop(1);
        }
        if (!line.startsWith("host  ") && !line.startsWith("phone ")) {
            continue;
        }
        const QByteArray bytes = line.mid(6);
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\\' && i + 1 < bytes.size()) {
                i += bytes[i + 1] == 'x' ? 3 : 1;
            }
            ++total;
        }
    }
    return total;
}
