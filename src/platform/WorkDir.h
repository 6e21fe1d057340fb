#pragma once

#include <QString>

// The program's working directory, where the database files lie. Set when the SIM phonebook
// store forms its database path and by the Link Program command.
extern QString g_workDir;
