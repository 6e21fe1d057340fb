// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/PhonebookEntryRules.h"

namespace {
Notice inputError(const QString& text) {
    return Notice{text, QStringLiteral("ERROR"), PromptIcon::Error};
}

const QString kMainTooLong = QStringLiteral("You must input main number within 20 digit");

std::optional<Notice> dialStringProblem(const QString& dial) {
    const bool international = dial.startsWith(QLatin1Char('+'));

    qsizetype pause = dial.indexOf(QLatin1Char('p'));
    if (pause < 0) {
        pause = dial.indexOf(QLatin1Char('P'));
    }
    if (pause >= 0) {
        // The extension is only limited through the whole string here.
        const qsizetype mainLimit = international ? 21 : 20;
        const qsizetype wholeLimit = international ? 41 : 40;
        if (pause > mainLimit) {
            return inputError(kMainTooLong);
        }
        if (dial.size() > wholeLimit) {
            return inputError(QStringLiteral("You must input the entire number within 40 digit"));
        }
        return std::nullopt;
    }

    const qsizetype slash = dial.indexOf(QLatin1Char('/'));
    if (slash < 0) {
        const qsizetype limit = dial.contains(QLatin1Char('+')) ? 21 : 20;
        if (dial.size() > limit) {
            return inputError(kMainTooLong);
        }
        return std::nullopt;
    }
    if (slash > (international ? 21 : 20)) {
        return inputError(kMainTooLong);
    }
    if (dial.size() - slash - 1 > 20) {
        return inputError(QStringLiteral("You must input extension number within 20 digit"));
    }
    return std::nullopt;
}
}  // namespace

int entryNameLimit(int reportedLength) {
    return reportedLength > 0 ? reportedLength : kEntryNameLimit;
}

std::optional<Notice> nameFitProblem(const QString& name, int limit, PhoneCharset set) {
    const int length = phoneTextLength(name, set);
    if (length <= limit) {
        return std::nullopt;
    }
    if (set == PhoneCharset::Latin1) {
        return inputError(QStringLiteral("You must input name within %1 characters").arg(limit));
    }
    return inputError(QStringLiteral("The name does not fit on the phone: in %1 it takes %2 "
                                     "places and the phone keeps %3.")
                          .arg(phoneCharsetLabel(set))
                          .arg(length)
                          .arg(limit));
}

std::optional<Notice> numberFitProblem(const QString& dialString, int limit) {
    if (limit <= 0 || dialString.size() <= limit) {
        return std::nullopt;
    }
    return inputError(QStringLiteral("The number does not fit on the phone: it has %1 "
                                     "characters and the phone keeps %2.")
                          .arg(dialString.size())
                          .arg(limit));
}

std::optional<Notice> phoneFitProblem(const QString& name, const QString& dialString, int nameLimit,
                                      int numberLimit, PhoneCharset set) {
    if (auto problem = nameFitProblem(name, nameLimit, set)) {
        return problem;
    }
    return numberFitProblem(dialString, numberLimit);
}

std::optional<Notice> entryInputProblem(const QString& name, const QString& dialString,
                                        qint64 index, qint64 capacity) {
    if (name.isEmpty()) {
        return inputError(QStringLiteral("You must input name field"));
    }
    if (auto problem = dialStringProblem(dialString)) {
        return problem;
    }
    if (index > capacity) {
        return Notice{QStringLiteral("PhoneBook number is out of range."),
                      QStringLiteral("Warning"), PromptIcon::Warning};
    }
    return std::nullopt;
}

// A number longer than the edit takes always breaks one of the dial-string rules, so only the
// name's limit needs a message of its own.
std::optional<Notice> typedEntryProblem(const QString& name, const QString& dialString,
                                        qint64 index, qint64 capacity, int nameLimit,
                                        PhoneCharset set) {
    if (!name.isEmpty()) {
        if (auto problem = nameFitProblem(name, nameLimit, set)) {
            return problem;
        }
        if (dialString.isEmpty()) {
            return inputError(QStringLiteral("You must input number field"));
        }
    }
    return entryInputProblem(name, dialString, index, capacity);
}
