// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include "app/AppTestSupport.h"
#include "app/CMainFrame.h"
#include "app/ModalScript.h"
#include "app/RecordingView.h"
#include "db/DatabaseConnection.h"
#include "exchange/CalendarExchange.h"
#include "exchange/ui/ExchangeDialogs.h"
#include "phone/PhoneLink.h"
#include "scheduler/ScheduleTables.h"
#include "support/RecordingProgress.h"
#include "support/ScriptedPrompter.h"

namespace {

QStringList itemTexts(const QComboBox* box) {
    QStringList texts;
    for (int i = 0; i < box->count(); ++i) {
        texts << box->itemText(i);
    }
    return texts;
}

void choose(QComboBox* box, const QString& text) {
    const int index = box->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    box->setCurrentIndex(index);
}

class ExchangeDialogsTest : public AppTest {
  protected:
    void TearDown() override {
        closeAllDatabases();
        AppTest::TearDown();
    }
    void addReminders(int count) {
        CReminderDB reminders;
        for (int i = 0; i < count; ++i) {
            ScheduleEntry entry;
            entry.year = 2026;
            entry.month = 12;
            entry.date = 1 + i;
            entry.hour = 9;
            entry.contents = QStringLiteral("Entry %1").arg(i + 1);
            ASSERT_TRUE(reminders.StoreReminder(entry, false, false));
        }
    }
    int reminderCount() {
        CReminderDB reminders;
        return static_cast<int>(reminders.rows().size());
    }

    ScriptedPrompter prompter;
    RecordingProgress progress;
};

}  // namespace

TEST_F(ExchangeDialogsTest, ChoicesFollowWhatIsExported) {
    ExportDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Export");
    EXPECT_EQ(itemTexts(dialog.whatBox()),
              (QStringList{"Phone Book", "Scheduler", "To Do List", "Short Messages"}));
    EXPECT_EQ(itemTexts(dialog.memoryBox()), (QStringList{"All", "SIM", "MS", "PC"}));
    EXPECT_EQ(dialog.formatBox()->currentText(), "vCard (.vcf)");

    choose(dialog.whatBox(), "Scheduler");
    EXPECT_EQ(itemTexts(dialog.memoryBox()), (QStringList{"PC schedule", "Phone schedule"}));
    EXPECT_EQ(itemTexts(dialog.formatBox()), QStringList{"iCalendar (.ics)"});
    choose(dialog.memoryBox(), "Phone schedule");
    EXPECT_TRUE(dialog.options().phoneTable);
    EXPECT_EQ(dialog.options().format, ExchangeFormat::ICalendar);

    choose(dialog.whatBox(), "Short Messages");
    EXPECT_FALSE(dialog.memoryBox()->isEnabled());
    EXPECT_EQ(dialog.options().what, ExchangeWhat::Sms);

    ImportDialog import(nullptr);
    EXPECT_EQ(import.windowTitle(), "Import");
    EXPECT_EQ(itemTexts(import.memoryBox()), (QStringList{"As the file says", "SIM", "MS", "PC"}));
    choose(import.memoryBox(), "SIM");
    EXPECT_EQ(import.options().memories, QStringList{"sim"});
    choose(import.whatBox(), "Scheduler");
    EXPECT_FALSE(import.memoryBox()->isEnabled());
    EXPECT_EQ(import.memoryBox()->currentText(), "PC schedule");
    std::unique_ptr<PhoneLink> online = makeTestLink(true);
    ImportDialog onlineImport(online.get());
    choose(onlineImport.whatBox(), "Scheduler");
    EXPECT_EQ(onlineImport.memoryBox()->currentText(), "PC schedule and phone");
}

TEST_F(ExchangeDialogsTest, ExportWritesTheChosenFileAndSaysHowManyEntries) {
    addReminders(3);
    const QString path = workDir.filePath("out.ics");
    QStringList suggestions;
    ExportDialog dialog(nullptr, [&](const QString& suggested) {
        suggestions << suggested;
        return path;
    });
    choose(dialog.whatBox(), "Scheduler");
    QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
    EXPECT_EQ(suggestions, QStringList{"schedule.ics"});
    EXPECT_EQ(dialog.fileEdit()->text(), path);

    prompter.then(PromptAnswer::Ok);
    QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text, "Exported 3 entries.");
    EXPECT_EQ(prompter.prompts()[0].caption, "Export");
    EXPECT_EQ(prompter.prompts()[0].icon, PromptIcon::Information);
    EXPECT_TRUE(QFile::exists(path));
}

