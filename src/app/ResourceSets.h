// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Menus and toolbar of each feature mask, as data. The frame builds its widgets from these and
// routes each command by slot name, either to itself or to the view that is showing.

enum class CommandTarget { Frame, View };

struct CommandSpec {
    QString text;
    QByteArray slot;  // slot name on the target; empty for a popup or a separator
    CommandTarget target = CommandTarget::View;
    int view = -1;      // view number that owns the command; -1: whichever view is showing
    int argument = -1;  // int passed to the slot; -1: the slot takes none
    QString statusTip;
    QString toolTip;
    int icon = -1;  // toolbar picture (ToolbarImages.h); -1: the button's position
    bool checkable = false;
    bool separator = false;
    QList<CommandSpec> submenu;  // non-empty: the item opens this popup
};

struct MenuSpec {
    QString title;
    QList<CommandSpec> items;
};

// View numbers of the view table.
enum ViewNumber {
    PhonebookViewNo = 0,
    SmsViewNo = 1,
    CallViewNo = 2,
    SchedulerViewNo = 3,
    TodoViewNo = 4
};

// Feature bits of the phone's feature mask.
enum FeatureBit { TodoBit = 1, SchedulerBit = 2, SmsBit = 4, PhonebookBit = 8 };

// The eleven masks with at least two features.
bool isKnownFeatureMask(int mask);
// The mask whose resource set a start uses: an unknown one (an off-line start, a silent
// phone, a phone without the command) falls back to the full set.
int effectiveFeatureMask(int mask);
// The resource id of a known mask's set (127, 128, 151 to 159); 0 for an unknown mask.
int resourceIdForMask(int mask);

// The menu bar of the mask's set: "&File", "&View", the feature menus, "Option", "&Help".
QList<MenuSpec> menuSetForMask(int mask);

// The toolbar shared by every set, in button order.
QList<CommandSpec> toolbarCommands();

// The popup behind the toolbar's New button while the scheduler is showing.
QList<CommandSpec> newScheduleCommands();
