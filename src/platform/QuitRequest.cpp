// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/QuitRequest.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace {
std::function<void()>& installedHandler() {
    static std::function<void()> handler;
    return handler;
}
}  // namespace

void requestApplicationQuit() {
    if (installedHandler()) {
        installedHandler()();
        return;
    }
    if (QCoreApplication* app = QCoreApplication::instance()) {
        QMetaObject::invokeMethod(app, &QCoreApplication::quit, Qt::QueuedConnection);
    }
}

void setApplicationQuitHandler(std::function<void()> handler) {
    installedHandler() = std::move(handler);
}
