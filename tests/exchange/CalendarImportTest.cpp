// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "exchange/CalendarExchange.h"
#include "exchange/CalendarTestData.h"
#include "phone/PhoneLink.h"
#include "platform/Profile.h"
#include "scheduler/ScheduleTestEntries.h"
#include "support/EnginePhoneLink.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"

namespace {

const QDateTime kStamp(QDate(2026, 12, 8), QTime(13, 45, 0), QTimeZone::utc());

QByteArray calendar(const QByteArray& body) {
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Test//EN\r\n" + body + "END:VCALENDAR\r\n";
}

class CalendarImportTest : public ::testing::Test {
  protected:
    CalendarImportTest() { Profile::useFolder(dir.path()); }
    ~CalendarImportTest() override {
        phone.reset();
        closeAllDatabases();
        Profile::useFolder({});
    }
    QString file(const QByteArray& bytes, const QString& name = QStringLiteral("in.ics")) {
        QFile out(dir.filePath(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return out.fileName();
    }
    ExchangeResult importSchedule(const QString& path, PhoneLink* link = nullptr) {
        return importScheduleCalendar(path, link, progress, calendarTestZone());
    }
    ExchangeResult importTodo(const QString& path, PhoneLink* link = nullptr) {
        return importTodoCalendar(path, link, progress, calendarTestZone());
    }
    QList<ReminderRow> reminderRows() {
        CReminderDB reminders;
        return reminders.rows();
    }
    QList<TodoItem> todoItems() {
        CToDoListDB todo;
        todo.setSort(QStringLiteral("index ASC"));
        return todo.items();
    }

    TempWorkDir dir;
    // No import asks or tells anything itself: a message box would fail the test.
    ScriptedPrompter prompter;
    RecordingProgress progress;
    std::unique_ptr<EnginePhoneLink> phone;
};

}  // namespace

TEST_F(CalendarImportTest, ExportThenImportGivesBackTheSameReminderRows) {
    {
        CReminderDB reminders;
        for (const ReminderRow& row : sampleReminders()) {
            ASSERT_TRUE(reminders.StoreReminder(row.entry, row.done, false));
        }
    }
    const QString path = dir.filePath("schedule.ics");
    ASSERT_TRUE(exportScheduleCalendar(path, false, kStamp, calendarTestZone()).ok());
    {
        CReminderDB reminders;
        ASSERT_TRUE(reminders.DeleteAllReminders());
    }
    const ExchangeResult result = importSchedule(path);
    EXPECT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.imported, 5);
    EXPECT_EQ(result.skipped, 0) << result.skippedReasons.join('\n').toStdString();
    EXPECT_EQ(reminderRows(), sampleReminders());
    EXPECT_EQ(progress.calls.first(), "show Schedule Import|Importing....");
    EXPECT_EQ(progress.calls.last(), "destroy");

