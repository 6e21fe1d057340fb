// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class CliContext;

// "phonebook print [--memory sim,ms,pc] --pdf FILE": prints the chosen lists of phonebook.mdb
// to a PDF file, laid out as the window prints them (a relative FILE lies in the working
// directory). arguments: everything after "print".
int runPhonebookPrintCommand(CliContext& context, const QStringList& arguments);

// Printing lays out text, which needs the GUI application (fonts) though never a screen: true
// when the command line asks for "phonebook print".
bool cliPrintsPages(int argc, char** argv);
