// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "db/DatabaseConnection.h"
#include "exchange/CalendarExchange.h"
#include "exchange/CalendarTestData.h"
#include "platform/Profile.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompter.h"
#include "support/TempWorkDir.h"
#include "support/TranscriptReplay.h"

// Recorded exchanges of calendar imports with a phone: what each event and item costs on the
// line.

namespace {

const QDateTime kStamp(QDate(2026, 12, 8), QTime(13, 45, 0), QTimeZone::utc());

class CalendarTranscriptTest : public ::testing::Test {
  protected:
    CalendarTranscriptTest() { Profile::useFolder(dir.path()); }
    ~CalendarTranscriptTest() override {
        closeAllDatabases();
        Profile::useFolder({});
    }
    QString file(const QByteArray& bytes) {
        QFile out(dir.filePath("in.ics"));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return out.fileName();
    }

    TempWorkDir dir;
    ScriptedPrompter prompter;
    RecordingProgress progress;
};

}  // namespace

TEST_F(CalendarTranscriptTest, ScheduleImportWritesEachEventToTheNextFreeSlot) {
    PhoneSimState state = PhoneSimState::demo();
    state.schedule.clear();
    TranscriptReplay replay("calendar_import_schedule", state);
    const QString path =
        file(scheduleCalendarText(sampleReminders().mid(0, 3), kStamp, calendarTestZone()));
    const ExchangeResult result =
        importScheduleCalendar(path, &replay.connectThenReplay(), progress, calendarTestZone());
    EXPECT_EQ(result.imported, 3);
    CPhoneScheduleDB table;
    EXPECT_EQ(table.entries().size(), 3);
    EXPECT_TRUE(replay.matched());
}

TEST_F(CalendarTranscriptTest, ScheduleImportProbesThePhoneAfterARefusal) {
    PhoneSimState state = PhoneSimState::demo();
    state.schedule.clear();
    TranscriptReplay replay("calendar_import_schedule_refused", state);
    PhoneSimFaults faults;
    faults.errorPattern = "Night";
    replay.engine().setFaults(faults);
    const QString path =
        file(scheduleCalendarText(sampleReminders().mid(1, 2), kStamp, calendarTestZone()));
    const ExchangeResult result =
        importScheduleCalendar(path, &replay.connectThenReplay(), progress, calendarTestZone());
    EXPECT_EQ(result.imported, 1);
    EXPECT_EQ(result.skipped, 1);
    EXPECT_TRUE(result.ok());
    CReminderDB reminders;
    EXPECT_EQ(reminders.rows(), sampleReminders().mid(1, 1));
    EXPECT_TRUE(replay.matched());
}

TEST_F(CalendarTranscriptTest, TodoImportWritesNewItemsAndMarksDoneOnes) {
    PhoneSimState state = PhoneSimState::demo();
    state.todos.clear();
    TranscriptReplay replay("calendar_import_todo", state);
    const QString path =
        file(todoCalendarText(sampleTodos().mid(1, 2), kStamp, calendarTestZone()));
    const ExchangeResult result =
        importTodoCalendar(path, &replay.connectThenReplay(), progress, calendarTestZone());
    EXPECT_EQ(result.imported, 2);
    EXPECT_TRUE(replay.matched());
}
