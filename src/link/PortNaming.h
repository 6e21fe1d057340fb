// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The device a port number names: the profile value "CONFIG"/"DEVICE<n>" when set, else
// /dev/ttyS<n-1> (COM<n> on Windows).
QString devicePathForPort(int portNumber);
