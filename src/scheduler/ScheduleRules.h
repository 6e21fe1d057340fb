// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QString>

// What an entry must be before it is stored, checked in one place for the entry dialogs, the
// command line and the calendar import.

// The years the calendar pages can show.
inline constexpr int kScheduleFirstYear = 1900;
inline constexpr int kScheduleLastYear = 2037;
bool scheduleYearInRange(int year);
// "2026-02-30 is not a date" for text in the form YYYY-MM-DD that names no day; empty for a
// real day and for text of any other form.
QString impossibleDateProblem(const QString& isoText);

// The type as the command line names it: "reminder", "call", "meeting", "birthday"; and back
// (0 for no type of that name).
QString scheduleTypeName(int type);
int scheduleTypeOfName(const QString& name);

// How many characters the contents of an entry of the type hold.
int scheduleContentsLimit(int type);
// What the entry dialog says about empty contents ("You must input Call Number!", ...).
QString scheduleEmptyContentsMessage(int type);

// What the entry dialog refuses, in its order: empty contents, then text the phone's command
// line cannot carry (a call's number is checked as a number). Empty when neither; the length
// is the field's limit (scheduleContentsLimit).
QString scheduleContentsProblem(int type, const QString& contents);
