// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// The navigation bar's folders for a feature mask, and what a click on one of their items does.
// Folders carry their feature number as data value: with masks that lack a feature the folder
// positions shift, the feature numbers do not.

enum FolderFeature { PhonebookFolder = 0, SmsFolder = 1, SchedulerFolder = 2, TodoFolder = 3 };

struct FolderSpec {
    QString name;
    int feature;
    QStringList items;
};

QList<FolderSpec> foldersForMask(int mask);

// The view number that a folder of the given feature shows.
int viewForFeature(int feature);

// A slot call on a view, with its int arguments.
struct ViewCall {
    int view;
    QByteArray slot;
    QList<int> arguments;
    bool operator==(const ViewCall&) const = default;
};

// The call an item click makes. priorityOn is the to-do priority flag after the click has
// inverted it (only the "Priority" item uses it).
std::optional<ViewCall> itemClickCall(int feature, int item, bool priorityOn);
