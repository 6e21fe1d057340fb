// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Transact.h"

#include <QList>
#include <algorithm>

namespace {

// The first occurrence of the marker is followed by at most six more characters.
bool endsWithShortTail(const QByteArray& answer, const char* marker) {
    const qsizetype at = answer.indexOf(marker);
    if (at < 0) {
        return false;
    }
    return answer.size() - (at + qstrlen(marker)) <= 6;
}

bool isDigits(const QByteArray& text) {
    if (text.isEmpty()) {
        return false;
    }
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
    }
    return true;
}

// The last line of the answer is a final error result: "ERROR", "ERROR: <digits>" or a
// "+CME ERROR:"/"+CMS ERROR:" line, whatever the length of its code.
bool lastLineIsError(const QByteArray& answer) {
    QByteArray text = answer;
    while (text.endsWith('\n') || text.endsWith('\r')) {
        text.chop(1);
    }
    const qsizetype lineStart = text.lastIndexOf('\n') + 1;
    QByteArray line = text.mid(lineStart);
    if (line.startsWith('\r')) {
        line.remove(0, 1);
    }
    line = line.trimmed();
    if (line == "ERROR") {
        return true;
    }
    if (line.startsWith("ERROR:")) {
        return isDigits(line.mid(6).trimmed());
    }
    return line.startsWith("+CME ERROR:") || line.startsWith("+CMS ERROR:");
}

bool opensMessageEntry(const QByteArray& command) {
    const QByteArray word = command.mid(3, 4);
    return word == "cmgs" || word == "cmgw";
}

// A message read's or listing's answer: nothing of a header yet, the last header still
// arriving, or the last header line complete, with where its text begins and (when the header
// announces a length) where the announced text ends.
enum class ReadHeader { None, Arriving, Complete };

ReadHeader headerAt(const QByteArray& answer, qsizetype at, qsizetype* textStart,
                    qsizetype* textEnd) {
    const qsizetype lineEnd = answer.indexOf('\n', at);
    if (lineEnd < 0) {
        return ReadHeader::Arriving;
    }
    const QByteArray header = answer.mid(at, lineEnd - at);
    qsizetype lastField = 0;
    bool quoted = false;
    for (qsizetype pos = 0; pos < header.size(); ++pos) {
        if (header[pos] == '"') {
            quoted = !quoted;
        } else if (header[pos] == ',' && !quoted) {
            lastField = pos + 1;
        }
    }
    const QByteArray length = header.mid(lastField).trimmed();
    *textStart = lineEnd + 1;
    // Header details off: the last field is no length.
    const bool announced = lastField > 0 && length.size() <= 6 && isDigits(length);
    *textEnd = announced ? *textStart + length.toInt() : -1;
    return ReadHeader::Complete;
}

// The next listing header that begins a line, at or after `from`.
qsizetype nextListHeader(const QByteArray& answer, qsizetype from) {
    for (qsizetype at = answer.indexOf("+CMGL: ", from); at >= 0;
         at = answer.indexOf("+CMGL: ", at + 1)) {
        if (at == 0 || answer[at - 1] == '\n') {
            return at;
        }
    }
    return -1;
}

// The header whose text the answer ends in: a read's one header, or a listing's last one. A
// listing is walked header by header, each time over the text the header announces, so that a
// text line looking like a header or a final result is passed over as the read's would be.
ReadHeader lastHeaderOf(const QByteArray& command, const QByteArray& answer, qsizetype* textStart,
                        qsizetype* textEnd) {
    if (command.contains("cmgr")) {
        const qsizetype at = answer.indexOf("+CMGR: ");
        return at < 0 ? ReadHeader::None : headerAt(answer, at, textStart, textEnd);
    }
    if (!command.contains("cmgl")) {
        return ReadHeader::None;
    }
    ReadHeader last = ReadHeader::None;
    for (qsizetype at = nextListHeader(answer, 0); at >= 0;) {
        last = headerAt(answer, at, textStart, textEnd);
        if (last == ReadHeader::Arriving) {
            break;
        }
        at = nextListHeader(answer, std::max(*textStart, *textEnd));
    }
    return last;
}

