// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/PrintDocument.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>

#include "print/ListPrinter.h"

namespace {
void dropDocument(QPrinter& printer, QPainter& painter) {
    const bool spoolerAborted = printer.abort();
    painter.end();
    if (!spoolerAborted && printer.outputFormat() == QPrinter::PdfFormat &&
        !printer.outputFileName().isEmpty()) {
        QFile::remove(printer.outputFileName());
    }
}
}  // namespace

PrintResult printDocument(QPrinter& printer, const QList<PrintTable>& tables,
                          const std::function<bool()>& goOn) {
    PrintResult result;
    if (tables.isEmpty()) {
        result.outcome = PrintOutcome::NothingChosen;
        return result;
    }
    printer.setDocName(QStringLiteral("Dexmoro"));
    QPainter painter;
    if (!painter.begin(&printer)) {
        result.outcome = PrintOutcome::FailedToStart;
        return result;
    }
    const ListPrinter listPrinter(printer);
    for (const PrintTable& table : tables) {
        const int pages = listPrinter.pageCount(table);
        for (int page = 1; page <= pages; ++page) {
            if (result.sheets > 0 && !printer.newPage()) {
                result.outcome = PrintOutcome::Failed;
                dropDocument(printer, painter);
                return result;
            }
            listPrinter.printSheet(painter, table, page);
            ++result.sheets;
            if (!goOn()) {
                result.outcome = PrintOutcome::Aborted;
                dropDocument(printer, painter);
                return result;
            }
        }
    }
    if (!painter.end()) {
        result.outcome = PrintOutcome::Failed;
    }
    return result;
}
