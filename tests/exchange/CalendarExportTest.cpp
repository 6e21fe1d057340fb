// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <libical/ical.h>

#include "db/DatabaseConnection.h"
#include "exchange/CalendarExchange.h"
#include "exchange/CalendarTestData.h"
#include "platform/Profile.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

const QDateTime kStamp(QDate(2026, 12, 8), QTime(13, 45, 0), QTimeZone::utc());

QByteArray unixLines(QByteArray text) {
    return text.replace("\r\n", "\n");
}

// With DEXMORO_RECORD_GOLDEN=1 the golden file is written from the output instead; read the
// diff before committing it.
QByteArray golden(const QString& name, const QByteArray& actual) {
    if (qEnvironmentVariableIntValue("DEXMORO_RECORD_GOLDEN") == 1) {
        QFile file(calendarDataPath(name));
        if (file.open(QIODevice::WriteOnly)) {
            file.write(actual);
        }
    }
    return calendarData(name);
}

// Everything libical complains about when it reads the text back.
QStringList libicalErrors(icalcomponent* component) {
    QStringList errors;
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_XLICERROR_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_XLICERROR_PROPERTY)) {
        errors << QString::fromUtf8(icalproperty_get_xlicerror(p));
    }
    for (icalcomponent* c = icalcomponent_get_first_component(component, ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(component, ICAL_ANY_COMPONENT)) {
        errors << libicalErrors(c);
    }
    return errors;
}

struct Parsed {
    explicit Parsed(const QByteArray& text) : root(icalparser_parse_string(text.constData())) {}
    ~Parsed() { icalcomponent_free(root); }
    QList<icalcomponent*> children(icalcomponent_kind kind) const {
        QList<icalcomponent*> out;
        for (icalcomponent* c = icalcomponent_get_first_component(root, kind); c;
             c = icalcomponent_get_next_component(root, kind)) {
            out << c;
        }
        return out;
    }
    icalcomponent* root;
};

}  // namespace

TEST(CalendarExportTest, ScheduleMatchesTheGoldenFile) {
    const QByteArray text = scheduleCalendarText(sampleReminders(), kStamp, calendarTestZone());
    EXPECT_EQ(unixLines(text).toStdString(),
              unixLines(golden("calendar_schedule.ics", text)).toStdString());
    EXPECT_TRUE(text.contains("\r\n")) << "iCalendar lines end in CR LF";
}

TEST(CalendarExportTest, TodoMatchesTheGoldenFile) {
    const QByteArray text = todoCalendarText(sampleTodos(), kStamp, calendarTestZone());
    EXPECT_EQ(unixLines(text).toStdString(),
              unixLines(golden("calendar_todo.ics", text)).toStdString());
}

TEST(CalendarExportTest, SameRowsGiveTheSameBytesAndTwinsDistinctIds) {
    QList<ReminderRow> rows = sampleReminders();
    rows << rows.first();
    const QByteArray once = scheduleCalendarText(rows, kStamp, calendarTestZone());
    EXPECT_EQ(once, scheduleCalendarText(rows, kStamp, calendarTestZone()));
    Parsed parsed(once);
    QSet<QString> uids;
    for (icalcomponent* event : parsed.children(ICAL_VEVENT_COMPONENT)) {
        uids.insert(QString::fromUtf8(icalcomponent_get_uid(event)));
    }
    EXPECT_EQ(uids.size(), rows.size());
}

