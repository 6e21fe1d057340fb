#include "link/Transact.h"

#include <QList>

bool g_slowPoll = false;

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

// Where the text of a message read ends: behind the "+CMGR: " header line plus the length its
// last field announces. kNoAnnouncedLength when there is no such header, kHeaderIncomplete while
// the header line is still arriving.
constexpr qsizetype kNoAnnouncedLength = -1;
constexpr qsizetype kHeaderIncomplete = -2;

qsizetype announcedTextEnd(const QByteArray& answer) {
    const qsizetype at = answer.indexOf("+CMGR: ");
    if (at < 0) {
        return kNoAnnouncedLength;
    }
    const qsizetype lineEnd = answer.indexOf('\n', at);
    if (lineEnd < 0) {
        return kHeaderIncomplete;
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
    if (lastField == 0 || length.size() > 6 || !isDigits(length)) {
        return kNoAnnouncedLength;  // header details off: no length to go by
    }
    return lineEnd + 1 + length.toInt();
}

int endCodeOf(const QByteArray& command, const QByteArray& answer);

}  // namespace

// A message text may hold lines such as "OK" or "ERROR": once a read's header announces the
// text's length, only what follows the text can end the read.
int transactEndCode(const QByteArray& command, const QByteArray& answer) {
    if (command.contains("cmgr")) {
        const qsizetype textEnd = announcedTextEnd(answer);
        if (textEnd == kHeaderIncomplete) {
            return -1;
        }
        if (textEnd >= 0) {
            return textEnd < answer.size() ? endCodeOf(command, answer.mid(textEnd)) : -1;
        }
    }
    return endCodeOf(command, answer);
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
