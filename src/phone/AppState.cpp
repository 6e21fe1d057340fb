// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/AppState.h"

#include "phone/PhoneLink.h"

namespace {
AppState unowned;
AppState* installed = nullptr;
}  // namespace

AppState& appState() {
    return installed ? *installed : unowned;
}

AppStateOwner::AppStateOwner() : previous_(installed) {
    installed = &state_;
}

AppStateOwner::~AppStateOwner() {
    installed = previous_;
}

PhoneCharset phoneTextCharset() {
    const AppState& state = appState();
    if (state.textLink) {
        return state.textLink->charsetInUse();
    }
    return runPhoneSettings().charset;
}

SmsFormat phoneMessageFormat() {
    const AppState& state = appState();
    return state.textLink ? state.textLink->settings.messageFormat()
                          : runPhoneSettings().messageFormat();
}

PhoneSettings runPhoneSettings() {
    return withOverride(profilePhoneSettings(), appState().runSettings);
}
