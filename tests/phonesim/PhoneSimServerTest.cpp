// SPDX-License-Identifier: GPL-3.0-or-later
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QSerialPort>
#include <QThread>

#include "support/PhoneSimRunner.h"
#include "support/TempWorkDir.h"

namespace {

// A host end of the line with plain POSIX calls.
class HostPort {
  public:
    explicit HostPort(const QString& path)
        : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_NOCTTY)) {}
    ~HostPort() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    bool isOpen() const { return fd_ >= 0; }
    bool write(const QByteArray& bytes) {
        return ::write(fd_, bytes.constData(), bytes.size()) == bytes.size();
    }
    // Reads until the text ends with `end`, the line hangs up or the wait runs out.
    QByteArray readUntil(const QByteArray& end, int waitMs, bool* hungUp = nullptr) {
        QByteArray got;
        QDeadlineTimer deadline(waitMs);
        while (!got.endsWith(end) && !deadline.hasExpired()) {
            pollfd fd{fd_, POLLIN, 0};
            if (::poll(&fd, 1, static_cast<int>(deadline.remainingTime())) <= 0)
                break;
            char buffer[512];
            const ssize_t n = ::read(fd_, buffer, sizeof buffer);
            if (n <= 0) {
                if (hungUp)
                    *hungUp = true;
                break;
            }
            got.append(buffer, n);
        }
        return got;
    }

  private:
    int fd_;
};

constexpr int kGenerousMs = 5000;

}  // namespace

TEST(PhoneSimServer, AnswersOverARealPseudoTerminalAndSurvivesAReopen) {
    PhoneSimRunner phone;
    ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
    {
        HostPort host(phone.slavePath());
        ASSERT_TRUE(host.isOpen());
        ASSERT_TRUE(host.write("at+cgmi\r"));
        EXPECT_EQ(host.readUntil("OK\r\n", kGenerousMs),
                  QByteArray("at+cgmi\r\r\nQuillon\r\n\r\nOK\r\n"));
        ASSERT_TRUE(host.write("at+cpbw=3,0,\"42\",129,\"Zoe\"\r"));
        EXPECT_TRUE(host.readUntil("OK\r\n", kGenerousMs).endsWith("\r\nOK\r\n"));
    }
    HostPort again(phone.slavePath());
    ASSERT_TRUE(again.isOpen());
    ASSERT_TRUE(again.write("at+crfo\r"));
    EXPECT_EQ(again.readUntil("OK\r\n", kGenerousMs),
              QByteArray("at+crfo\r\r\n+CRFO: 15\r\n\r\nOK\r\n"));
    EXPECT_EQ(phone.state().sm.entries.at(3).name, "Zoe");
    EXPECT_EQ(phone.server().commandCount(), 3);
}

TEST(PhoneSimServer, WorksWithQSerialPortAndChunkedAnswers) {
    PhoneSimOptions options;
    options.chunkBytes = 4;
    options.chunkGapMs = 1;
    PhoneSimRunner phone(PhoneSimState::demo(), options);
    ASSERT_TRUE(phone.ok());
    QSerialPort port(phone.slavePath());
    port.setBaudRate(38400);
    ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
    port.write("at+cpbs?\r");
    ASSERT_TRUE(port.waitForBytesWritten(kGenerousMs));
    QByteArray got;
    QDeadlineTimer deadline(kGenerousMs);
    while (!got.endsWith("OK\r\n") && !deadline.hasExpired() &&
           port.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
        got += port.readAll();
    EXPECT_EQ(got, QByteArray("at+cpbs?\r\r\n+CPBS: \"SM\",6,250\r\n\r\nOK\r\n"));
}

TEST(PhoneSimServer, SilentPhoneAnswersNothing) {
    PhoneSimOptions options;
    options.silent = true;
    PhoneSimRunner phone(PhoneSimState::demo(), options);
    ASSERT_TRUE(phone.ok());
    HostPort host(phone.slavePath());
    ASSERT_TRUE(host.write("at+cgmi\r"));
    EXPECT_EQ(host.readUntil("OK\r\n", 300), QByteArray());
}

TEST(PhoneSimServer, HangsUpWhenTheCommandAfterTheLimitArrives) {
    PhoneSimOptions options;
    options.dropAfterCommands = 1;
    PhoneSimRunner phone(PhoneSimState::demo(), options);
    ASSERT_TRUE(phone.ok());
    HostPort host(phone.slavePath());
    ASSERT_TRUE(host.write("at+cpbw=1\r"));
    EXPECT_EQ(host.readUntil("OK\r\n", kGenerousMs), QByteArray("at+cpbw=1\r\r\nOK\r\n"));
    ASSERT_TRUE(host.write("at+cpbw=2\r"));
    bool hungUp = false;
    EXPECT_EQ(host.readUntil("OK\r\n", kGenerousMs, &hungUp), QByteArray());
    EXPECT_TRUE(hungUp);
    // The host sees the hang-up as soon as the master closes; the server thread notes it
    // just after.
    QDeadlineTimer deadline(kGenerousMs);
    while (phone.server().isServing() && !deadline.hasExpired()) {
        QThread::msleep(5);
    }
    EXPECT_FALSE(phone.server().isServing());
    // The command that met the hang-up was not carried out.
    EXPECT_EQ(phone.state().sm.entries.count(1), 0u);
    EXPECT_EQ(phone.state().sm.entries.count(2), 1u);
}

TEST(PhoneSimServer, LinksTheSlaveAndWritesATranscript) {
    TempWorkDir dir;
    PhoneSimOptions options;
    options.linkPath = dir.filePath("phone-link");
    options.transcriptPath = dir.filePath("transcript.txt");
    {
        PhoneSimRunner phone(PhoneSimState::demo(), options);
        ASSERT_TRUE(phone.ok()) << phone.error().toStdString();
        EXPECT_EQ(QFileInfo(options.linkPath).symLinkTarget(), phone.slavePath());
        HostPort host(options.linkPath);
        ASSERT_TRUE(host.write("at\r"));
        EXPECT_EQ(host.readUntil("OK\r\n", kGenerousMs), QByteArray("at\r\r\nOK\r\n"));
    }
    EXPECT_FALSE(QFileInfo(options.linkPath).isSymLink());
    QFile transcript(options.transcriptPath);
    ASSERT_TRUE(transcript.open(QIODevice::ReadOnly));
    const QByteArray log = transcript.readAll();
    EXPECT_TRUE(log.contains("host  at\\r\n")) << log.constData();
    EXPECT_TRUE(log.contains("phone ")) << log.constData();
    EXPECT_TRUE(log.contains("OK\\r\\n")) << log.constData();
}
