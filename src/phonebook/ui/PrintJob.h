// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPrinter>

#include <functional>

#include "print/PrintDocument.h"

class QWidget;
class PrintAbortWindow;

// One print run from the window: the printer dialog, then the document with the main window
// disabled and the abort window up, then the main window back.
class PrintJob {
  public:
    // Asks the user for the printer; false cancels the job. Tests put a PDF file here instead.
    using PrinterDialog = std::function<bool(QPrinter& printer, QWidget* parent, int sheets)>;

    explicit PrintJob(QWidget* mainWindow);
    ~PrintJob();

    void setPrinterDialog(PrinterDialog dialog) { printerDialog_ = std::move(dialog); }
    QPrinter& printer() { return printer_; }

    PrintResult run(const QList<PrintTable>& tables);

    // Lets pending events through (the abort window among them); false once the user aborted.
    bool abortProc();
    bool aborted() const { return aborted_; }
    PrintAbortWindow* abortWindow() const { return abortWindow_; }

  private:
    QWidget* mainWindow_;
    QPrinter printer_{QPrinter::HighResolution};
    PrinterDialog printerDialog_;
    bool aborted_ = false;
    PrintAbortWindow* abortWindow_ = nullptr;
};

// The standard printer dialog, starting at page 1.
bool showPrinterDialog(QPrinter& printer, QWidget* parent, int sheets);
