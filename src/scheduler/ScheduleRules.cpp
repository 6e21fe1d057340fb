// SPDX-License-Identifier: GPL-3.0-or-later
#include "scheduler/ScheduleRules.h"

#include <QRegularExpression>

#include "phone/PhoneSafeText.h"
#include "phone/ScheduleEntry.h"

namespace {

struct TypeRule {
    int type;
    const char* name;
    const char* word;  // as the dialogs name the type
    int limit;
};
const TypeRule kRules[] = {
    {ScheduleReminder, "reminder", "Reminder", 28},
    {ScheduleCall, "call", "Call", 42},
    {ScheduleMeeting, "meeting", "Meeting", 28},
    {ScheduleBirthday, "birthday", "Birthday", 16},
};

const TypeRule& ruleOf(int type) {
    for (const TypeRule& rule : kRules) {
        if (rule.type == type) {
            return rule;
        }
    }
    return kRules[0];
}

}  // namespace

bool scheduleYearInRange(int year) {
    return year >= kScheduleFirstYear && year <= kScheduleLastYear;
}

QString impossibleDateProblem(const QString& isoText) {
    static const QRegularExpression form(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    if (!form.match(isoText).hasMatch() || QDate::fromString(isoText, Qt::ISODate).isValid()) {
        return {};
    }
    return QStringLiteral("%1 is not a date").arg(isoText);
}

QString scheduleTypeName(int type) {
    return QString::fromLatin1(ruleOf(type).name);
}

int scheduleTypeOfName(const QString& name) {
    for (const TypeRule& rule : kRules) {
        if (name.compare(QLatin1String(rule.name), Qt::CaseInsensitive) == 0) {
            return rule.type;
        }
    }
    return 0;
}

int scheduleContentsLimit(int type) {
    return ruleOf(type).limit;
}

QString scheduleEmptyContentsMessage(int type) {
    if (type == ScheduleCall) {
        return QStringLiteral("You must input Call Number!");
    }
    return QStringLiteral("You must input %1 Contents!").arg(QLatin1String(ruleOf(type).word));
}

QString scheduleContentsProblem(int type, const QString& contents) {
    if (contents.isEmpty()) {
        return scheduleEmptyContentsMessage(type);
    }
    return phoneSafeTextProblem(
        contents, type == ScheduleCall ? PhoneTextKind::Number : PhoneTextKind::Contents);
}
