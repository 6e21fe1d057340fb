// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/ui/PrintPhonebooks.h"

#include "phonebook/ui/PrintSelectDialog.h"

PrintResult printPhonebooks(QWidget* mainWindow, const PrintTable& sim, const PrintTable& ms,
                            const PrintTable& pc, const PrintPhonebooksSeams& seams) {
    PrintSelectDialog choice(mainWindow);
    const int answer = seams.execDialog ? seams.execDialog(choice) : choice.exec();
    if (answer != QDialog::Accepted) {
        return PrintResult{PrintOutcome::Cancelled, 0};
    }
    QList<PrintTable> tables;
    if (choice.simChosen()) {
        tables.append(sim);
    }
    if (choice.msChosen()) {
        tables.append(ms);
    }
    if (choice.pcChosen()) {
        tables.append(pc);
    }
    if (tables.isEmpty()) {
        return PrintResult{PrintOutcome::NothingChosen, 0};
    }
    PrintJob job(mainWindow);
    if (seams.printerDialog) {
        job.setPrinterDialog(seams.printerDialog);
    }
    return job.run(tables);
}