    // The same file again: every event is already there, nothing doubles.
    const ExchangeResult again = importSchedule(path);
    EXPECT_EQ(again.imported, 0);
    EXPECT_EQ(again.skipped, 5);
    EXPECT_EQ(again.skippedReasons.first(),
              "line 4: \"Budget, Q3; room 4\" is already in the "
              "schedule");
    EXPECT_EQ(reminderRows().size(), 5);
}

TEST_F(CalendarImportTest, AnAlarmSwitchedOffKeepsItsRingTimeThroughARoundTrip) {
    ReminderRow quiet = reminderRow(ScheduleMeeting, 2026, 12, 3, 10, 0, "Quiet", 9, 30);
    quiet.entry.alarm = 0;
    const QByteArray text = scheduleCalendarText({quiet}, kStamp, calendarTestZone());
    EXPECT_TRUE(text.contains("BEGIN:VALARM"));
    EXPECT_TRUE(text.contains("X-DEXMORO-ALARM-TIME:09:30\r\n"));
    EXPECT_EQ(importSchedule(file(text)).imported, 1);
    EXPECT_EQ(reminderRows(), QList<ReminderRow>{quiet});
}

TEST_F(CalendarImportTest, ExportThenImportGivesBackTheSameTodoItems) {
    {
        CToDoListDB todo;
        for (const TodoItem& item : sampleTodos()) {
            ASSERT_TRUE(todo.AddRecord(item));
        }
    }
    const QString path = dir.filePath("todo.ics");
    ASSERT_TRUE(exportTodoCalendar(path, kStamp, calendarTestZone()).ok());
    {
        CToDoListDB todo;
        ASSERT_TRUE(todo.deleteAllRows());
    }
    const ExchangeResult result = importTodo(path);
    EXPECT_TRUE(result.ok()) << result.error.toStdString();
    EXPECT_EQ(result.imported, 4);
    EXPECT_EQ(todoItems(), sampleTodos());
}

TEST_F(CalendarImportTest, ADoneDateThatIsNoTimeComesBackAsItWas) {
    const TodoItem odd = todoItem(1, "Odd stamp", 0, 2026, 12, 1, true, "9-10-2001");
    const QByteArray text = todoCalendarText({odd}, kStamp, calendarTestZone());
    EXPECT_FALSE(text.contains("COMPLETED:"));
    EXPECT_TRUE(text.contains("STATUS:COMPLETED"));
    EXPECT_EQ(importTodo(file(text)).imported, 1);
    EXPECT_EQ(todoItems(), QList<TodoItem>{odd});
}

TEST_F(CalendarImportTest, VCalendarOneFileIsImported) {
    const QString path = calendarDataPath("calendar_vcal10.vcs");
    const ExchangeResult events = importSchedule(path);
    EXPECT_TRUE(events.ok()) << events.error.toStdString();
    EXPECT_EQ(events.imported, 2) << events.skippedReasons.join('\n').toStdString();
    EXPECT_EQ(
        reminderRows(),
        (QList<ReminderRow>{reminderRow(ScheduleMeeting, 2026, 12, 14, 9, 30, "Café meeting", 9, 0),
                            reminderRow(ScheduleCall, 2026, 12, 15, 8, 0, "0123456", 7, 45)}));

    const ExchangeResult todos = importTodo(path);
    EXPECT_EQ(todos.imported, 1);
    EXPECT_EQ(todoItems(), QList<TodoItem>{todoItem(1, "Send invoices", 0, 2026, 12, 20)});
}

TEST_F(CalendarImportTest, AnEventThatCannotBeReadWholeIsSkippedWithItsLine) {
    const QString path =
        file(calendar("BEGIN:VEVENT\r\n"          // line 4
                      "UID:1\r\n"                 // 5
                      "DTSTART:2026130T1000\r\n"  // 6
                      "SUMMARY:Broken date\r\n"
                      "END:VEVENT\r\n"
                      "BEGIN:VEVENT\r\n"  // 9
                      "DTSTART:20261201T100000\r\n"
                      "SUMMARY:Fine\r\n"
                      "END:VEVENT\r\n"
                      "BEGIN:VEVENT\r\n"  // 13
                      "DTSTART:20261202T100000\r\n"
                      "SUMMARY:Garbage\r\n"
                      "this is no property\r\n"  // 16
                      "END:VEVENT\r\n"
                      "BEGIN:VEVENT\r\n"  // 18
                      "SUMMARY:No start\r\n"
                      "END:VEVENT\r\n"
                      "BEGIN:VEVENT\r\n"  // 21
                      "DTSTART:20261203T100000\r\n"
                      "SUMMARY:A birthday text too long\r\n"
                      "CATEGORIES:BIRTHDAY\r\n"
                      "END:VEVENT\r\n"));
    const ExchangeResult result = importSchedule(path);
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.imported, 1);
    ASSERT_EQ(result.skipped, 4);
    EXPECT_TRUE(result.skippedReasons[0].startsWith("line 6: "))
        << result.skippedReasons[0].toStdString();
    EXPECT_TRUE(result.skippedReasons[0].contains("DTSTART"));
    EXPECT_TRUE(result.skippedReasons[1].startsWith("line 16: "))
        << result.skippedReasons[1].toStdString();
    EXPECT_EQ(result.skippedReasons[2], "line 18: \"No start\" has no start time (DTSTART)");
    EXPECT_EQ(result.skippedReasons[3],
              "line 21: \"A birthday text too long\" is longer than "
              "the 16 characters a birthday holds");
    EXPECT_EQ(reminderRows(),
              QList<ReminderRow>{reminderRow(ScheduleReminder, 2026, 12, 1, 10, 0, "Fine")});
}

