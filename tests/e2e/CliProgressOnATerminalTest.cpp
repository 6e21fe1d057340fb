// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli's progress when stderr is a terminal (one line rewritten in place) and when it is
// a pipe (a line for every ten percent).

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include "support/PhoneSimRunner.h"
#include "support/ProgramRun.h"

namespace {

PhoneSimState smallPhone() {
    PhoneSimState state;
    state.sm = PhoneSimPhonebook{20, {}};
    state.me = PhoneSimPhonebook{30, {}};
    state.sm.entries[3] = PhoneSimPhonebookEntry{"+4411", 145, "Anna"};
    state.me.entries[7] = PhoneSimPhonebookEntry{"123", 129, "Bert"};
    return state;
}

// Runs the program with stderr on a fresh pseudo-terminal; returns what the terminal received.
QByteArray runWithStderrOnTerminal(const QStringList& arguments, int* exitCode) {
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0) {
        ADD_FAILURE() << "no pseudo-terminal";
        return {};
    }
    termios raw{};
    tcgetattr(slave, &raw);
    cfmakeraw(&raw);  // bytes as written, no newline translation
    tcsetattr(slave, TCSANOW, &raw);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    QProcess process;
    process.setProcessEnvironment(privateHomeEnvironment());
    process.setChildProcessModifier([slave] { dup2(slave, STDERR_FILENO); });
    process.start(DEXMORO_CLI_PATH, arguments);
    const bool started = process.waitForStarted(10000);
    close(slave);
    QByteArray received;
    auto drain = [&] {
        char buffer[4096];
        for (;;) {
            const ssize_t n = read(master, buffer, sizeof buffer);
            if (n <= 0) {
                break;
            }
            received.append(buffer, n);
        }
    };
    if (started) {
        // Read while it runs: a full terminal buffer would stop the program.
        for (int waited = 0; waited < 120000 && !process.waitForFinished(20); waited += 20) {
            drain();
        }
        drain();
    }
    close(master);
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return received;
}

}  // namespace

TEST(CliProgressTest, OnATerminalEachLoadIsOneLineRewrittenInPlace) {
    PhoneSimRunner phone(smallPhone());
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    QTemporaryDir dir;
    int exitCode = -1;
    const QByteArray err = runWithStderrOnTerminal(
        {"--workdir", dir.path(), "--device", phone.slavePath(), "phonebook", "load"}, &exitCode);
    ASSERT_EQ(exitCode, 0) << err.toStdString();

    const QList<QByteArray> lines = err.split('\n');
    ASSERT_EQ(lines.size(), 3) << err.toStdString();  // two lines, each ended
    EXPECT_TRUE(lines[2].isEmpty());
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        QList<QByteArray> frames = lines[i].split('\r');
        ASSERT_TRUE(frames.takeFirst().isEmpty());  // every frame starts at the line's start
        // One frame a percent at most, and more than the ten steps of the plain output.
        EXPECT_GT(frames.size(), 10);
        EXPECT_LE(frames.size(), 52);
        const QByteArray caption = i == 0 ? "Phone Book SIM Load" : "Phone Book MS Load";
        for (const QByteArray& frame : frames) {
            EXPECT_TRUE(frame.startsWith(caption + " Loading.... ")) << frame.toStdString();
        }
        EXPECT_EQ(frames.last().trimmed(), caption + " Loading.... " + (i == 0 ? "50%" : "100%"));
    }
}

TEST(CliProgressTest, ThroughAPipeItPrintsALineForEveryTenPercent) {
    PhoneSimRunner phone(smallPhone());
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    QTemporaryDir dir;
    const ProgramRun run = runProgram(DEXMORO_CLI_PATH, {"--workdir", dir.path(), "--device",
                                                         phone.slavePath(), "phonebook", "load"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains('\r'));
    EXPECT_TRUE(run.err.startsWith("Phone Book SIM Load Loading....\nPhone Book SIM Load: 0%\n"))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("Phone Book SIM Load: 50%\nPhone Book MS Load Loading....\n"));
    EXPECT_TRUE(run.err.endsWith("Phone Book MS Load: 100%\n")) << run.err.toStdString();
}
