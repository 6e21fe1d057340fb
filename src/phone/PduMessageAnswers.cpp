// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/PduMessageAnswers.h"

#include <QStringList>

#include "link/LeadingInteger.h"

namespace {

// The header's fields after its marker, and the first line after it as the unit.
std::optional<PduEntry> entryAt(const QStringList& lines, qsizetype at, const QString& marker,
                                bool listed) {
    const QStringList fields = lines[at].mid(marker.size()).split(u',');
    PduEntry entry;
    const qsizetype statusField = listed ? 1 : 0;
    if (fields.size() <= statusField) {
        return std::nullopt;
    }
    if (listed) {
        entry.index = leadingInteger(fields[0].trimmed());
    }
    entry.status = leadingInteger(fields[statusField].trimmed());
    entry.hex = at + 1 < lines.size() ? lines[at + 1].trimmed() : QString();
    return entry;
}

QStringList linesOf(const QString& answer) {
    QString text = answer;
    text.remove(u'\r');
    return text.split(u'\n');
}

}  // namespace

std::optional<PduEntry> pduReadOf(const QString& answer, int index) {
    static const QString marker = QStringLiteral("+CMGR: ");
    const QStringList lines = linesOf(answer);
    for (qsizetype at = 0; at < lines.size(); ++at) {
        if (lines[at].startsWith(marker)) {
            std::optional<PduEntry> entry = entryAt(lines, at, marker, false);
            if (entry) {
                entry->index = index;
            }
            return entry;
        }
    }
    return std::nullopt;
}

QList<PduEntry> pduListingOf(const QString& answer) {
    static const QString marker = QStringLiteral("+CMGL: ");
    const QStringList lines = linesOf(answer);
    QList<PduEntry> entries;
    for (qsizetype at = 0; at < lines.size(); ++at) {
        if (lines[at].startsWith(marker)) {
            if (std::optional<PduEntry> entry = entryAt(lines, at, marker, true)) {
                entries.append(*entry);
                ++at;  // the unit line, whatever it holds
            }
        }
    }
    return entries;
}

namespace {

const QStringList& statusWords() {
    static const QStringList words = {"REC UNREAD", "REC READ", "STO UNSENT", "STO SENT"};
    return words;
}

}  // namespace

QString statusWordOfPdu(int status) {
    return statusWords().value(status, statusWords()[kPduRecRead]);
}

int pduStatusOfWord(const QString& word) {
    const qsizetype status = statusWords().indexOf(word);
    return status < 0 ? kPduStoUnsent : static_cast<int>(status);
}
