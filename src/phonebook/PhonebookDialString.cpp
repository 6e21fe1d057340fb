#include "phonebook/PhonebookDialString.h"

#include <algorithm>
#include <limits>

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

int leadingDecimal(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' && value < 1000000000000LL) {
        value = value * 10 + (text[i].unicode() - '0');
        ++i;
    }
    value = std::min<long long>(value, std::numeric_limits<int>::max());
    return static_cast<int>(negative ? -value : value);
}
