// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Profile.h"

#include <QSettings>

#include <memory>

namespace {
QString profileFolder;

QSettings* openProfile() {
    if (!profileFolder.isEmpty()) {
        return new QSettings(profileFolder + "/Dexmoro.ini", QSettings::IniFormat);
    }
    return new QSettings(QSettings::NativeFormat, QSettings::UserScope, "QUILLON", "Dexmoro");
}

QString keyOf(const QString& section, const QString& key) {
    return section + "/" + key;
}
}  // namespace

namespace Profile {

QVariant value(const QString& section, const QString& key, const QVariant& fallback) {
    std::unique_ptr<QSettings> settings(openProfile());
    return settings->value(keyOf(section, key), fallback);
}

int intValue(const QString& section, const QString& key, int fallback) {
    bool ok = false;
    const int read = value(section, key).toInt(&ok);
    return ok ? read : fallback;
}

void setValue(const QString& section, const QString& key, const QVariant& value) {
    std::unique_ptr<QSettings> settings(openProfile());
    settings->setValue(keyOf(section, key), value);
    settings->sync();
}

void useFolder(const QString& folder) {
    profileFolder = folder;
}

}  // namespace Profile
