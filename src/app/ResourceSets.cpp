// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ResourceSets.h"

#include "app/ToolbarImages.h"

#include <array>

namespace {

struct MaskResource {
    int mask;
    int resourceId;
};

constexpr std::array<MaskResource, 11> kResources{{{3, 151},
                                                   {5, 152},
                                                   {6, 153},
                                                   {7, 154},
                                                   {9, 155},
                                                   {10, 156},
                                                   {11, 157},
                                                   {12, 158},
                                                   {13, 159},
                                                   {14, 127},
                                                   {15, 128}}};

CommandSpec frameCommand(const QString& text, const char* slot, const QString& statusTip = {}) {
    CommandSpec c;
    c.text = text;
    c.slot = slot;
    c.target = CommandTarget::Frame;
    c.statusTip = statusTip;
    return c;
}

// A feature menu command: the prompt text is "status tip\ntool tip".
CommandSpec viewCommand(int view, const QString& text, const char* slot, const QString& prompt = {},
                        int argument = -1) {
    CommandSpec c;
    c.text = text;
    c.slot = slot;
    c.view = view;
    c.argument = argument;
    const qsizetype split = prompt.indexOf('\n');
    c.statusTip = split < 0 ? prompt : prompt.left(split);
    c.toolTip = split < 0 ? QString() : prompt.mid(split + 1);
    return c;
}

CommandSpec separator() {
    CommandSpec c;
    c.separator = true;
    return c;
}

MenuSpec fileMenu() {
    return {"&File",
            {frameCommand("&Export...", "exportData",
                          "Write a list to a file other programs read\nExport"),
             frameCommand("&Import...", "importData",
                          "Read a list from another program's file\nImport"),
             separator(), frameCommand("E&xit", "close", "Quit the application")}};
}

MenuSpec viewMenu() {
    CommandSpec toolbar = frameCommand("&Toolbar", "setToolBarShown", "Show or hide the toolbar");
    toolbar.checkable = true;
    CommandSpec status =
        frameCommand("&Status Bar", "setStatusBarShown", "Show or hide the status bar");
    status.checkable = true;
    return {"&View", {toolbar, status}};
}

MenuSpec phonebookMenu() {
    const int v = PhonebookViewNo;
    return {
        "&Phone Book",
        {viewCommand(v, "&New", "newEntry", "Create a new phone book entry\nNew"),
         viewCommand(v, "&View/Edit ", "editEntry", "View and edit the selected entry\nEdit/View"),
         separator(),
         viewCommand(v, "Copy to &SIM", "copyToSim", "Copy the selection to the SIM\nCopy to SIM"),
         viewCommand(v, "Copy to &MS", "copyToMs",
                     "Copy the selection to the phone memory\nCopy to MS"),
         viewCommand(v, "Copy to P&C", "copyToPc", "Copy the selection to the PC\nCopy to PC"),
         separator(), viewCommand(v, "&Delete", "deleteEntry", "Delete the selection\nDelete"),
         viewCommand(v, "Delete &All", "deleteAll", "Delete every entry of the memory\nDelete All"),
         viewCommand(v, "&Reload", "reload", "Reload the phone books from the phone\nReload"),
         viewCommand(v, "Cancel D&eletion", "cancelDeletion",
                     "Restore the deleted entries\nCancel Deletion"),
         separator(), viewCommand(v, "&Print", "print", "Print the phone book\nPrint")}};
}

MenuSpec smsMenu() {
    const int v = SmsViewNo;
    return {
        "&SMS",
        {viewCommand(v, "&New Message", "newMessage", "Create a new short message\nNew Message"),
         viewCommand(v, "&View Message", "viewMessage", "View and edit a message\nEdit/View SMS"),
         separator(),
         viewCommand(v, "Re&ply to Message", "replyMessage",
                     "Reply to a received message\nReply Message"),
         viewCommand(v, "&Forward Message", "forwardMessage",
                     "Forward the message\nForward Message"),
         viewCommand(v, "Re&send Message", "resendMessage", "Resend the message\nResend Message"),
         separator(),
         viewCommand(v, "&Delete Message", "deleteMessage", "Delete the selection\nDelete Message"),
         viewCommand(v, "Delete &All Messages", "deleteAllMessages",
                     "Delete the entire short messages in SIM\nDelete All Message"),
         separator(),
         viewCommand(v, "&Reload Message", "reloadMessages",
                     "Reload messages from the phone\nReload Message")}};
}

MenuSpec schedulerMenu() {
    const int v = SchedulerViewNo;
    CommandSpec newSchedule;
    newSchedule.text = "&New Schedule";
    newSchedule.submenu = newScheduleCommands();
    return {
        "S&cheduler",
        {newSchedule,
         viewCommand(v, "&Edit Schedule", "editSchedule", "Edit the selected entry\nEdit Schedule"),
         viewCommand(v, "&Copy Schedule", "copySchedule",
                     "Copy the selected entry to another date and time\nCopy Schedule"),
         viewCommand(v, "&Move Schedule", "moveSchedule", "Move the selected entry\nMove Schedule"),
         separator(),
         viewCommand(v, "&Delete Schedule", "deleteSchedule",
                     "Delete the selected entry\nDelete Schedule"),
         viewCommand(v, "Delete Da&y Schedule", "deleteDaySchedule",
                     "Delete all entries of the selected day\nDelete Day Schedule"),
         separator(),
         viewCommand(v, "&Reload Schedule", "reloadSchedule",
                     "Reload the schedule from the phone\nReload Schedule")}};
}

MenuSpec todoMenu() {
    const int v = TodoViewNo;
    return {
        "&To Do List",
        {viewCommand(v, "&New To Do List", "newTodo", "Create a new to-do item\nNew To Do List"),
         viewCommand(v, "&Edit To Do List", "editTodo", "Edit the selected item\nEdit To Do List"),
         viewCommand(v, "&Copy To Do List", "copyTodo", "Copy the selected items\nCopy To Do List"),
         separator(),
         viewCommand(v, "&Delete To Do List", "deleteTodo",
                     "Delete the selected items\nDelete To Do List"),
         viewCommand(v, "Delete &All To Do List", "deleteAllTodo",
                     "Delete every listed item\nDelete All To Do List"),
         separator(), viewCommand(v, "&Mark", "markTodo", "Mark the selected item done\nMark"),
         viewCommand(v, "&UnMark", "unmarkTodo", "Mark the selected item not done\nUnMark"),
         separator(),
         viewCommand(v, "&Reload To Do List", "reloadTodo",
                     "Reload the to-do list from the phone\nReload To Do List")}};
}

MenuSpec optionMenu() {
    return {
        "&Option",
        {viewCommand(PhonebookViewNo, "&Filter Setting", "filterSetting",
                     "Set the phone book filter\nFilter Setting"),
         viewCommand(PhonebookViewNo, "&Enable/Disable Filter", "toggleFilter",
                     "Switch the phone book filter on or off\nEnable/Disable Filter"),
         separator(),
         frameCommand("&Link Program", "linkProgram",
                      "Choose the program to run on the phone's port"),
         frameCommand("E&xecute Linked Program", "executeLinkedProgram",
                      "Run the linked program on the phone's port"),
         frameCommand("Service &Center...", "sca", "Read or set the phone's SMS service centre"),
         frameCommand("&Terminal Program", "hyperTerminal",
                      "Run the terminal program on the phone's port"),
         separator(),
         frameCommand("Connect to &Phone", "connectToPhone",
                      "Look for the phone again and reload its lists")}};
}

MenuSpec helpMenu() {
    return {"&Help",
            {frameCommand("&About Dexmoro...", "about", "Display program information and version"),
             frameCommand("&Contents...", "helpContents", "Open the help contents")}};
}

}  // namespace

