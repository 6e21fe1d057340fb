// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/IdentityAnswers.h"

namespace {

const QString kMaker = QStringLiteral("Quillon");

// Digits beyond this are not read: a capacity or mask never comes near it, and the value
// cannot overflow.
constexpr qint64 kDigitBound = 100000000;

std::optional<int> numberAfter(const QString& answer, qsizetype separator) {
    if (separator < 0) {
        return std::nullopt;
    }
    return LeadingDecimal(answer.mid(separator + 1));
}

}  // namespace

std::optional<int> LeadingDecimal(const QString& text) {
    qsizetype pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) {
        ++pos;
    }
    qint64 number = 0;
    const qsizetype start = pos;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && number < kDigitBound) {
        number = number * 10 + (text[pos].unicode() - '0');
        ++pos;
    }
    if (pos == start) {
        return std::nullopt;
    }
    return static_cast<int>(number);
}

bool AnswerNamesMaker(const QString& answer) {
    return answer.indexOf(kMaker) > 0;
}

std::optional<int> ParsePhonebookCapacity(const QString& answer) {
    return numberAfter(answer, answer.lastIndexOf(','));
}

std::optional<int> ParseMessageCapacity(const QString& answer) {
    return numberAfter(answer, answer.indexOf(','));
}

std::optional<int> ParseFeatureMask(const QString& answer) {
    return numberAfter(answer, answer.indexOf(':'));
}

bool AnswerOffersCharset(const QString& answer, const QString& name) {
    const qsizetype marker = answer.indexOf(QLatin1String("+CSCS:"));
    return marker >= 0 && !name.isEmpty() &&
           answer.indexOf(u'"' + name + u'"', marker, Qt::CaseInsensitive) >= 0;
}

std::optional<int> ParsePhonebookTextLength(const QString& answer) {
    const qsizetype marker = answer.indexOf(QLatin1String("+CPBR:"));
    const qsizetype range = marker < 0 ? -1 : answer.indexOf(u')', marker);
    if (range < 0) {
        return std::nullopt;
    }
    const qsizetype number = answer.indexOf(u',', range);
    return numberAfter(answer, number < 0 ? -1 : answer.indexOf(u',', number + 1));
}
