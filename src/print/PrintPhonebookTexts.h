// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintTable.h"

// The fixed texts and columns of a printed phonebook list. Memories: 0 SIM, 1 MS, 2 PC.
QString phonebookPrintTitle(int memory);
QString phonebookPrintFooter();
QList<PrintColumn> phonebookPrintColumns();

// A phonebook list with its title, footer and the three standard columns, filled with rows of
// the three column texts (number, name, dial string as shown).
PrintTable phonebookPrintTable(int memory, const QList<QStringList>& rows);
