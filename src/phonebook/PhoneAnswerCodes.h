// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the phone link's phonebook calls return, named where the stores compare them.
namespace phonebook_answer {
inline constexpr int kDone = 0;
inline constexpr int kExtensionStoreFull = 2;  // a write whose answer holds "+CPBW: 1"
}  // namespace phonebook_answer
