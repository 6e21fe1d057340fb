// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TempWorkDir.h"

#include <QDir>

#include "db/DatabaseConnection.h"

TempWorkDir::TempWorkDir() : previous_(QDir::currentPath()) {
    QDir::setCurrent(dir_.path());
}

TempWorkDir::~TempWorkDir() {
    // The database files of this folder go with it.
    closeAllDatabases();
    QDir::setCurrent(previous_);
}
