// SPDX-License-Identifier: GPL-3.0-or-later
#include "PhoneSimRunner.h"

#include <QDeadlineTimer>

PhoneSimRunner::PhoneSimRunner(PhoneSimState state, PhoneSimOptions options)
    : server_(std::make_unique<PhoneSimServer>(std::move(state), std::move(options))) {
    started_ = server_->start(&error_);
}

PhoneSimProcess::PhoneSimProcess(const QString& programPath, const QStringList& arguments,
                                 int startTimeoutMs) {
    process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process_.start(programPath, arguments);
    if (!process_.waitForStarted(startTimeoutMs)) {
        error_ = QStringLiteral("cannot start %1: %2").arg(programPath, process_.errorString());
        return;
    }
    const QDeadlineTimer deadline(startTimeoutMs);
    while (!process_.canReadLine()) {
        if (process_.state() != QProcess::Running || deadline.hasExpired() ||
            !process_.waitForReadyRead(static_cast<int>(deadline.remainingTime()))) {
            if (process_.canReadLine())
                break;
            error_ = QStringLiteral("%1 printed no device path").arg(programPath);
            return;
        }
    }
    slavePath_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
}

PhoneSimProcess::~PhoneSimProcess() {
    if (process_.state() != QProcess::NotRunning && stop() == -1) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

int PhoneSimProcess::stop(int timeoutMs) {
    if (process_.state() == QProcess::NotRunning)
        return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
    process_.terminate();
    if (!process_.waitForFinished(timeoutMs))
        return -1;
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}
