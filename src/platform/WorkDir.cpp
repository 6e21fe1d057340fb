// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WorkDir.h"

#include <QStandardPaths>

QString g_workDir;

QString defaultDataFolder() {
    // The generic location, not the application one: the command-line tool sets no
    // organisation or application name, and must still find the window's folder.
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/QUILLON/Dexmoro");
}
