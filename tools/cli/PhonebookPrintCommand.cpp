// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli phonebook print: the window's phonebook print without dialogs, into a PDF file.

#include "PhonebookPrintCommand.h"

#include <QFileInfo>
#include <QPrinter>

#include "CliContext.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "print/PrintDocument.h"
#include "print/PrintPhonebookTexts.h"

namespace {

QList<QStringList> listRows(PhonebookTable& table) {
    QList<QStringList> rows;
    for (const PhonebookListRow& row : table.RefillList(0).rows) {
        rows.append({row.number, row.name, row.phoneNumber});
    }
    return rows;
}

PrintTable tableOf(int memory) {
    if (memory == MemorySim) {
        CSimViewDB sim;
        return phonebookPrintTable(memory, listRows(sim));
    }
    if (memory == MemoryMs) {
        CMsListDB ms;
        return phonebookPrintTable(memory, listRows(ms));
    }
    CPCListDB pc;
    return phonebookPrintTable(memory, listRows(pc));
}

// "sim,ms,pc" in any order and case; false on an unknown name.
bool parseMemories(const QString& text, bool chosen[3]) {
    const QStringList names{QStringLiteral("sim"), QStringLiteral("ms"), QStringLiteral("pc")};
    for (const QString& part : text.split(QLatin1Char(','))) {
        const qsizetype memory = names.indexOf(part.trimmed().toLower());
        if (memory < 0) {
            return false;
        }
        chosen[memory] = true;
    }
    return true;
}

}  // namespace

int runPhonebookPrintCommand(CliContext& context, const QStringList& arguments) {
    bool chosen[3] = {false, false, false};
    bool memoryGiven = false;
    QString pdf;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        QString value;
        const bool hasValue = i + 1 < arguments.size();
        if (arg == QLatin1String("--memory") || arg.startsWith(QLatin1String("--memory="))) {
            value = arg.contains(QLatin1Char('=')) ? arg.section(QLatin1Char('='), 1)
                                                   : (hasValue ? arguments[++i] : QString());
            if (!parseMemories(value, chosen)) {
                return context.usageError(
                    "--memory takes sim, ms and pc separated by commas, e.g. --memory sim,pc");
            }
            memoryGiven = true;
        } else if (arg == QLatin1String("--pdf") || arg.startsWith(QLatin1String("--pdf="))) {
            pdf = arg.contains(QLatin1Char('=')) ? arg.section(QLatin1Char('='), 1)
                                                 : (hasValue ? arguments[++i] : QString());
            if (pdf.isEmpty()) {
                return context.usageError("--pdf needs a file name");
            }
        } else {
            return context.usageError("phonebook print: unexpected argument " + arg);
        }
    }
    if (pdf.isEmpty()) {
        return context.usageError("phonebook print needs --pdf FILE");
    }
    if (!memoryGiven) {
        chosen[MemorySim] = true;  // as the window's choice opens
    }

    QList<PrintTable> tables;
    for (int memory : {MemorySim, MemoryMs, MemoryPc}) {
        if (chosen[memory]) {
            tables.append(tableOf(memory));
        }
    }
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QFileInfo(pdf).absoluteFilePath());
    const PrintResult result = printDocument(printer, tables, [] { return true; });
    if (result.outcome != PrintOutcome::Printed) {
        context.err() << (result.outcome == PrintOutcome::FailedToStart
                              ? "Failed to start print job.\n"
                              : "dexmoro-cli phonebook print: printing failed\n");
        context.err().flush();
        return 1;
    }
    context.out() << result.sheets << (result.sheets == 1 ? " sheet" : " sheets") << " printed to "
                  << QFileInfo(pdf).absoluteFilePath() << "\n";
    context.out().flush();
    return 0;
}

bool cliPrintsPages(int argc, char** argv) {
    bool phonebook = false;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "phonebook") == 0) {
            phonebook = true;
        } else if (phonebook && qstrcmp(argv[i], "print") == 0) {
            return true;
        }
    }
    return false;
}
