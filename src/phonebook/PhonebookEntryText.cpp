#include "phonebook/PhonebookEntryText.h"

#include "phone/PhoneSafeText.h"
#include "platform/Prompter.h"

QString phonebookEntryTextProblem(const QString& name, const QString& dialString) {
    const QString problem = phoneSafeTextProblem(name, PhoneTextKind::Name);
    return problem.isEmpty() ? phoneSafeTextProblem(dialString, PhoneTextKind::Number) : problem;
}

bool refuseUnsafeEntryText(const QString& name, const QString& dialString) {
    const QString problem = phonebookEntryTextProblem(name, dialString);
    if (problem.isEmpty()) {
        return false;
    }
    showMessage(problem, QStringLiteral("ERROR"), PromptIcon::Error);
    return true;
}
