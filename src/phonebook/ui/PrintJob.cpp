// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/ui/PrintJob.h"

#include <QCoreApplication>
#include <QPrintDialog>
#include <QWidget>

#include "phonebook/ui/PrintAbortWindow.h"
#include "platform/Prompter.h"
#include "print/ListPrinter.h"

bool showPrinterDialog(QPrinter& printer, QWidget* parent, int sheets) {
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, std::max(1, sheets));
    printer.setFromTo(1, std::max(1, sheets));
    return dialog.exec() == QDialog::Accepted;
}

PrintJob::PrintJob(QWidget* mainWindow)
    : mainWindow_(mainWindow), printerDialog_(showPrinterDialog) {}

PrintJob::~PrintJob() {
    delete abortWindow_;
}

bool PrintJob::abortProc() {
    if (!aborted_) {
        QCoreApplication::processEvents();
    }
    return !aborted_;
}

PrintResult PrintJob::run(const QList<PrintTable>& tables) {
    if (tables.isEmpty()) {
        return PrintResult{PrintOutcome::NothingChosen, 0};
    }
    int sheets = 0;
    const ListPrinter estimate(printer_);
    for (const PrintTable& table : tables) {
        sheets += estimate.pageCount(table);
    }
    if (!printerDialog_(printer_, mainWindow_, sheets)) {
        return PrintResult{PrintOutcome::Cancelled, 0};
    }

    aborted_ = false;
    if (mainWindow_) {
        mainWindow_->setEnabled(false);
    }
    abortWindow_ = new PrintAbortWindow(aborted_, mainWindow_);
    abortWindow_->setEnabled(true);  // a window stays usable under its disabled owner
    abortWindow_->show();

    const PrintResult result = printDocument(printer_, tables, [this] { return abortProc(); });

    delete abortWindow_;
    abortWindow_ = nullptr;
    if (mainWindow_) {
        mainWindow_->setEnabled(true);
    }
    if (result.outcome == PrintOutcome::FailedToStart) {
        showMessage(QStringLiteral("Failed to start print job."), QStringLiteral("Dexmoro"),
                    PromptIcon::Warning);
    }
    return result;
}
