#pragma once

#include "controls/GfxOutBarCtrl.h"

// The pictures of the navigation bar: one 32-pixel list per feature folder and the 10-pixel
// list that the small-icon display shows beside every item.
OutBarImageList featureImageList(int feature);
OutBarImageList smallItemImageList();