TEST_F(CalendarImportTest, VCalendarLatinOneTextAndQuotedPrintableSoftBreaks) {
    const QString path = file(
        "BEGIN:VCALENDAR\r\n"
        "VERSION:1.0\r\n"
        "BEGIN:VEVENT\r\n"
        "DTSTART:20261201T100000\r\n"
        "SUMMARY;CHARSET=ISO-8859-1;ENCODING=QUOTED-PRINTABLE:Caf=E9 with=\r\n"
        " J=FCrgen\r\n"
        "END:VEVENT\r\n"
        "BEGIN:VEVENT\r\n"
        "DTSTART:20261202T100000\r\n"
        "SUMMARY;CHARSET=UTF-8;ENCODING=QUOTED-PRINTABLE:Stra=C3=9F=\r\n"
        "e\r\n"
        "END:VEVENT\r\n"
        "END:VCALENDAR\r\n",
        "latin.vcs");
    const ExchangeResult result = importSchedule(path);
    EXPECT_EQ(result.imported, 2) << result.skippedReasons.join('\n').toStdString();
    const QList<ReminderRow> rows = reminderRows();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].entry.contents, QString::fromUtf8("Café with Jürgen"));
    EXPECT_EQ(rows[1].entry.contents, QString::fromUtf8("Straße"));
}

TEST_F(CalendarImportTest, ABrokenVCalendarEventIsSkippedWithItsLine) {
    const QString path = file(
        "BEGIN:VCALENDAR\r\n"
        "VERSION:1.0\r\n"
        "BEGIN:VEVENT\r\n"  // 3
        "DTSTART:20261201T100000\r\n"
        "SUMMARY\r\n"  // 5
        "END:VEVENT\r\n"
        "BEGIN:VEVENT\r\n"
        "DTSTART:20261202T100000\r\n"
        "SUMMARY:Fine\r\n"
        "END:VEVENT\r\n"
        "END:VCALENDAR\r\n",
        "broken.vcs");
    const ExchangeResult result = importSchedule(path);
    EXPECT_EQ(result.imported, 1);
    EXPECT_EQ(
        result.skippedReasons,
        QStringList{"line 5: this line cannot be read (it has no \":\" between name and value)"});
    EXPECT_EQ(reminderRows(),
              QList<ReminderRow>{reminderRow(ScheduleReminder, 2026, 12, 2, 10, 0, "Fine")});
}

TEST_F(CalendarImportTest, SeveralCalendarsInOneFileAreAllRead) {
    const QString path = file(calendar("BEGIN:VEVENT\r\nDTSTART:20261201T100000\r\n"
                                       "SUMMARY:First\r\nEND:VEVENT\r\n") +
                              calendar("BEGIN:VEVENT\r\nSUMMARY:Second\r\nEND:VEVENT\r\n"));
    const ExchangeResult result = importSchedule(path);
    EXPECT_EQ(result.imported, 1);
    EXPECT_EQ(result.skippedReasons,
              QStringList{"line 12: \"Second\" has no start time (DTSTART)"});
}

