// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QDialog;

// The message dialogs run modally through this, so that tests can drive a dialog instead of
// exec(). Without a runner set, exec().
int runSmsDialog(QDialog& dialog);
void setSmsDialogRunner(std::function<int(QDialog&)> runner);
