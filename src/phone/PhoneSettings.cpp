// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/PhoneSettings.h"

#include "platform/Profile.h"

namespace {

const QString kSection = QStringLiteral("CONFIG");

// The choice whose profile value the text names, in any case.
template <typename Choice>
std::optional<Choice> choiceNamed(const QString& value, std::initializer_list<Choice> choices,
                                  QString (*valueOf)(Choice)) {
    for (const Choice choice : choices) {
        if (value.compare(valueOf(choice), Qt::CaseInsensitive) == 0) {
            return choice;
        }
    }
    return std::nullopt;
}

}  // namespace

QString phoneProfileValue(PhoneProfile profile) {
    return profile == PhoneProfile::Standard ? QStringLiteral("standard")
                                             : QStringLiteral("quillon");
}

std::optional<PhoneProfile> phoneProfileFromValue(const QString& value) {
    return choiceNamed(value, {PhoneProfile::Quillon, PhoneProfile::Standard}, phoneProfileValue);
}

QString phoneProfileLabel(PhoneProfile profile) {
    return profile == PhoneProfile::Standard ? QStringLiteral("Any standard phone or modem")
                                             : QStringLiteral("Quillon phones");
}

QString smsFormatValue(SmsFormat format) {
    return format == SmsFormat::Pdu ? QStringLiteral("pdu") : QStringLiteral("text");
}

std::optional<SmsFormat> smsFormatFromValue(const QString& value) {
    return choiceNamed(value, {SmsFormat::Text, SmsFormat::Pdu}, smsFormatValue);
}

QString smsFormatLabel(SmsFormat format) {
    return format == SmsFormat::Pdu ? QStringLiteral("PDU (long and Unicode messages)")
                                    : QStringLiteral("Text (phone default)");
}

QString smsStorageValue(SmsStorage storage) {
    return storage == SmsStorage::Phone ? QStringLiteral("phone") : QStringLiteral("sim");
}

std::optional<SmsStorage> smsStorageFromValue(const QString& value) {
    return choiceNamed(value, {SmsStorage::Sim, SmsStorage::Phone}, smsStorageValue);
}

QString smsStorageLabel(SmsStorage storage) {
    return storage == SmsStorage::Phone ? QStringLiteral("Phone memory (standard phones)")
                                        : QStringLiteral("SIM");
}

SmsFormat PhoneSettings::messageFormat() const {
    if (smsFormat) {
        return *smsFormat;
    }
    return profile == PhoneProfile::Standard ? SmsFormat::Pdu : SmsFormat::Text;
}

PhoneSettings profilePhoneSettings() {
    PhoneSettings settings;
    const QString charset = Profile::value(kSection, QStringLiteral("CHARSET")).toString();
    settings.charset = phoneCharsetFromValue(charset).value_or(PhoneCharset::Latin1);
    settings.fastLoad = Profile::intValue(kSection, QStringLiteral("FASTLOAD"), 0) != 0;
    const QString profile = Profile::value(kSection, QStringLiteral("PROFILE")).toString();
    settings.profile = phoneProfileFromValue(profile).value_or(PhoneProfile::Quillon);
    settings.smsFormat =
        smsFormatFromValue(Profile::value(kSection, QStringLiteral("SMSFORMAT")).toString());
    settings.smsStorage =
        smsStorageFromValue(Profile::value(kSection, QStringLiteral("SMSSTORAGE")).toString())
            .value_or(SmsStorage::Sim);
    return settings;
}

void saveProfilePhoneSettings(const PhoneSettings& settings) {
    Profile::setValue(kSection, QStringLiteral("CHARSET"), phoneCharsetValue(settings.charset));
    Profile::setValue(kSection, QStringLiteral("FASTLOAD"), settings.fastLoad ? 1 : 0);
    Profile::setValue(kSection, QStringLiteral("PROFILE"), phoneProfileValue(settings.profile));
    Profile::setValue(kSection, QStringLiteral("SMSSTORAGE"), smsStorageValue(settings.smsStorage));
    // An unset format stays unset, so that it keeps following the phone type.
    if (settings.smsFormat) {
        Profile::setValue(kSection, QStringLiteral("SMSFORMAT"),
                          smsFormatValue(*settings.smsFormat));
    }
}

PhoneSettings withOverride(PhoneSettings settings, const PhoneSettingsOverride& override) {
    if (override.charset) {
        settings.charset = *override.charset;
    }
    if (override.fastLoad) {
        settings.fastLoad = *override.fastLoad;
    }
    if (override.profile) {
        settings.profile = *override.profile;
    }
    if (override.smsFormat) {
        settings.smsFormat = *override.smsFormat;
    }
    if (override.smsStorage) {
        settings.smsStorage = *override.smsStorage;
    }
    return settings;
}
