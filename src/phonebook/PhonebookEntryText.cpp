// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/PhonebookEntryText.h"

#include "phone/PhoneSafeText.h"

QString phonebookEntryTextProblem(const QString& name, const QString& dialString) {
    const QString problem = phoneSafeTextProblem(name, PhoneTextKind::Name);
    return problem.isEmpty() ? phoneSafeTextProblem(dialString, PhoneTextKind::Number) : problem;
}

std::optional<Notice> unsafeEntryTextNotice(const QString& name, const QString& dialString) {
    const QString problem = phonebookEntryTextProblem(name, dialString);
    if (problem.isEmpty()) {
        return std::nullopt;
    }
    return Notice{problem, QStringLiteral("ERROR"), PromptIcon::Error};
}
