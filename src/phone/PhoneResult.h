// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "link/Transact.h"

// What the code of a PhoneLink operation means to its callers: the phone did what was asked
// (the read, write or delete completed), or it did not (an error answer, silence, or text that
// was never sent).
inline constexpr int kPhoneDone = kTransactComplete;
inline constexpr int kPhoneRefused = kTransactFailed;
