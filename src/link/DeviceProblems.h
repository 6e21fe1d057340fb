// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Why a serial device could not be opened, told so that the user can mend it: the group to join
// when permission is denied, the program holding a busy device, the devices that do exist when
// the one named does not. Empty when the system gives no reason the user can act on.
QString deviceOpenProblem(const QString& path);

// The device went away while in use (a USB cable pulled): its node is gone.
bool deviceVanished(const QString& path);
QString deviceDisconnectedText(const QString& path);
