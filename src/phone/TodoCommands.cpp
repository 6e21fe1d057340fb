// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "phone/PhoneSafeText.h"

int PhoneLink::ReadTodo(int index, QString& answerText) {
    QString answer;
    const int code = Transact(QStringLiteral("at+ctdr=%1\r").arg(index), answer);
    answerText.clear();
    if (code != kTransactComplete) {
        return code;
    }
    // No marker: an empty slot, which callers see as an empty text.
    const QString marker = QStringLiteral("+CTDR: ");
    const qsizetype at = answer.indexOf(marker);
    if (at >= 0) {
        answerText = answer.mid(at + marker.size());
    }
    return code;
}

int PhoneLink::WriteTodo(int index, int status, int priority, int year, int month, int day,
                         const QString& contents) {
    // Contents go between double quotes unescaped: text that would end the field or the line
    // is never sent.
    if (status < 0 || status > 2 || priority < 0 || priority > 1 ||
        !isPhoneSafeText(contents, PhoneTextKind::Contents)) {
        return kTransactFailed;
    }
    const QString command = QStringLiteral("at+ctdw=%1,%2,%3,%4,%5,%6,\"%7\"\r")
                                .arg(index)
                                .arg(status)
                                .arg(priority)
                                .arg(year)
                                .arg(month)
                                .arg(day)
                                .arg(contents);
    return SendExpectOk(command);
}

int PhoneLink::MarkTodoDone(int index, int flag) {
    if (flag < 0 || flag > 1) {
        return kTransactFailed;
    }
    return SendExpectOk(QStringLiteral("at+ctdw=%1,%2\r").arg(index).arg(flag));
}

int PhoneLink::DeleteTodo(int index) {
    return SendExpectOk(QStringLiteral("at+ctdd=%1\r").arg(index));
}
