// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The program file dialog: an open-file dialog for existing programs, several selectable.
namespace ProgramFileDialog {

// The dialog's filters, from the "name|pattern|name|pattern||" filter string.
QStringList nameFilters(const QString& filter);

// The chosen program's full path (the first one when several are chosen), or empty.
QString choose(QWidget* parent);

}  // namespace ProgramFileDialog
