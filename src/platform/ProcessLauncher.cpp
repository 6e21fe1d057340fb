// SPDX-License-Identifier: GPL-3.0-or-later
#include <QCoreApplication>
#include <QProcess>

#include "platform/ProgramLauncher.h"

namespace {
constexpr int kStartTimeoutMs = 10000;
constexpr int kPollMs = 20;
}  // namespace

bool ProcessLauncher::startAndWait(const QString& path) {
    if (path.isEmpty()) {
        return false;
    }
    QProcess process;
    process.setProgram(path);
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setInputChannelMode(QProcess::ForwardedInputChannel);
    process.start();
    if (!process.waitForStarted(kStartTimeoutMs)) {
        return false;
    }
    while (!process.waitForFinished(kPollMs)) {
        if (process.state() == QProcess::NotRunning) {
            break;
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
    return true;
}
