// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonesim/PhoneSimTranscript.h"

bool PhoneSimTranscript::open(const QString& path, QString* error) {
    file_.setFileName(path);
    if (file_.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return true;
    if (error)
        *error =
            QStringLiteral("cannot write the transcript %1: %2").arg(path, file_.errorString());
    return false;
}

QByteArray PhoneSimTranscript::escape(const QByteArray& bytes) {
    QByteArray out;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\\')
            out += "\\\\";
        else if (u >= 0x20 && u < 0x7f)
            out += c;
        else
            out += "\\x" + QByteArray::number(u, 16).rightJustified(2, '0');
    }
    return out;
}

void PhoneSimTranscript::write(const char* prefix, const QByteArray& bytes) {
    if (!file_.isOpen())
        return;
    file_.write(prefix + escape(bytes) + '\n');
    file_.flush();
}
