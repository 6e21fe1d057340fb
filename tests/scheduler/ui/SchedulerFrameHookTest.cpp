// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QWidget>

#include "app/AppTestSupport.h"
#include "app/CMainFrame.h"
#include "db/DatabaseConnection.h"
#include "scheduler/ScheduleTables.h"
#include "support/EnginePhoneLink.h"
#include "support/ScriptedPrompter.h"

namespace {

constexpr int kSchedulerFolder = 2;

ViewFactory plainViews() {
    return [](int) { return new QWidget; };
}

QStringList titles(CReminderDB& reminders) {
    QStringList out;
    for (const ReminderRow& row : reminders.rows()) {
        out << row.entry.contents;
    }
    return out;
}

class SchedulerFrameHookTest : public AppTest {
  protected:
    void TearDown() override {
        closeAllDatabases();
        AppTest::TearDown();
    }
};

}  // namespace

TEST_F(SchedulerFrameHookTest, FirstVisitLoadsThePhoneAndRebuildsTheRemindersOnce) {
    EnginePhoneLink phone;  // the demo phone
    ASSERT_TRUE(phone.link().phoneFound);
    CMainFrame frame(&phone.link(), 15, plainViews());
    frame.reminders()->AddReminderRow(1, 2026, 1, 1, 8, 0, 0, 0, "PC only");

    frame.SwitchFolder(kSchedulerFolder);
    const QList<ScheduleEntry> loaded = frame.phoneSchedule()->entries();
    ASSERT_EQ(loaded.size(), static_cast<qsizetype>(phone.engine().state().schedule.size()));
    EXPECT_EQ(loaded[0].contents, "Project review");
    QStringList expected;
    for (const ScheduleEntry& entry : loaded) {
        expected << entry.contents;
    }
    EXPECT_EQ(titles(*frame.reminders()), expected);

    // Later visits leave both tables alone.
    phone.engine().state().schedule.erase(0);
    frame.SwitchFolder(0);
    frame.SwitchFolder(kSchedulerFolder);
    EXPECT_EQ(frame.phoneSchedule()->entries(), loaded);
}

TEST_F(SchedulerFrameHookTest, APhoneGoneSilentKeepsBothTables) {
    EnginePhoneLink phone;
    CMainFrame frame(&phone.link(), 15, plainViews());
    ScheduleEntry cached;
    cached.index = 9;
    cached.year = 2026;
    cached.month = 12;
    cached.date = 1;
    cached.contents = "Cached";
    frame.phoneSchedule()->AddScheduleRow(cached);
    frame.reminders()->AddReminderRow(1, 2026, 1, 1, 8, 0, 0, 0, "PC only");
    phone.line().setResponder([](const QByteArray&) { return QList<FakeChunk>{}; });
    ScriptedPrompter prompter;
    prompter.then(PromptAnswer::Ok);

    frame.SwitchFolder(kSchedulerFolder);
    EXPECT_EQ(frame.phoneSchedule()->entries(), QList<ScheduleEntry>{cached});
    EXPECT_EQ(titles(*frame.reminders()), QStringList{"PC only"});
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].caption, "Schedule Load");
}
