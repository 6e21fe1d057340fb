#pragma once

#include <QString>

// Why an entry's name or dial string cannot go on the phone's command line (the one message to
// show), or empty when both can. Every memory is checked alike, since PC entries are copied to
// the phone later.
QString phonebookEntryTextProblem(const QString& name, const QString& dialString);

// Shows the problem (caption "ERROR", error icon) and returns true when there is one.
bool refuseUnsafeEntryText(const QString& name, const QString& dialString);
