// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "phonesim/PhoneSimState.h"

// Reading and writing a state as a JSON file.
bool loadPhoneSimState(const QString& path, PhoneSimState* state, QString* error);
bool savePhoneSimState(const QString& path, const PhoneSimState& state, QString* error);
