// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// A recorded exchange with the phone, as kept in tests/data/transcripts/*.txt: one step per
// line, "host  <bytes>" for what the program must send, "phone <bytes>" for what the phone
// answers, "----- hang-up" for the phone going away. Bytes are escaped as the simulated phone
// writes them (\r \n \\ \xHH); "#" lines and blank lines are comments, and any other "----- "
// note is kept only for reading.
struct TranscriptStep {
    enum Kind { Host, Phone, HangUp };
    Kind kind = Host;
    QByteArray bytes;
    int lineNumber = 0;  // in the file, from 1
};

struct Transcript {
    QString name;  // what failure messages call it, usually the file name
    QList<TranscriptStep> steps;

    // Parses transcript text; on a malformed line returns false and says which.
    static bool parse(const QByteArray& text, const QString& name, Transcript* out, QString* error);
    // Reads <transcript folder>/<name>.txt.
    static bool load(const QString& name, Transcript* out, QString* error);

    // The folder of the checked-in transcripts: $DEXMORO_TRANSCRIPT_DIR when set, else
    // tests/data/transcripts of the source tree.
    static QString folder();
    static QString pathOf(const QString& name);

    // Undoes the simulated phone's escaping; false on a broken escape (position in *badAt).
    static bool unescape(const QByteArray& text, QByteArray* out, qsizetype* badAt);
};