bool isKnownFeatureMask(int mask) {
    return resourceIdForMask(mask) != 0;
}

int effectiveFeatureMask(int mask) {
    return isKnownFeatureMask(mask) ? mask : 15;
}

int resourceIdForMask(int mask) {
    for (const MaskResource& r : kResources) {
        if (r.mask == mask) {
            return r.resourceId;
        }
    }
    return 0;
}

QList<MenuSpec> menuSetForMask(int mask) {
    mask = effectiveFeatureMask(mask);
    QList<MenuSpec> menus{fileMenu(), viewMenu()};
    if (mask & PhonebookBit) {
        menus.append(phonebookMenu());
    }
    if (mask & SmsBit) {
        menus.append(smsMenu());
    }
    if (mask & SchedulerBit) {
        menus.append(schedulerMenu());
    }
    if (mask & TodoBit) {
        menus.append(todoMenu());
    }
    menus.append(optionMenu());
    menus.append(helpMenu());
    return menus;
}

QList<CommandSpec> toolbarCommands() {
    // Each view handles these for its own feature, so they go to whichever view is showing.
    return {viewCommand(-1, "New", "newEntry", "Create a new entry\nNew"),
            viewCommand(-1, "Edit/View", "editEntry", "View and edit the selection\nEdit/View"),
            viewCommand(-1, "Copy", "copy", "Copy the selection\nCopy"),
            viewCommand(-1, "Move", "move", "Move the selection\nMove"),
            viewCommand(-1, "Delete", "deleteEntry", "Delete the selection\nDelete"),
            viewCommand(-1, "DeleteAll", "deleteAll", "Delete every entry\nDeleteAll"),
            viewCommand(-1, "Reload", "reload", "Reload from the phone\nReload"),
            [] {
                CommandSpec c = frameCommand("Connect", "connectToPhone",
                                             "Look for the phone again and reload its lists");
                c.toolTip = "Connect to Phone";
                c.icon = ConnectIcon;
                return c;
            }(),
            [] {
                CommandSpec c = frameCommand("Help", "helpContents", "Open the help contents");
                c.toolTip = "Help";
                c.icon = HelpIcon;
                return c;
            }(),
            [] {
                CommandSpec c = frameCommand("Exit", "close", "Quit the application");
                c.toolTip = "Exit";
                c.icon = ExitIcon;
                return c;
            }()};
}

QList<CommandSpec> newScheduleCommands() {
    const int v = SchedulerViewNo;
    return {viewCommand(v, "&Reminder", "newSchedule", "New reminder entry\nReminder", 1),
            viewCommand(v, "&Call", "newSchedule", "New call entry\nCall", 2),
            viewCommand(v, "&Meeting", "newSchedule", "New meeting entry\nMeeting", 3),
            viewCommand(v, "&Birthday", "newSchedule", "New birthday entry\nBirthday", 4)};
}
