// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class QMenu;

// Alt+letter for menus built at run time: each text without a mnemonic gets the first letter
// not yet taken in its menu, a word's first letter before any other. Texts with one keep it.
QStringList withMnemonics(const QStringList& texts);
// The same for a menu's actions and, in turn, its submenus.
void addMnemonics(QMenu* menu);
