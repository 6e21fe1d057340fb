// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Every byte both ways, one line per chunk: "host  <escaped bytes>" / "phone <escaped bytes>".
class PhoneSimTranscript {
  public:
    bool open(const QString& path, QString* error);
    void close() { file_.close(); }
    void fromHost(const QByteArray& bytes) { write("host  ", bytes); }
    void fromPhone(const QByteArray& bytes) { write("phone ", bytes); }
    void note(const QByteArray& text) { write("----- ", text); }

    // Printable ASCII as is, CR/LF as \r \n, everything else as \xHH.
    static QByteArray escape(const QByteArray& bytes);

  private:
    void write(const char* prefix, const QByteArray& bytes);
    QFile file_;
};
