// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/PhoneSettings.h"

#include "platform/Profile.h"

namespace {

const QString kSection = QStringLiteral("CONFIG");

}  // namespace

PhoneSettings profilePhoneSettings() {
    PhoneSettings settings;
    const QString charset = Profile::value(kSection, QStringLiteral("CHARSET")).toString();
    settings.charset = phoneCharsetFromValue(charset).value_or(PhoneCharset::Latin1);
    settings.fastLoad = Profile::intValue(kSection, QStringLiteral("FASTLOAD"), 0) != 0;
    return settings;
}

void saveProfilePhoneSettings(const PhoneSettings& settings) {
    Profile::setValue(kSection, QStringLiteral("CHARSET"), phoneCharsetValue(settings.charset));
    Profile::setValue(kSection, QStringLiteral("FASTLOAD"), settings.fastLoad ? 1 : 0);
}

PhoneSettings withOverride(PhoneSettings settings, const PhoneSettingsOverride& override) {
    if (override.charset) {
        settings.charset = *override.charset;
    }
    if (override.fastLoad) {
        settings.fastLoad = *override.fastLoad;
    }
    return settings;
}
