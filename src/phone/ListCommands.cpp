// SPDX-License-Identifier: GPL-3.0-or-later
// Whole lists in one answer, for fast loading.
#include "link/Transact.h"
#include "phone/ListAnswers.h"
#include "phone/PhoneLink.h"

namespace {

// An answer that stopped before its final "OK" is not a complete list.
int listCode(int code, const QString& answer) {
    return code == kTransactComplete && !endsInOk(answer) ? kTransactFailed : code;
}

}  // namespace

int PhoneLink::ListMessages(QList<ListedMessage>& messages) {
    QString answer;
    const int code = listCode(Transact(QStringLiteral("at+cmgl=\"ALL\"\r"), answer), answer);
    messages = code == kTransactComplete ? listedMessagesOf(answer, charsetInUse())
                                         : QList<ListedMessage>();
    return code;
}

int PhoneLink::ReadPhonebookRange(int first, int last, QList<PhonebookEntryAnswer>& entries) {
    QString answer;
    const int code = listCode(
        Transact(QString("at+cpbr=%1,%2\r").arg(phoneIndex(first)).arg(phoneIndex(last)), answer),
        answer);
    entries = code == kTransactComplete ? phonebookRangeOf(answer, charsetInUse())
                                        : QList<PhonebookEntryAnswer>();
    for (PhonebookEntryAnswer& entry : entries) {
        entry.index += first - phoneIndex(first);
    }
    return code;
}
