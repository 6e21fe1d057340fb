// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "support/PhoneSimRunner.h"
#include "support/ProgramRun.h"

// Message reads over a pseudo-terminal from a phone that announces wrong text lengths or none,
// its answers delivered a line at a time, slower than a poll.

namespace {

PhoneSimMessage received(const QString& text, int announcedLength = -1) {
    PhoneSimMessage m;
    m.status = "REC READ";
    m.address = "+4911";
    m.addressType = 145;
    m.timestamp = "26/12/01,09:14:22+00";
    m.text = text;
    m.announcedLength = announcedLength;
    return m;
}

class SmsWrongLengthTest : public ::testing::Test {
  protected:
    SmsWrongLengthTest() {
        PhoneSimState state = PhoneSimState::demo();
        state.smMessages.capacity = 7;
        state.smMessages.messages.clear();
        const QString lines = "OK\r\nERROR\r\n>";
        state.smMessages.messages[1] = received("Hello World", 4);
        state.smMessages.messages[2] = received("Running late", 12 + 20);
        state.smMessages.messages[3] = received(lines);
        state.smMessages.messages[4] = received(lines, lines.size() + 20);
        PhoneSimMessage bare = received("Is that OK\r\nsee you");
        bare.omitHeaderDetails = true;
        state.smMessages.messages[5] = bare;
        state.smMessages.messages[7] = received("The last one");
        PhoneSimOptions options;
        options.lineByLine = true;
        options.chunkGapMs = 150;
        phone = std::make_unique<PhoneSimRunner>(state, options);
    }

    ProgramRun cli(const QStringList& arguments) {
        return runProgram(
            DEXMORO_CLI_PATH,
            QStringList{"--workdir", dir.path(), "--device", phone->slavePath()} + arguments);
    }
    // The stored text of a location.
    QString text(int index) {
        const ProgramRun show = cli({"sms", "show", "--index", QString::number(index)});
        // The text, without the line end "show" closes its output with.
        return show.out.mid(show.out.indexOf("\n\n") + 2).chopped(1);
    }

    QTemporaryDir dir;
    std::unique_ptr<PhoneSimRunner> phone;
};

}  // namespace

TEST_F(SmsWrongLengthTest, EveryTextIsStoredWholeInItsOwnLocation) {
    ASSERT_TRUE(phone->ok()) << phone->error().toStdString();
    const ProgramRun load = cli({"sms", "load"});
    ASSERT_EQ(load.exitCode, 0) << load.err.toStdString();
    EXPECT_EQ(load.out, "sms: 6 messages\n");
    EXPECT_EQ(text(1), "Hello World");
    EXPECT_EQ(text(2), "Running late");
    EXPECT_EQ(text(3), "OK\r\nERROR\r\n>");
    EXPECT_EQ(text(4), "OK\r\nERROR\r\n>");
    EXPECT_EQ(text(5), "Is that OK\r\nsee you");
    EXPECT_EQ(text(7), "The last one");
    const ProgramRun bare = cli({"sms", "show", "--index", "5"});
    EXPECT_TRUE(bare.out.contains("Date: 26/12/01,09:14:22+00\n")) << bare.out.toStdString();
    EXPECT_TRUE(bare.out.contains("Status: Read\n")) << bare.out.toStdString();
}
