// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "controls/GfxOutBarCtrl.h"

// Painted item images for the navigation bar: one 32-pixel image per feature (large display)
// and the 10-pixel bullet of the small display. Each list holds image 0, which every item uses.
namespace OutBarImages {

OutBarImageList phonebook();
OutBarImageList messages();
OutBarImageList todo();
OutBarImageList scheduler();
OutBarImageList smallBullet();

}  // namespace OutBarImages