TEST_F(CalendarImportTest, AMalformedFileImportsNothingAndNamesTheLine) {
    struct Case {
        QByteArray bytes;
        const char* error;
    };
    const Case cases[] = {
        {"BEGIN:VCARD\r\nEND:VCARD\r\n",
         "line 1: this is no iCalendar or vCalendar file: BEGIN:VCALENDAR is missing"},
        {calendar("BEGIN:VEVENT\r\nDTSTART:20261201T100000\r\nSUMMARY:Open\r\n"),
         "line 7: END:VCALENDAR where END:VEVENT should close the BEGIN:VEVENT of line 4"},
        {"BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nSUMMARY:x\r\n",
         "line 3: BEGIN:VEVENT is never closed by END:VEVENT"},
        {"", "line 1: this is no iCalendar or vCalendar file: BEGIN:VCALENDAR is missing"},
    };
    for (const Case& c : cases) {
        const ExchangeResult result = importSchedule(file(c.bytes));
        EXPECT_EQ(result.error.toStdString(), c.error);
        EXPECT_EQ(result.imported, 0);
    }
    EXPECT_TRUE(reminderRows().isEmpty());
    const ExchangeResult missing = importTodo(dir.filePath("none.ics"));
    EXPECT_TRUE(missing.error.startsWith("Cannot read")) << missing.error.toStdString();
}

TEST_F(CalendarImportTest, ZonedAndUtcTimesBecomeThePhonesWallClock) {
    const QString path =
        file(calendar("BEGIN:VTIMEZONE\r\n"
                      "TZID:Somewhere\r\n"
                      "BEGIN:STANDARD\r\n"
                      "DTSTART:19700101T000000\r\n"
                      "TZOFFSETFROM:+0300\r\n"
                      "TZOFFSETTO:+0300\r\n"
                      "END:STANDARD\r\n"
                      "END:VTIMEZONE\r\n"
                      "BEGIN:VEVENT\r\n"
                      "DTSTART:20261201T080000Z\r\n"
                      "SUMMARY:Utc\r\n"
                      "BEGIN:VALARM\r\n"
                      "ACTION:DISPLAY\r\n"
                      "TRIGGER;VALUE=DATE-TIME:20261201T074500Z\r\n"
                      "END:VALARM\r\n"
                      "END:VEVENT\r\n"
                      "BEGIN:VEVENT\r\n"
                      "DTSTART;TZID=Somewhere:20261201T120000\r\n"
                      "SUMMARY:Zoned\r\n"
                      "END:VEVENT\r\n"
                      "BEGIN:VEVENT\r\n"
                      "DTSTART;VALUE=DATE:20261224\r\n"
                      "SUMMARY:All day\r\n"
                      "BEGIN:VALARM\r\n"
                      "ACTION:DISPLAY\r\n"
                      "TRIGGER;RELATED=END:-PT1H\r\n"
                      "END:VALARM\r\n"
                      "DTEND;VALUE=DATE:20261225\r\n"
                      "END:VEVENT\r\n"));
    const ExchangeResult result = importSchedule(path);
    EXPECT_EQ(result.imported, 3) << result.skippedReasons.join('\n').toStdString();
    EXPECT_EQ(
        reminderRows(),
        (QList<ReminderRow>{reminderRow(ScheduleReminder, 2026, 12, 1, 9, 0, "Utc", 8, 45),
                            reminderRow(ScheduleReminder, 2026, 12, 1, 10, 0, "Zoned"),
                            reminderRow(ScheduleReminder, 2026, 12, 24, 0, 0, "All day", 23, 0)}));
}

TEST_F(CalendarImportTest, AZoneTheFileDoesNotDescribeIsTakenFromTheSystem) {
    if (!QTimeZone(QByteArrayLiteral("Europe/Berlin")).isValid()) {
        GTEST_SKIP() << "no time zone data";
    }
    const QString path =
        file(calendar("BEGIN:VEVENT\r\n"
                      "DTSTART;TZID=Europe/Berlin:20260701T120000\r\n"
                      "SUMMARY:Summer\r\n"
                      "END:VEVENT\r\n"));
    EXPECT_EQ(importSchedule(path).imported, 1);
    // 12:00 summer time in Berlin is 10:00 UTC, 11:00 one hour east of UTC.
    EXPECT_EQ(reminderRows(),
              QList<ReminderRow>{reminderRow(ScheduleReminder, 2026, 7, 1, 11, 0, "Summer")});
}

