// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class CliContext;

// "sms send" and "sms save": arguments start with the action word.
bool isSmsSendAction(const QString& action);
int runSmsSendOrSave(CliContext& context, const QStringList& arguments);
