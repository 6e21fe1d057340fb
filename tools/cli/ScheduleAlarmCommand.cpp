// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli schedule-alarm: the PC's own alarm check and the list of past entries, through
// the same code as the main window's timer and its previous schedule list.

#include <QCommandLineParser>
#include <QDateTime>

#include "CliCommand.h"
#include "phone/PhoneLink.h"
#include "platform/Notice.h"
#include "platform/PresentTime.h"
#include "platform/Prompter.h"
#include "scheduler/ScheduleAlarms.h"
#include "scheduler/ScheduleEditing.h"
#include "scheduler/ScheduleSync.h"

namespace {

using cli::print;

int fail(const QString& message, int exitCode = 2) {
    return cli::failIn("schedule-alarm", message, exitCode);
}

// The off-line check: every due alarm of reminder is printed and marked, as the window's
// timer shows and marks it.
int check() {
    CReminderDB reminders;
    RunAlarmCheck(
        nullptr, reminders, presentTime(),
        [](const QString& title, const QString& message) { print(title + '\t' + message); });
    return 0;
}

// Past entries of the table the views would show; with --delete-all each is removed (from the
// phone too when one answers) after the question.
int past(CliContext& context, bool deleteAll) {
    std::unique_ptr<PhoneLink> link = context.connectPhone();
    PhoneLink* online = link && link->phoneFound ? link.get() : nullptr;
    CPhoneScheduleDB phoneSchedule;
    CReminderDB reminders;
    const QList<ScheduleEntry> entries =
        previousSchedules(shownScheduleEntries(online, phoneSchedule, reminders), presentTime());
    for (const ScheduleEntry& entry : entries) {
        print(previousScheduleLine(entry));
    }
    if (!deleteAll || entries.isEmpty()) {
        return 0;
    }
    if (askQuestion(QStringLiteral("Do you delete all PreSchedule?"), QStringLiteral("Delete"),
                    PromptButtons::OkCancel) != PromptAnswer::Ok) {
        return 1;
    }
    int kept = 0;
    for (qsizetype i = entries.size() - 1; i >= 0; --i) {
        const ScheduleEntry& entry = entries[i];
        const ScheduleRemoval removal =
            RemoveScheduleEntry(online, phoneSchedule, reminders,
                                {entry.year, entry.month, entry.date, entry.hour, entry.contents});
        showNotices(removal.notices);
        if (!(online ? removal.phoneRowDeleted : removal.reminderDeleted)) {
            ++kept;
        }
    }
    print(QStringLiteral("deleted: %1").arg(entries.size() - kept));
    return kept == 0 ? 0 : 1;
}

int runScheduleAlarm(CliContext& context, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions({{"at", "the present time instead of the clock's", "YYYY-MM-DDTHH:MM"},
                       {"delete-all", "delete every past entry (asks: --yes)"}});
    if (!parser.parse(QStringList{"schedule-alarm"} + arguments)) {
        return fail(parser.errorText());
    }
    std::unique_ptr<ScopedPresentTime> at;
    if (parser.isSet("at")) {
        const QDateTime time = QDateTime::fromString(parser.value("at"), Qt::ISODate);
        if (!time.isValid()) {
            return fail("--at needs YYYY-MM-DDTHH:MM");
        }
        at = std::make_unique<ScopedPresentTime>(time);
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return fail("expected check or past");
    }
    if (positional[0] == "check") {
        return check();
    }
    if (positional[0] == "past") {
        return past(context, parser.isSet("delete-all"));
    }
    return fail("unknown action " + positional[0]);
}

CliCommandRegistrar registrar(
    {"schedule-alarm", "schedule-alarm check | past [--delete-all] [--at YYYY-MM-DDTHH:MM]",
     "Rings the PC's due alarms (prints and marks them) or lists and deletes past schedule "
     "entries.",
     runScheduleAlarm});

}  // namespace