TEST(CalendarExportTest, LibicalReadsTheScheduleBackWithAlarmTimesKept) {
    const QList<ReminderRow> rows = sampleReminders();
    Parsed parsed(scheduleCalendarText(rows, kStamp, calendarTestZone()));
    ASSERT_NE(parsed.root, nullptr);
    EXPECT_EQ(libicalErrors(parsed.root), QStringList());
    const QList<icalcomponent*> events = parsed.children(ICAL_VEVENT_COMPONENT);
    ASSERT_EQ(events.size(), rows.size());
    for (int i = 0; i < rows.size(); ++i) {
        const ScheduleEntry& e = rows[i].entry;
        SCOPED_TRACE(e.contents.toStdString());
        EXPECT_EQ(QString::fromUtf8(icalcomponent_get_summary(events[i])), e.contents);
        const icaltimetype start = icalcomponent_get_dtstart(events[i]);
        const QDateTime startTime(QDate(start.year, start.month, start.day),
                                  QTime(start.hour, start.minute), QTimeZone::utc());
        EXPECT_EQ(startTime, QDateTime(QDate(e.year, e.month, e.date), QTime(e.hour, e.minute),
                                       QTimeZone::utc()));
        EXPECT_FALSE(icaltime_is_utc(start)) << "the phone's times are floating";
        icalcomponent* alarm = icalcomponent_get_first_component(events[i], ICAL_VALARM_COMPONENT);
        ASSERT_EQ(alarm != nullptr, e.alarm == 1);
        if (alarm) {
            const icaltriggertype trigger = icalproperty_get_trigger(
                icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
            const QTime ring = startTime.addSecs(icaldurationtype_as_int(trigger.duration)).time();
            EXPECT_EQ(ring, QTime(e.alarmHour, e.alarmMinute));
        }
    }
    // The ring before midnight of the 0:10 entry lies on the previous day.
    icalcomponent* nightAlarm = icalcomponent_get_first_component(events[2], ICAL_VALARM_COMPONENT);
    EXPECT_EQ(
        icaldurationtype_as_int(icalproperty_get_trigger(icalcomponent_get_first_property(
                                                             nightAlarm, ICAL_TRIGGER_PROPERTY))
                                    .duration),
        -30 * 60);
}

TEST(CalendarExportTest, LibicalReadsTheTodosBackWithDueDatesAndDoneTimesKept) {
    const QList<TodoItem> items = sampleTodos();
    Parsed parsed(todoCalendarText(items, kStamp, calendarTestZone()));
    ASSERT_NE(parsed.root, nullptr);
    EXPECT_EQ(libicalErrors(parsed.root), QStringList());
    const QList<icalcomponent*> todos = parsed.children(ICAL_VTODO_COMPONENT);
    ASSERT_EQ(todos.size(), items.size());
    for (int i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(items[i].contents.toStdString());
        const icaltimetype due = icalcomponent_get_due(todos[i]);
        EXPECT_TRUE(due.is_date);
        EXPECT_EQ(QDate(due.year, due.month, due.day), items[i].untilDate());
        EXPECT_EQ(icalcomponent_get_status(todos[i]),
                  items[i].mark ? ICAL_STATUS_COMPLETED : ICAL_STATUS_NEEDSACTION);
    }
    // 9-10-2001 14:05 on the phone, one hour east of UTC.
    icalproperty* completed = icalcomponent_get_first_property(todos[2], ICAL_COMPLETED_PROPERTY);
    ASSERT_NE(completed, nullptr);
    const icaltimetype done = icalproperty_get_completed(completed);
    EXPECT_TRUE(icaltime_is_utc(done));
    EXPECT_EQ(QDateTime(QDate(done.year, done.month, done.day), QTime(done.hour, done.minute)),
              QDateTime(QDate(2001, 10, 9), QTime(13, 5)));
}

TEST(CalendarExportTest, FilesComeFromTheTablesAndCountTheRows) {
    TempWorkDir dir;
    Profile::useFolder(dir.path());
    {
        CReminderDB reminders;
        for (const ReminderRow& row : sampleReminders()) {
            ASSERT_TRUE(reminders.StoreReminder(row.entry, row.done, false));
        }
        CPhoneScheduleDB phone;
        ScheduleEntry slot = sampleReminders()[1].entry;
        slot.index = 7;
        ASSERT_TRUE(phone.AddScheduleRow(slot));
        CToDoListDB todo;
        const QList<TodoItem> items = sampleTodos();
        for (auto it = items.rbegin(); it != items.rend(); ++it) {
            ASSERT_TRUE(todo.AddRecord(*it));
        }
    }
    const QString reminderFile = dir.filePath("reminder.ics");
    ExchangeResult result = exportScheduleCalendar(reminderFile, false, kStamp, calendarTestZone());
    EXPECT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.exported, 5);
    QFile written(reminderFile);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(),
              scheduleCalendarText(sampleReminders(), kStamp, calendarTestZone()));

    result = exportScheduleCalendar(dir.filePath("phone.ics"), true, kStamp, calendarTestZone());
    EXPECT_EQ(result.exported, 1);

    // Items in index order, whatever order the table holds them in.
    const QString todoFile = dir.filePath("todo.ics");
    result = exportTodoCalendar(todoFile, kStamp, calendarTestZone());
    EXPECT_EQ(result.exported, 4);
    QFile todoWritten(todoFile);
    ASSERT_TRUE(todoWritten.open(QIODevice::ReadOnly));
    EXPECT_EQ(todoWritten.readAll(), todoCalendarText(sampleTodos(), kStamp, calendarTestZone()));

    ScriptedPrompter prompter;
    result = exportTodoCalendar(dir.filePath("no/such/folder/todo.ics"), kStamp);
    EXPECT_FALSE(result.ok());
    EXPECT_TRUE(result.error.startsWith("Cannot write")) << result.error.toStdString();
    closeAllDatabases();
    Profile::useFolder({});
}

// The phone's seven entries and the one PC entry it lacks, each ring a standard alarm.
TEST(CalendarExportTest, BackupHoldsEveryPhoneEntryAndThePcEntriesThePhoneLacks) {
    TempWorkDir dir;
    Profile::useFolder(dir.path());
    {
        CPhoneScheduleDB phone;
        CReminderDB reminders;
        for (int slot = 0; slot < 7; ++slot) {
            ScheduleEntry entry = reminderRow(ScheduleMeeting, 2026, 12, 1 + slot, 9, 0,
                                              QStringLiteral("Phone %1").arg(slot), 8, 30)
                                      .entry;
            entry.index = slot;
            ASSERT_TRUE(phone.AddScheduleRow(entry));
        }
        // The PC's copy of two phone entries (alarm flag off, ring time kept), and its own.
        for (int slot : {0, 1}) {
            ScheduleEntry copy = phone.entries()[slot];
            copy.index = -1;
            copy.alarm = 0;
            ASSERT_TRUE(reminders.StoreReminder(copy, false, false));
        }
        ASSERT_TRUE(reminders.StoreReminder(
            reminderRow(ScheduleCall, 2026, 12, 20, 10, 0, "0123", 9, 55).entry, false, false));
    }
    const QString file = dir.filePath("schedule.ics");
    const ExchangeResult result = exportScheduleBackup(file, kStamp);
    ASSERT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.exported, 8);

    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    Parsed parsed(written.readAll());
    const QList<icalcomponent*> events = parsed.children(ICAL_VEVENT_COMPONENT);
    ASSERT_EQ(events.size(), 8);
    QStringList summaries;
    for (icalcomponent* event : events) {
        summaries << QString::fromUtf8(icalcomponent_get_summary(event));
        EXPECT_NE(icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT), nullptr)
            << summaries.last().toStdString();
    }
    EXPECT_EQ(summaries.first(), "Phone 0");
    EXPECT_EQ(summaries.last(), "0123");
    closeAllDatabases();
    Profile::useFolder({});
}
