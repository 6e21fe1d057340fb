// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

// The application profile (company "QUILLON", program "Dexmoro"): the registry on Windows,
// an INI file elsewhere. Sections and keys keep the names the program has always used
// ("CONFIG"/"PORT", "Path"/"communicator", "Redial"/"Name%d").
namespace Profile {

QVariant value(const QString& section, const QString& key, const QVariant& fallback = {});
int intValue(const QString& section, const QString& key, int fallback);
void setValue(const QString& section, const QString& key, const QVariant& value);

// Keeps the profile in the given folder instead of the user's (tests, the demo mode).
void useFolder(const QString& folder);

}  // namespace Profile
