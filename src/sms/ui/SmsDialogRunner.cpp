// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/ui/SmsDialogRunner.h"

#include <QDialog>

namespace {
std::function<int(QDialog&)>& runner() {
    static std::function<int(QDialog&)> current;
    return current;
}
}  // namespace

int runSmsDialog(QDialog& dialog) {
    return runner() ? runner()(dialog) : dialog.exec();
}

void setSmsDialogRunner(std::function<int(QDialog&)> runner_) {
    runner() = std::move(runner_);
}