TEST_F(ExchangeDialogsTest, WithoutAFileOrWithAFailureTheDialogStaysOpenWithItsValues) {
    ExportDialog dialog(nullptr, [](const QString&) { return QString(); });
    choose(dialog.whatBox(), "To Do List");
    QTest::mouseClick(dialog.browseButton(), Qt::LeftButton);
    EXPECT_TRUE(dialog.fileEdit()->text().isEmpty()) << "a cancelled choice changes nothing";
    prompter.then(PromptAnswer::Ok);
    dialog.okButton()->click();
    EXPECT_EQ(prompter.prompts().last().text, "Please choose a file.");
    EXPECT_EQ(prompter.prompts().last().icon, PromptIcon::Warning);

    dialog.fileEdit()->setText(workDir.filePath("no/such/folder/todo.ics"));
    prompter.then(PromptAnswer::Ok);
    dialog.okButton()->click();
    EXPECT_TRUE(prompter.prompts().last().text.startsWith("Cannot write"));
    EXPECT_EQ(prompter.prompts().last().caption, "Export");
    EXPECT_EQ(prompter.prompts().last().icon, PromptIcon::Error);
    EXPECT_NE(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.whatBox()->currentText(), "To Do List");
}

TEST_F(ExchangeDialogsTest, ImportSummarisesImportedAndSkippedEntriesWithTheirReasons) {
    const QString path = workDir.filePath("in.ics");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\n"
            "BEGIN:VEVENT\r\nDTSTART:20261201T100000\r\nSUMMARY:One\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nSUMMARY:No start\r\nEND:VEVENT\r\n"
            "BEGIN:VEVENT\r\nDTSTART:20261202T100000\r\nSUMMARY:Two\r\nEND:VEVENT\r\n"
            "END:VCALENDAR\r\n");
    }
    std::unique_ptr<PhoneLink> offline = makeTestLink(false);
    ImportDialog dialog(offline.get(), nullptr, [&](const QString&) { return path; });
    choose(dialog.whatBox(), "Scheduler");
    dialog.browseButton()->click();
    prompter.then(PromptAnswer::Ok);
    dialog.okButton()->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    ASSERT_EQ(prompter.prompts().size(), 1);
    EXPECT_EQ(prompter.prompts()[0].text,
              "Imported 2 entries, skipped 1.\n\nline 7: \"No start\" has no start time (DTSTART)");
    EXPECT_EQ(prompter.prompts()[0].caption, "Import");
    EXPECT_EQ(reminderCount(), 2);
    EXPECT_EQ(progress.calls.first(), "show Schedule Import|Importing....");
    EXPECT_FALSE(progress.visible);
}

TEST_F(ExchangeDialogsTest, SummaryTextsCountLikeTheUserReadsThem) {
    ExchangeResult result;
    result.imported = 120;
    for (int i = 0; i < 12; ++i) {
        result.skip(QStringLiteral("line %1: why").arg(i));
    }
    const QString text = ImportDialog::summaryText(result);
    EXPECT_TRUE(text.startsWith("Imported 120 entries, skipped 12.\n\nline 0: why\n"));
    EXPECT_TRUE(text.endsWith("line 9: why\n... and 2 more."));
    result = {};
    result.exported = 1;
    EXPECT_EQ(ExportDialog::summaryText(result), "Exported 1 entry.");
}

TEST_F(ExchangeDialogsTest, FileMenuOpensBothDialogsFromTheFrame) {
    std::unique_ptr<PhoneLink> offline = makeTestLink(false);
    addReminders(2);
    const QString path = workDir.filePath("frame.ics");
    FrameHooks hooks;
    hooks.chooseExchangeFile = [&](const QString&) { return path; };
    CMainFrame frame(
        offline.get(), 15, [](int view) { return new RecordingView(view); }, hooks);

    QAction* exportAction = frame.commandAction("&File", "&Export...");
    QAction* importAction = frame.commandAction("&File", "&Import...");
    ASSERT_NE(exportAction, nullptr);
    ASSERT_NE(importAction, nullptr);

    ModalScript script;
    script.then([](QWidget* dialog) {
        auto* exportDialog = qobject_cast<ExportDialog*>(dialog);
        ASSERT_NE(exportDialog, nullptr);
        choose(exportDialog->whatBox(), "Scheduler");
        exportDialog->browseButton()->click();
        exportDialog->okButton()->click();
    });
    prompter.then(PromptAnswer::Ok);
    exportAction->trigger();
    EXPECT_EQ(prompter.prompts().last().text, "Exported 2 entries.");

    {
        CReminderDB reminders;
        ASSERT_TRUE(reminders.DeleteAllReminders());
    }
    script.then([](QWidget* dialog) {
        auto* importDialog = qobject_cast<ImportDialog*>(dialog);
        ASSERT_NE(importDialog, nullptr);
        choose(importDialog->whatBox(), "Scheduler");
        importDialog->browseButton()->click();
        importDialog->okButton()->click();
    });
    const QPointer<QWidget> viewBefore = frame.view();
    const int shownBefore = frame.currentView();
    ASSERT_FALSE(viewBefore.isNull());
    prompter.then(PromptAnswer::Ok);
    importAction->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(viewBefore.isNull()) << "the view showing is made anew from the tables";
    EXPECT_EQ(frame.currentView(), shownBefore);
    EXPECT_EQ(prompter.prompts().last().text, "Imported 2 entries, skipped 0.");
    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(frame.reminders()->FullRecordCount(), 2);
}
