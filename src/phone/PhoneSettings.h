// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include "phone/PhoneCharset.h"

// The user's choices about how the program talks to the phone, kept in the profile's "CONFIG"
// section. The defaults are the commands the maker's phones have always been sent.
struct PhoneSettings {
    // CONFIG/CHARSET: the character set asked for after identification.
    PhoneCharset charset = PhoneCharset::Latin1;
    // CONFIG/FASTLOAD: whole lists in one answer instead of one slot per command.
    bool fastLoad = false;
};

// The profile's settings; an unknown or missing value counts as its default.
PhoneSettings profilePhoneSettings();
void saveProfilePhoneSettings(const PhoneSettings& settings);

// What the command line gives for one run; unset fields keep the profile's.
struct PhoneSettingsOverride {
    std::optional<PhoneCharset> charset;
    std::optional<bool> fastLoad;
};

PhoneSettings withOverride(PhoneSettings settings, const PhoneSettingsOverride& override);
