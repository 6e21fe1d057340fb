// SPDX-License-Identifier: GPL-3.0-or-later
// The demo's built-in phone over several runs of the program.

#include <gtest/gtest.h>

#include <QDialog>
#include <QFile>

#include "AppTestSupport.h"
#include "app/CDexmoroApp.h"
#include "app/DemoPhone.h"
#include "db/DatabaseConnection.h"
#include "db/DatabaseSchema.h"
#include "db/Recordset.h"
#include "phone/PhoneLink.h"
#include "phonebook/ui/CPhonebookView.h"
#include "phonesim/PhoneSimState.h"
#include "support/ScriptedPrompter.h"

namespace {

class DemoPhoneTest : public AppTest {
  protected:
    void TearDown() override {
        PhoneLink::setDevicePathOverride({});
        closeAllDatabases();
        AppTest::TearDown();
    }

    // One run of the program on the demo phone, up to its first view.
    static StartupSeams seams() {
        StartupSeams s;
        s.useMessageBoxes = false;
        s.detectPort = [] {};
        s.runCableDetection = [] {
            ADD_FAILURE() << "the demo phone did not answer";
            return int(QDialog::Rejected);
        };
        s.screenArea = [] { return QSize(1280, 1024); };
        return s;
    }

    static QStringList simNames() {
        QStringList names;
        Recordset rows(kPhonebookDbFile, "sim");
        if (rows.Open()) {
            for (rows.MoveFirst(); !rows.IsEOF(); rows.MoveNext()) {
                names.append(rows.value("Name").toString());
            }
        }
        return names;
    }

    static int firstFreeSimIndex(const PhoneSimState& state) {
        int index = 1;
        while (state.sm.entries.count(index)) {
            ++index;
        }
        return index;
    }

    ScriptedPrompter prompter;
};

}  // namespace

TEST_F(DemoPhoneTest, ANewSimEntryIsStillOnThePhoneAtTheNextRun) {
    int index = 0;
    {
        DemoPhone demo(workDir.path());
        QString error;
        ASSERT_TRUE(demo.start(&error)) << error.toStdString();
        index = firstFreeSimIndex(demo.phoneState());
        PhoneLink link;
        ASSERT_TRUE(link.phoneFound);
        ASSERT_EQ(link.SelectPhonebookMemory(0), 0);
        ASSERT_EQ(link.WritePhonebookEntry(index, 0, "0612345678", 129, "Kept Over"), 0);
        ASSERT_TRUE(demo.stop(&error)) << error.toStdString();
    }
    EXPECT_TRUE(QFile::exists(workDir.filePath("DemoPhone.json")));

    // The next run's start-up reads the phone into the cache: the entry is there.
    CPhonebookView::resetFirstStart();
    DemoPhone demo(workDir.path());
    QString error;
    ASSERT_TRUE(demo.start(&error)) << error.toStdString();
    EXPECT_EQ(demo.phoneState().sm.entries.at(index).name, "Kept Over");
    {
        CDexmoroApp app(seams());
        ASSERT_TRUE(app.InitInstance());
        EXPECT_EQ(app.online, 1);
        EXPECT_TRUE(simNames().contains("Kept Over"));
        app.mainFrame()->close();
    }
    closeAllDatabases();

    // Reset puts the shipped demo data back, cache included.
    ASSERT_TRUE(demo.stop(&error));
    DemoPhone fresh(workDir.path());
    ASSERT_TRUE(fresh.reset(&error)) << error.toStdString();
    EXPECT_FALSE(QFile::exists(workDir.filePath("DemoPhone.json")));
    EXPECT_FALSE(QFile::exists(workDir.filePath(kPhonebookDbFile)));
    ASSERT_TRUE(fresh.start(&error));
    EXPECT_EQ(fresh.phoneState().sm, PhoneSimState::showcase().sm);
}

TEST_F(DemoPhoneTest, AnUnreadableSavedStateIsSetAsideAndTheDemoDataUsed) {
    {
        QFile file(workDir.filePath("DemoPhone.json"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("{ not json");
    }
    DemoPhone demo(workDir.path());
    QString error;
    QString notice;
    ASSERT_TRUE(demo.start(&error, &notice)) << error.toStdString();
    EXPECT_TRUE(notice.contains("DemoPhone.json.unreadable")) << notice.toStdString();
    EXPECT_EQ(demo.phoneState().sm, PhoneSimState::showcase().sm);
    ASSERT_TRUE(demo.stop(&error));
    QFile aside(workDir.filePath("DemoPhone.json.unreadable"));
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), "{ not json");
    EXPECT_TRUE(QFile::exists(workDir.filePath("DemoPhone.json")));
}
