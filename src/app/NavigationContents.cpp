// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/NavigationContents.h"

#include "app/ResourceSets.h"

QList<FolderSpec> foldersForMask(int mask) {
    mask = effectiveFeatureMask(mask);
    QList<FolderSpec> folders;
    if (mask & PhonebookBit) {
        folders.append({"Phone Book",
                        PhonebookFolder,
                        {"Copy to SIM   ", "Copy To MS   ", "Copy To PC   ", "Cancel Delete     ",
                         "Print          "}});
    }
    if (mask & SmsBit) {
        folders.append(
            {"SMS", SmsFolder, {"Reply          ", "Forward          ", "Resend          "}});
    }
    if (mask & SchedulerBit) {
        folders.append({"Scheduler",
                        SchedulerFolder,
                        {"Reminder(R)         ", "Call(C)           ", "Meeting(M)         ",
                         "Birthday(B)         "}});
    }
    if (mask & TodoBit) {
        folders.append(
            {"To Do List",
             TodoFolder,
             {"All           ", "Today          ", "Completed         ", "Priority       "}});
    }
    return folders;
}

int viewForFeature(int feature) {
    switch (feature) {
        case PhonebookFolder:
            return PhonebookViewNo;
        case SmsFolder:
            return SmsViewNo;
        case SchedulerFolder:
            return SchedulerViewNo;
        case TodoFolder:
            return TodoViewNo;
        default:
            return -1;
    }
}

std::optional<ViewCall> itemClickCall(int feature, int item, bool priorityOn) {
    switch (feature) {
        case PhonebookFolder: {
            static const char* const names[] = {"copyToSim", "copyToMs", "copyToPc",
                                                "cancelDeletion", "print"};
            if (item >= 0 && item < 5) {
                return ViewCall{PhonebookViewNo, names[item], {}};
            }
            break;
        }
        case SmsFolder: {
            static const char* const names[] = {"replyMessage", "forwardMessage", "resendMessage"};
            if (item >= 0 && item < 3) {
                return ViewCall{SmsViewNo, names[item], {}};
            }
            break;
        }
        case SchedulerFolder:
            if (item >= 0 && item < 4) {
                return ViewCall{SchedulerViewNo, "newSchedule", {item + 1}};
            }
            break;
        case TodoFolder:
            if (item >= 0 && item < 3) {
                return ViewCall{TodoViewNo, "showTab", {item, 0}};
            }
            if (item == 3) {
                return ViewCall{TodoViewNo, "showTab", {3, priorityOn ? 1 : 0}};
            }
            break;
        default:
            break;
    }
    return std::nullopt;
}
