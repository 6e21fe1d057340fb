// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Asks the program to end once the current command is done: the application quits its event
// loop; a program without one (or a test) installs its own handler.
void requestApplicationQuit();
// Null restores the default (a queued QCoreApplication::quit when an application exists).
void setApplicationQuitHandler(std::function<void()> handler);
