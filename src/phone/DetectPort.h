// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class Registry;

// Finds the maker's cable port among the registry's serial devices, writes it to the profile
// ("CONFIG"/"PORT") and returns it; 3 when no device matches.
int DetectPort(const Registry& registry);
