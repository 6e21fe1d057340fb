// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include "phonebook/ui/PrintJob.h"

class QDialog;
class QWidget;

// The view's Print command: the "Print Phone Book" choice, then one print job over the chosen
// lists in the order SIM, MS, PC.
struct PrintPhonebooksSeams {
    // Runs a modal dialog and returns its result code; tests drive the dialog instead.
    std::function<int(QDialog&)> execDialog;
    PrintJob::PrinterDialog printerDialog;
};

PrintResult printPhonebooks(QWidget* mainWindow, const PrintTable& sim, const PrintTable& ms,
                            const PrintTable& pc, const PrintPhonebooksSeams& seams = {});
