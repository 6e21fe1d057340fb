// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/PhonebookDialString.h"

#include "phone/PhoneLink.h"

QString mainNumberOf(const QString& dialString) {
    for (QChar separator : {QChar('P'), QChar('/'), QChar('p')}) {
        const qsizetype at = dialString.indexOf(separator);
        if (at >= 0) {
            return dialString.left(at);
        }
    }
    return dialString;
}

QString displayFormOf(const QString& dialString) {
    if (dialString.startsWith(QLatin1String("+*31#")) ||
        dialString.startsWith(QLatin1String("+#31#"))) {
        return PhoneLink::ToDisplayForm(dialString);
    }
    return dialString;
}
