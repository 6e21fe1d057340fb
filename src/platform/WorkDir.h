// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The program's working directory, where the database files lie. Set when the SIM phonebook
// store forms its database path and by the Link Program command.
extern QString g_workDir;

// The folder the window and the command-line tool keep their database files in unless told
// otherwise, so that both see one cache: the user's data folder for QUILLON's Dexmoro
// (on Linux ~/.local/share/QUILLON/Dexmoro). It is not created here.
QString defaultDataFolder();
