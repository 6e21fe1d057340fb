// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QAbstractItemView;

// Enter (or Return) on a list's current row does what a double click on it does.
void onEnterKey(QAbstractItemView* list, std::function<void()> action);
