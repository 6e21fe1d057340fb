// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include "phonesim/PhoneSimState.h"
#include "phonesim/PhoneSimStateFile.h"
#include "support/TempWorkDir.h"

TEST(PhoneSimState, DemoSurvivesAJsonRoundTrip) {
    PhoneSimState state = PhoneSimState::demo();
    state.echo = false;
    state.maker = QString::fromLatin1("Quillon \xe9");
    state.selectedPhonebook = "me";
    state.me.entries[9] = {"+*31#12", 145, QString::fromLatin1("M\xfcller \"Q\"")};
    state.schedule[3] = {2, 1, 2027, 2, 28, 23, 59, 23, 50, "Call Joe"};
    state.todos[4] = {2, 1, 2027, 1, 2, "File taxes", "2027/01/03", "12:00"};
    state.outbox.push_back({"STO SENT", "+4912", 145, {}, "Hi, \"you\"", 145, 0, 255});
    state.smMessages.messages[3] = {"STO UNSENT", "0123", 129, {}, "Draft", 17, 0, 11};
    state.showHeader = 1;
    state.nextMessageReference = 7;

    const QByteArray text = QJsonDocument(state.toJson()).toJson();
    const PhoneSimState back = PhoneSimState::fromJson(QJsonDocument::fromJson(text).object());
    EXPECT_TRUE(back == state);
    EXPECT_EQ(back.me.entries.at(9).name, QString::fromLatin1("M\xfcller \"Q\""));
}

TEST(PhoneSimState, DemoHasRealisticBooksOfTheRightSize) {
    const PhoneSimState demo = PhoneSimState::demo();
    EXPECT_EQ(demo.sm.capacity, 250);
    EXPECT_EQ(demo.me.capacity, 500);
    EXPECT_GE(demo.sm.used(), 3);
    EXPECT_GE(demo.me.used(), 3);
    EXPECT_EQ(demo.extensionUsed, demo.countExtensions());
    EXPECT_EQ(demo.maker, "Quillon");
    EXPECT_EQ(demo.featureMask, 15);
}

TEST(PhoneSimState, MissingMembersKeepDefaultsAndTypesFollowThePlus) {
    const QJsonObject entry{{"index", 4}, {"dial", "+4455P1"}, {"name", "Zed"}};
    const QJsonObject sm{{"entries", QJsonArray{entry}}};
    const QJsonObject json{{"featureMask", 9}, {"phonebooks", QJsonObject{{"sm", sm}}}};
    const PhoneSimState state = PhoneSimState::fromJson(json);
    EXPECT_EQ(state.featureMask, 9);
    EXPECT_EQ(state.maker, "Quillon");
    EXPECT_TRUE(state.echo);
    EXPECT_EQ(state.sm.capacity, PhoneSimState().sm.capacity);
    EXPECT_EQ(state.sm.entries.at(4), (PhoneSimPhonebookEntry{"+4455P1", 145, "Zed"}));
    EXPECT_EQ(state.extensionUsed, 1);
    EXPECT_TRUE(state.me.entries.empty());
}

TEST(PhoneSimState, SavesAndLoadsAFile) {
    TempWorkDir dir;
    const QString path = dir.filePath("phone.json");
    PhoneSimState state = PhoneSimState::demo();
    state.sm.entries.erase(1);
    QString error;
    ASSERT_TRUE(savePhoneSimState(path, state, &error)) << error.toStdString();
    PhoneSimState loaded;
    ASSERT_TRUE(loadPhoneSimState(path, &loaded, &error)) << error.toStdString();
    EXPECT_TRUE(loaded == state);

    QFile broken(dir.filePath("broken.json"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("{ not json");
    broken.close();
    EXPECT_FALSE(loadPhoneSimState(broken.fileName(), &loaded, &error));
    EXPECT_FALSE(error.isEmpty());
}
