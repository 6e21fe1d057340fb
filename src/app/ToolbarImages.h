#pragma once

#include <QIcon>

// The 32-pixel pictures of the nine toolbar buttons, by button position.
QIcon toolbarIcon(int button);