bool isCodedErrorLine(const QByteArray& line, const char* marker) {
    return line.startsWith(marker) && isDigits(line.mid(qstrlen(marker)).trimmed());
}

// The code of the final result line ("OK", "ERROR", "+CMS ERROR: <n>", "+CME ERROR: <n>") the
// answer ends with, when that line begins at or after `from`; -1 otherwise.
int finalLineCode(const QByteArray& answer, qsizetype from, qsizetype* lineStart) {
    if (!answer.endsWith('\n')) {
        return -1;
    }
    qsizetype end = answer.size() - 1;
    if (end > 0 && answer[end - 1] == '\r') {
        --end;
    }
    const qsizetype start = end > 0 ? answer.lastIndexOf('\n', end - 1) + 1 : 0;
    if (start < from) {
        return -1;
    }
    *lineStart = start;
    const QByteArray line = answer.mid(start, end - start);
    if (line == "OK") {
        return kTransactComplete;
    }
    if (line == "ERROR" || isCodedErrorLine(line, "+CMS ERROR:") ||
        isCodedErrorLine(line, "+CME ERROR:")) {
        return kTransactFailed;
    }
    return -1;
}

int endCodeOf(const QByteArray& command, const QByteArray& answer);

}  // namespace

// A message text may hold lines such as "OK" or "ERROR", and phones do not always announce the
// text's length truly. A final result line ends a read (or a listing) at once only behind the
// announced text of its last message; one that comes earlier, or after a header without a
// length, waits for the quiet time.
int transactEndCode(const QByteArray& command, const QByteArray& answer) {
    qsizetype textStart = 0;
    qsizetype textEnd = -1;
    switch (lastHeaderOf(command, answer, &textStart, &textEnd)) {
        case ReadHeader::Arriving:
            return -1;
        case ReadHeader::Complete: {
            qsizetype lineStart = 0;
            const int code = finalLineCode(answer, textStart, &lineStart);
            return code >= 0 && textEnd >= 0 && lineStart >= textEnd ? code : -1;
        }
        case ReadHeader::None:
            break;
    }
    return endCodeOf(command, answer);
}

int transactQuietEndCode(const QByteArray& command, const QByteArray& answer) {
    qsizetype textStart = 0;
    qsizetype textEnd = -1;
    if (lastHeaderOf(command, answer, &textStart, &textEnd) != ReadHeader::Complete) {
        return -1;
    }
    qsizetype lineStart = 0;
    const int code = finalLineCode(answer, textStart, &lineStart);
    if (textEnd >= 0) {
        // Inside the announced text only "OK" may be the real end: a phone that announced too
        // much still ends with it, while an error line there is text.
        return code == kTransactComplete ? code : -1;
    }
    return code;
}

namespace {

int endCodeOf(const QByteArray& command, const QByteArray& answer) {
    const bool promptArrived = opensMessageEntry(command) && answer.contains('>');
    if (!answer.endsWith('\n') && !promptArrived) {
        return -1;  // a line is still on its way
    }
    if (endsWithShortTail(answer, "+CMS ERROR:")) {
        return kTransactFailed;
    }
    if (endsWithShortTail(answer, "ERROR")) {
        return kTransactFailed;
    }
    if (answer.endsWith('\n') && lastLineIsError(answer)) {
        return kTransactFailed;
    }
    if (answer.contains("+CPBW: 1")) {
        return kTransactPhonebookMarker;
    }
    if (answer.endsWith("OK\r\n")) {
        return kTransactComplete;
    }
    if (promptArrived) {
        return kTransactComplete;
    }
    return -1;
}

}  // namespace

int transactSilenceCode(const QByteArray& command, const QByteArray& answer) {
    return answer.size() <= command.size() ? kTransactFailed : kTransactComplete;
}
