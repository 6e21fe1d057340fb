#include "phone/AppState.h"

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
