// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// One list as the list printer sees it: where it comes from (a list control or a table of the
// store) does not matter to the printer.
struct PrintColumn {
    int width = 0;  // in the list's own units; only the shares between columns count
    Qt::Alignment alignment = Qt::AlignLeft;
    QString header;
};

struct PrintTable {
    QString title;   // the title line, drawn left of the page line
    QString footer;  // the footer line at the bottom margin
    QList<PrintColumn> columns;
    QList<QStringList> rows;  // cell texts in column order
};
