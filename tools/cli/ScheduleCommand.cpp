// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli schedule: load the phone's scheduler, list either table, add and delete entries,
// through the same store and sync code as the scheduler view.

#include <QCommandLineParser>
#include <QDate>
#include <QTime>

#include "CliCommand.h"
#include "StderrProgress.h"
#include "phone/PhoneLink.h"
#include "platform/Notice.h"
#include "platform/Prompter.h"
#include "scheduler/ScheduleRules.h"
#include "scheduler/ScheduleSync.h"
#include "scheduler/ScheduleTexts.h"

namespace {

using cli::print;

int fail(const QString& message, int exitCode = 2) {
    return cli::failIn("schedule", message, exitCode);
}

// Minutes before the entry at which the alarm rings; -1 for no alarm.
bool parseLead(const QString& text, int& minutes) {
    const QString lower = text.toLower();
    if (lower == "exact") {
        minutes = 0;
    } else if (lower == "none") {
        minutes = -1;
    } else if (lower == "5" || lower == "10" || lower == "30" || lower == "60") {
        minutes = lower.toInt();
    } else {
        return false;
    }
    return true;
}

// The calendar pages accept years up to 2037.
// Why --date is no date the calendar pages can show; empty when it is one.
QString dateProblem(const QString& text, QDate& date) {
    date = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (const QString impossible = impossibleDateProblem(text); !impossible.isEmpty()) {
        return impossible;
    }
    if (!date.isValid() || !scheduleYearInRange(date.year())) {
        return QStringLiteral("--date must be YYYY-MM-DD with a year from 1900 to 2037");
    }
    return {};
}

QString alarmText(const ScheduleEntry& entry) {
    return entry.alarm ? scheduleTimeText(entry.alarmHour, entry.alarmMinute) : QStringLiteral("-");
}

QString rowText(const ScheduleEntry& entry) {
    return scheduleCellText(entry.type, entry.contents) + '\t' +
           scheduleDateText(entry.year, entry.month, entry.date) + '\t' +
           scheduleTimeText(entry.hour, entry.minute) + '\t' + alarmText(entry);
}

std::unique_ptr<PhoneLink> connect(CliContext& context) {
    return context.connectPhone();
}

int load(CliContext& context) {
    std::unique_ptr<PhoneLink> link = connect(context);
    if (!link->phoneFound) {
        return fail("no phone answers", 1);
    }
    StderrProgress progress;
    CPhoneScheduleDB phoneSchedule;
    const MirrorOutcome outcome = phoneSchedule.LoadScheduleFromPhone(*link, progress);
    if (outcome.notice) {
        showNotice(*outcome.notice);
    }
    const bool loaded = outcome.loaded();
    phoneSchedule.Requery();
    print(QString("schedule: %1 entries").arg(phoneSchedule.FullRecordCount()));
    return loaded ? 0 : 1;
}

int list(const QString& table) {
    if (table == "phone") {
        CPhoneScheduleDB phoneSchedule;
        for (const ScheduleEntry& entry : phoneSchedule.entries()) {
            print(QString::number(entry.index) + '\t' + rowText(entry));
        }
        return 0;
    }
    CReminderDB reminders;
    for (const ReminderRow& row : reminders.rows()) {
        print(rowText(row.entry) + '\t' + (row.done ? "done" : "open"));
    }
    return 0;
}

int add(CliContext& context, const QCommandLineParser& parser) {
    for (const char* required : {"type", "date", "time", "text"}) {
        if (!parser.isSet(required)) {
            return fail(QString("add needs --%1").arg(required));
        }
    }
    const int type = scheduleTypeOfName(parser.value("type"));
    if (type == 0) {
        return fail("--type must be reminder, call, meeting or birthday");
    }
    QDate date;
    if (const QString problem = dateProblem(parser.value("date"), date); !problem.isEmpty()) {
        return fail(problem);
    }
    QTime time = QTime::fromString(parser.value("time"), QStringLiteral("HH:mm"));
    if (!time.isValid()) {
        time = QTime::fromString(parser.value("time"), QStringLiteral("H:mm"));
    }
    if (!time.isValid()) {
        return fail("--time must be HH:MM");
    }
    int lead = 0;
    if (parser.isSet("alarm") && !parseLead(parser.value("alarm"), lead)) {
        return fail("--alarm must be exact, 5, 10, 30, 60 or none");
    }
    const QString text = parser.value("text");
    if (text.size() > scheduleContentsLimit(type)) {
        return fail(QString("--text holds at most %1 characters for a %2")
                        .arg(scheduleContentsLimit(type))
                        .arg(scheduleTypeName(type)));
    }
    if (const QString problem = scheduleContentsProblem(type, text); !problem.isEmpty()) {
        return fail(problem);
    }

    ScheduleEntry entry;
    entry.type = type;
    entry.year = date.year();
    entry.month = date.month();
    entry.date = date.day();
    entry.hour = time.hour();
    entry.minute = time.minute();
    if (lead >= 0) {
        // Only the clock time of the ring is kept, not its day.
        const QTime ring = time.addSecs(-60 * lead);
        entry.alarm = 1;
        entry.alarmHour = ring.hour();
        entry.alarmMinute = ring.minute();
    }
    entry.contents = text;

    std::unique_ptr<PhoneLink> link = connect(context);
    StderrProgress progress;
    CPhoneScheduleDB phoneSchedule;
    CReminderDB reminders;
    const ScheduleSave save = SaveScheduleEntry(link.get(), phoneSchedule, reminders, entry, false);
    showNotices(save.notices);
    if (!save.reminderStored) {
        return fail("the entry could not be stored", 1);
    }
    if (save.phoneTried && save.phone.result == ScheduleStoreResult::Stored) {
        print(QString("stored: slot %1").arg(save.phone.index));
        return 0;
    }
    print("stored: pc only");
    // On line the phone should have taken it: a full or refusing phone is no success.
    return save.phoneTried ? 1 : 0;
}

int remove(CliContext& context, const QCommandLineParser& parser) {
    for (const char* required : {"date", "hour", "text"}) {
        if (!parser.isSet(required)) {
            return fail(QString("delete needs --%1").arg(required));
        }
    }
    QDate date;
    if (const QString problem = dateProblem(parser.value("date"), date); !problem.isEmpty()) {
        return fail(problem);
    }
    bool ok = false;
    const int hour = parser.value("hour").toInt(&ok);
    if (!ok || hour < 0 || hour > 23) {
        return fail("--hour must be 0 to 23");
    }
    if (askQuestion(QStringLiteral("Do you delete Schedule?"), QStringLiteral("Delete"),
                    PromptButtons::OkCancel) != PromptAnswer::Ok) {
        return 1;
    }
    std::unique_ptr<PhoneLink> link = connect(context);
    CPhoneScheduleDB phoneSchedule;
    CReminderDB reminders;
    const ScheduleSelection selection{date.year(), date.month(), date.day(), hour,
                                      parser.value("text")};
    const ScheduleRemoval removal =
        RemoveScheduleEntry(link.get(), phoneSchedule, reminders, selection);
    showNotices(removal.notices);
    if (removal.phoneRowDeleted) {
        print(QString("deleted: slot %1").arg(removal.index));
    } else if (removal.reminderDeleted) {
        print("deleted: pc only");
    }
    if (!removal.phoneRowDeleted && !removal.reminderDeleted && !removal.phoneRefused) {
        return fail("no such entry", 1);
    }
    return removal.phoneRefused ? 1 : 0;
}

int runSchedule(CliContext& context, const QStringList& arguments) {
    QCommandLineParser parser;
    parser.addOptions({{"table", "phone or pc", "TABLE"},
                       {"type", "reminder, call, meeting or birthday", "TYPE"},
                       {"date", "YYYY-MM-DD", "DATE"},
                       {"time", "HH:MM", "TIME"},
                       {"hour", "0 to 23", "H"},
                       {"alarm", "exact, 5, 10, 30, 60 or none", "LEAD"},
                       {"text", "contents", "TEXT"}});
    if (!parser.parse(QStringList{"schedule"} + arguments)) {
        return fail(parser.errorText());
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1) {
        return fail("expected one of load, list, add, delete");
    }
    const QString action = positional[0];
    if (action == "load") {
        return load(context);
    }
    if (action == "list") {
        const QString table = parser.isSet("table") ? parser.value("table") : "phone";
        if (table != "phone" && table != "pc") {
            return fail("--table must be phone or pc");
        }
        return list(table);
    }
    if (action == "add") {
        return add(context, parser);
    }
    if (action == "delete") {
        return remove(context, parser);
    }
    return fail("unknown action " + action);
}

CliCommandRegistrar registrar(
    {"schedule",
     "schedule load | list [--table phone|pc] | add --type reminder|call|meeting|birthday "
     "--date YYYY-MM-DD --time HH:MM [--alarm exact|5|10|30|60|none] --text T | "
     "delete --date YYYY-MM-DD --hour H --text T (asks: --yes)",
     "Loads the phone's scheduler, lists the phone's or the PC's schedule, adds and deletes "
     "entries (on the phone too when one answers).",
     runSchedule});

}  // namespace
