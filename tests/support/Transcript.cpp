// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Transcript.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr qsizetype kPrefixLength = 6;

int hexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

bool Transcript::unescape(const QByteArray& text, QByteArray* out, qsizetype* badAt) {
    out->clear();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\\') {
            out->append(c);
            continue;
        }
        if (i + 1 >= text.size()) {
            *badAt = i;
            return false;
        }
        const char next = text[++i];
        if (next == 'r') {
            out->append('\r');
        } else if (next == 'n') {
            out->append('\n');
        } else if (next == '\\') {
            out->append('\\');
        } else if (next == 'x' && i + 2 < text.size() && hexDigit(text[i + 1]) >= 0 &&
                   hexDigit(text[i + 2]) >= 0) {
            out->append(static_cast<char>(hexDigit(text[i + 1]) * 16 + hexDigit(text[i + 2])));
            i += 2;
        } else {
            *badAt = i - 1;
            return false;
        }
    }
    return true;
}

bool Transcript::parse(const QByteArray& text, const QString& name, Transcript* out,
                       QString* error) {
    out->name = name;
    out->steps.clear();
    const QList<QByteArray> lines = text.split('\n');
    for (qsizetype n = 0; n < lines.size(); ++n) {
        QByteArray line = lines[n];
        if (line.endsWith('\r')) {
            line.chop(1);  // a file saved with DOS line ends
        }
        const int lineNumber = static_cast<int>(n + 1);
        if (line.trimmed().isEmpty() || line.startsWith('#')) {
            continue;
        }
        const QByteArray prefix = line.left(kPrefixLength);
        const QByteArray body = line.mid(kPrefixLength);
        TranscriptStep step;
        step.lineNumber = lineNumber;
        if (prefix == "----- ") {
            if (body.trimmed() != "hang-up") {
                continue;  // a note for the reader
            }
            step.kind = TranscriptStep::HangUp;
        } else if (prefix == "host  " || prefix == "phone ") {
            step.kind = prefix == "host  " ? TranscriptStep::Host : TranscriptStep::Phone;
            qsizetype badAt = 0;
            if (!unescape(body, &step.bytes, &badAt)) {
                *error = QStringLiteral("%1 line %2: broken escape at column %3")
                             .arg(name)
                             .arg(lineNumber)
                             .arg(kPrefixLength + badAt + 1);
                return false;
            }
        } else {
            *error = QStringLiteral(
                         "%1 line %2: a line begins with \"host  \", \"phone \", "
                         "\"----- \" or \"#\"")
                         .arg(name)
                         .arg(lineNumber);
            return false;
        }
        out->steps.append(step);
    }
    return true;
}

QString Transcript::folder() {
    const QByteArray fromEnvironment = qgetenv("DEXMORO_TRANSCRIPT_DIR");
    if (!fromEnvironment.isEmpty()) {
        return QString::fromLocal8Bit(fromEnvironment);
    }
#ifdef QT_TESTCASE_SOURCEDIR
    // Qt's test module names the tests folder of the source tree for every target using it.
    return QDir::cleanPath(QStringLiteral(QT_TESTCASE_SOURCEDIR "/data/transcripts"));
#else
    return QDir::cleanPath(QFileInfo(QStringLiteral(__FILE__)).absolutePath() +
                           QStringLiteral("/../data/transcripts"));
#endif
}

QString Transcript::pathOf(const QString& name) {
    return folder() + QLatin1Char('/') + name + QStringLiteral(".txt");
}

bool Transcript::load(const QString& name, Transcript* out, QString* error) {
    QFile file(pathOf(name));
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the transcript %1: %2")
                     .arg(file.fileName(), file.errorString());
        return false;
    }
    return parse(file.readAll(), name + QStringLiteral(".txt"), out, error);
}
