// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The main number of a dial string: the text before the extension, which begins at the first
// "P", else at the first "/", else at the first "p". The whole string when there is none.
QString mainNumberOf(const QString& dialString);
inline bool hasExtension(const QString& dialString) {
    return mainNumberOf(dialString).size() != dialString.size();
}

// The dial string as the lists show it: caller-ID prefixes in front of the "+".
QString displayFormOf(const QString& dialString);
