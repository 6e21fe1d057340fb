// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "print/PrintTable.h"

class QTableWidget;
class QTreeWidget;

// Reads a list as it is shown: visible rows in their current (sorted, filtered) order, visible
// columns in their on-screen order with their widths, header texts and alignment. A column's
// alignment is that of its cells when the first row sets one, else that of its header.
PrintTable printTableFromList(const QTreeWidget& list, const QString& title, const QString& footer);
PrintTable printTableFromList(const QTableWidget& list, const QString& title,
                              const QString& footer);

// The same with the phonebook texts of a memory (0 SIM, 1 MS, 2 PC).
PrintTable phonebookPrintTableFromList(int memory, const QTreeWidget& list);
PrintTable phonebookPrintTableFromList(int memory, const QTableWidget& list);
