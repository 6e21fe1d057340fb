// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ProgramFileDialog.h"

#include <QFileDialog>

#include "shell/LinkedProgram.h"

QStringList ProgramFileDialog::nameFilters(const QString& filter) {
    const QStringList parts = filter.split('|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) {
            break;
        }
        // "*.*" means every file; here not every file name has a dot.
        QString pattern = parts[i + 1];
        pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
        QString name = parts[i];
        if (const qsizetype open = name.lastIndexOf('('); open > 0 && name.endsWith(')')) {
            name = name.left(open).trimmed();
        }
        filters.append(QStringLiteral("%1 (%2)").arg(name, pattern));
    }
    return filters;
}

QString ProgramFileDialog::choose(QWidget* parent) {
    QFileDialog dialog(parent);
    dialog.setObjectName("programFileDialog");
    dialog.setFileMode(QFileDialog::ExistingFiles);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    // Programs here carry no ".exe": no suffix is added to a typed name, and the dialog opens
    // on every file with the ".exe" filter one choice away.
    const QStringList filters = nameFilters(QString::fromLatin1(kProgramFileFilter));
    dialog.setNameFilters(filters);
    dialog.selectNameFilter(filters.last());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().first();
}