TEST_F(CalendarImportTest, TextThePhoneCannotTakeIsSkippedBeforeAnythingIsStored) {
    const QString path =
        file(calendar("BEGIN:VEVENT\r\n"
                      "DTSTART:20261201T100000\r\n"
                      "SUMMARY:Say \"hi\"\r\n"
                      "END:VEVENT\r\n"
                      "BEGIN:VEVENT\r\n"
                      "DTSTART:20261201T110000\r\n"
                      "SUMMARY:Call Bob\r\n"
                      "CATEGORIES:CALL\r\n"
                      "END:VEVENT\r\n"
                      "BEGIN:VTODO\r\n"
                      "SUMMARY:No date\r\n"
                      "END:VTODO\r\n"));
    phone = std::make_unique<EnginePhoneLink>(phoneWithSchedule({}));
    const qsizetype sentBefore = phone->line().writes().size();
    const ExchangeResult result = importSchedule(path, &phone->link());
    EXPECT_EQ(result.imported, 0);
    ASSERT_EQ(result.skipped, 2);
    EXPECT_TRUE(result.skippedReasons[0].startsWith("line 4: \"Say \"hi\"\": "));
    EXPECT_TRUE(result.skippedReasons[1].startsWith("line 8: \"Call Bob\": "));
    EXPECT_EQ(phone->line().writes().size(), sentBefore);
    EXPECT_TRUE(reminderRows().isEmpty());

    const ExchangeResult todos = importTodo(path);
    EXPECT_EQ(todos.skippedReasons, QStringList{"line 13: \"No date\" has no due date (DUE)"});
}

TEST_F(CalendarImportTest, WithAPhoneEachEventGoesToTheFirstFreeSlotThenToReminder) {
    const ScheduleEntry taken = scheduleEntry(0, ScheduleMeeting, 2026, 11, 1, 9, 0, "Old");
    phone = std::make_unique<EnginePhoneLink>(phoneWithSchedule({taken}));
    {
        CPhoneScheduleDB table;
        ASSERT_TRUE(table.AddScheduleRow(taken));
    }
    const QString path = file(scheduleCalendarText(sampleReminders(), kStamp, calendarTestZone()));
    const ExchangeResult result = importSchedule(path, &phone->link());
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.imported, 5);
    CPhoneScheduleDB table;
    const QList<ScheduleEntry> rows = table.entries();
    ASSERT_EQ(rows.size(), 6);
    EXPECT_EQ(rows[1].index, 1);
    EXPECT_EQ(rows[5].index, 5);
    EXPECT_EQ(phone->engine().state().schedule.size(), 6u);
    EXPECT_EQ(phone->engine().state().schedule.at(3).contents, "Night train");
    EXPECT_EQ(reminderRows(), sampleReminders());
}

