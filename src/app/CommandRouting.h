// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

class QObject;

// Commands travel as slot names with int arguments, so that a view handles a command simply by
// having the slot, and the frame can grey what the view showing cannot do.

bool hasCommandSlot(const QObject* target, const QByteArray& slot, int argumentCount);

// A view that greys some of its commands by its own state answers
// `Q_INVOKABLE bool isCommandEnabled(const QByteArray& slot) const`; other views allow all of them.
bool commandEnabledByView(const QObject* target, const QByteArray& slot);

// Calls the slot directly; false when the target has no such slot.
bool invokeCommand(QObject* target, const QByteArray& slot, const QList<int>& arguments = {});
