// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include "link/LinkClock.h"
#include "link/SerialPort.h"
#include "support/FakeClock.h"
#include "support/FakeSerialDevice.h"

// The wall clock lets timer events through while a transaction waits, and the guard keeps a
// transaction started from such a timer off the wire.
TEST(RealLinkClock, TimerDuringATransactionCannotStartAnother) {
    ASSERT_NE(QCoreApplication::instance(), nullptr);
    FakeClock lineTime;  // the fake line's own schedule; the port waits on the wall clock
    auto owned = std::make_unique<FakeSerialDevice>(lineTime);
    FakeSerialDevice* line = owned.get();
    SerialPort port(1, 38400, 8, 0, 0, 0, std::move(owned), &realLinkClock());
    port.setDevicePath("/dev/fake");
    ASSERT_TRUE(port.Open());
    line->setResponder([](const QByteArray&) { return QList<FakeChunk>{{30, "\r\nOK\r\n"}}; });

    bool timerRan = false;
    int nestedCode = -1;
    QTimer::singleShot(0, [&] {
        timerRan = true;
        QByteArray nestedAnswer;
        nestedCode = port.Transact("at+inner\r", nestedAnswer);
    });
    QByteArray answer;
    EXPECT_EQ(port.Transact("at+outer\r", answer), 0);
    EXPECT_EQ(answer, "\r\nOK\r\n");
    EXPECT_TRUE(timerRan);
    EXPECT_EQ(nestedCode, 1);
    EXPECT_EQ(line->writes(), QList<QByteArray>{"at+outer\r"});
}
