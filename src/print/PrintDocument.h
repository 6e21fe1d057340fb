// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

#include <functional>

#include "print/PrintTable.h"

class QPrinter;

enum class PrintOutcome {
    Printed,
    NothingChosen,  // no memory was chosen
    Cancelled,      // the printer dialog was cancelled
    FailedToStart,  // the printer refused the document
    Aborted,        // the user stopped the job
    Failed,         // a sheet could not be finished
};

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::Printed;
    int sheets = 0;  // sheets finished
};

// Prints each table on as many sheets as its rows need, one document named "Dexmoro". `goOn` is
// asked after every sheet; false aborts the document. An aborted document leaves no output file
// behind: a partial list on paper or in a file is worth less than none.
PrintResult printDocument(QPrinter& printer, const QList<PrintTable>& tables,
                          const std::function<bool()>& goOn);
