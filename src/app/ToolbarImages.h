// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>

// Pictures that do not sit at their button's position.
enum ToolbarPicture { HelpIcon = 7, ExitIcon = 8, ConnectIcon = 9 };

// The 32-pixel pictures of the toolbar buttons: 0 to 6 by button position, then the above.
QIcon toolbarIcon(int button);
