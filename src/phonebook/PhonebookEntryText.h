// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

#include "platform/Notice.h"

// Why an entry's name or dial string cannot go on the phone's command line (the one message to
// show), or empty when both can. Every memory is checked alike, since PC entries are copied to
// the phone later.
QString phonebookEntryTextProblem(const QString& name, const QString& dialString);

// The problem as the user is told it (caption "ERROR", error icon); none when there is none.
std::optional<Notice> unsafeEntryTextNotice(const QString& name, const QString& dialString);
