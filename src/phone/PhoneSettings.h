// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

#include "phone/PhoneCharset.h"

// Which phones the program talks to: the maker's own (its identification and features, other
// makers refused) or any phone or modem that answers the standard commands.
enum class PhoneProfile {
    Quillon,
    Standard,
};

QString phoneProfileValue(PhoneProfile profile);  // "quillon", "standard"
std::optional<PhoneProfile> phoneProfileFromValue(const QString& value);
QString phoneProfileLabel(PhoneProfile profile);

// How short messages travel: as text (the maker's phones' commands) or as PDUs, which carry
// long and Unicode messages.
enum class SmsFormat {
    Text,
    Pdu,
};

QString smsFormatValue(SmsFormat format);  // "text", "pdu"
std::optional<SmsFormat> smsFormatFromValue(const QString& value);
QString smsFormatLabel(SmsFormat format);

// Where short messages are kept on a standard phone: the SIM, or the phone's own memory where it
// offers one. The maker's phones always use the SIM.
enum class SmsStorage {
    Sim,
    Phone,
};

QString smsStorageValue(SmsStorage storage);  // "sim", "phone"
std::optional<SmsStorage> smsStorageFromValue(const QString& value);
QString smsStorageLabel(SmsStorage storage);

// The user's choices about how the program talks to the phone, kept in the profile's "CONFIG"
// section. The defaults are the commands the maker's phones have always been sent.
struct PhoneSettings {
    // CONFIG/CHARSET: the character set asked for after identification.
    PhoneCharset charset = PhoneCharset::Latin1;
    // CONFIG/FASTLOAD: whole lists in one answer instead of one slot per command.
    bool fastLoad = false;
    // CONFIG/PROFILE.
    PhoneProfile profile = PhoneProfile::Quillon;
    // CONFIG/SMSFORMAT; unset: the phone type's default (see messageFormat).
    std::optional<SmsFormat> smsFormat = std::nullopt;
    // CONFIG/SMSSTORAGE; used for standard phones only.
    SmsStorage smsStorage = SmsStorage::Sim;

    // The format in use: the choice made, else text for the maker's phones and PDU for others.
    SmsFormat messageFormat() const;
};

// The profile's settings; an unknown or missing value counts as its default.
PhoneSettings profilePhoneSettings();
void saveProfilePhoneSettings(const PhoneSettings& settings);

// What the command line gives for one run; unset fields keep the profile's.
struct PhoneSettingsOverride {
    std::optional<PhoneCharset> charset;
    std::optional<bool> fastLoad;
    std::optional<PhoneProfile> profile;
    std::optional<SmsFormat> smsFormat;
    std::optional<SmsStorage> smsStorage;
};

PhoneSettings withOverride(PhoneSettings settings, const PhoneSettingsOverride& override);
