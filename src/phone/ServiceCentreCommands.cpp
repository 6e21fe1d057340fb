// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Transact.h"
#include "phone/PhoneCharset.h"
#include "phone/PhoneLink.h"
#include "phone/ServiceCentreAnswers.h"

int PhoneLink::ReadServiceCentre(QString& text) {
    QString answer;
    const int code = Transact(QStringLiteral("at+csca?\r"), answer);
    if (code != kTransactComplete) {
        return code;
    }
    text = ServiceCentreText(answer);
    return code;
}

int PhoneLink::WriteServiceCentre(const QString& address) {
    const PhoneCharset set = charsetInUse();
    if (!phoneCharsetProblem(address, PhoneTextKind::Number, set).isEmpty()) {
        return kTransactFailed;  // never sent: it would not survive the command line
    }
    QString answer;
    return Transact(QString("at+csca=\"%1\"\r").arg(encodeForPhone(address, set)), answer);
}