TEST_F(CalendarImportTest, AFullOrRefusingPhoneSkipsTheEventEverywhere) {
    QList<ScheduleEntry> full;
    for (int slot = 0; slot < ScheduleCapacity - 1; ++slot) {
        full << scheduleEntry(slot, ScheduleReminder, 2026, 1, 1 + slot % 28, slot % 24, 0,
                              QString("E%1").arg(slot));
    }
    phone = std::make_unique<EnginePhoneLink>(phoneWithSchedule(full));
    {
        CPhoneScheduleDB table;
        for (const ScheduleEntry& entry : full) {
            ASSERT_TRUE(table.AddScheduleRow(entry));
        }
    }
    const QString path =
        file(scheduleCalendarText(sampleReminders().mid(0, 2), kStamp, calendarTestZone()));
    ExchangeResult result = importSchedule(path, &phone->link());
    EXPECT_EQ(result.imported, 1);
    ASSERT_EQ(result.skipped, 1);
    EXPECT_EQ(result.skippedReasons[0],
              "line 16: \"+441234567\": You can't insert Schedule due "
              "to maximum capacity excess.");
    EXPECT_EQ(reminderRows(), sampleReminders().mid(0, 1));

    // A phone that refuses the write: nothing stored, the phone still answers, the import
    // goes on.
    PhoneSimFaults faults;
    faults.errorPattern = "at+schw";
    phone->engine().setFaults(faults);
    {
        CPhoneScheduleDB table;
        table.Requery();
        ASSERT_TRUE(table.FindScheduleIndex(0));
        table.Delete();
    }
    result = importSchedule(
        file(scheduleCalendarText(sampleReminders().mid(3, 2), kStamp, calendarTestZone())),
        &phone->link());
    EXPECT_TRUE(result.ok());
    EXPECT_EQ(result.imported, 0);
    EXPECT_EQ(result.skipped, 2);
    EXPECT_TRUE(result.skippedReasons[1].endsWith("The phone did not accept the schedule change."));
    EXPECT_EQ(reminderRows().size(), 1);
}

TEST_F(CalendarImportTest, APhoneThatFallsSilentEndsTheImportWithWhatWasStored) {
    phone = std::make_unique<EnginePhoneLink>(phoneWithSchedule({}));
    // The phone answers the first write, then nothing more.
    auto left = std::make_shared<int>(1);
    PhoneSimEngine* engine = &phone->engine();
    phone->line().setResponder([engine, left](const QByteArray& written) {
        QList<FakeChunk> chunks;
        if ((*left)-- > 0) {
            chunks.append(FakeChunk{0, engine->feed(written), false});
        }
        return chunks;
    });
    const QString path =
        file(scheduleCalendarText(sampleReminders().mid(0, 3), kStamp, calendarTestZone()));
    const ExchangeResult result = importSchedule(path, &phone->link());
    EXPECT_EQ(result.error,
              "The phone stopped answering: 1 of 3 entries were imported, the rest "
              "was not.");
    EXPECT_EQ(result.imported, 1);
    EXPECT_EQ(result.skipped, 1);
    EXPECT_EQ(reminderRows(), sampleReminders().mid(0, 1));
    CPhoneScheduleDB table;
    EXPECT_EQ(table.entries().size(), 1);
}

TEST_F(CalendarImportTest, WithAPhoneTodosAreWrittenAndMarkedAndARefusalLeavesNothing) {
    PhoneSimState state = PhoneSimState::demo();
    state.todos.clear();
    phone = std::make_unique<EnginePhoneLink>(state);
    const QString path = file(todoCalendarText(sampleTodos(), kStamp, calendarTestZone()));
    ExchangeResult result = importTodo(path, &phone->link());
    EXPECT_EQ(result.imported, 4) << result.skippedReasons.join('\n').toStdString();
    EXPECT_EQ(phone->engine().state().todos.size(), 4u);
    const QList<TodoItem> items = todoItems();
    ASSERT_EQ(items.size(), 4);
    EXPECT_TRUE(items[2].mark);
    EXPECT_EQ(items[2].doneDate, "9-10-2001 14:05");

    PhoneSimFaults faults;
    faults.errorPattern = "at+ctdw";
    phone->engine().setFaults(faults);
    result = importTodo(file(todoCalendarText({todoItem(1, "Refused", 0, 2026, 12, 1)}, kStamp,
                                              calendarTestZone())),
                        &phone->link());
    EXPECT_EQ(result.imported, 0);
    EXPECT_EQ(result.skippedReasons,
              QStringList{"line 4: \"Refused\": The phone did not accept the to-do item."});
    EXPECT_EQ(todoItems().size(), 4);
}
