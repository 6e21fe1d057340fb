// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

#include <QString>

#include "phone/PhoneCharset.h"
#include "platform/Notice.h"

// The PC phonebook has no phone behind it; its numbers only have to stay below this.
constexpr qint64 kPcPhonebookCapacity = 1000000000;

// What the entry dialogs' name and number edits take, in every memory.
constexpr int kEntryNameLimit = 14;
constexpr int kEntryDialStringLimit = 42;

// The longest name a memory takes: the text length the phone reported for it (asked once a set
// other than Latin-1 is chosen), else the edits' limit.
int entryNameLimit(int reportedLength);

// Whether the name fits a name field of `limit` on the phone, counted as the phone counts in the
// set (UCS2 units, GSM septets with each extension character two): a longer name is refused,
// never cut. In Latin-1 the edits' own message.
std::optional<Notice> nameFitProblem(const QString& name, int limit, PhoneCharset set);

// Whether the number fits the phone's number field of `limit` characters (0: no limit known).
std::optional<Notice> numberFitProblem(const QString& dialString, int limit);
// Both fits, name first: what the dialogs and the command line check last.
std::optional<Notice> phoneFitProblem(const QString& name, const QString& dialString, int nameLimit,
                                      int numberLimit, PhoneCharset set);

// Checks what the entry dialogs take on OK, in the order the user is told about problems:
// name, dial string (main number, whole string, extension), then the index against the chosen
// memory's capacity. Returns the message to show, or nothing when the input may be stored.
std::optional<Notice> entryInputProblem(const QString& name, const QString& dialString,
                                        qint64 index, qint64 capacity);

// The same check for text that no edit limited while it was typed (the command line): a name
// that does not fit (nameFitProblem), or no number at all, is refused after the empty name.
std::optional<Notice> typedEntryProblem(const QString& name, const QString& dialString,
                                        qint64 index, qint64 capacity,
                                        int nameLimit = kEntryNameLimit,
                                        PhoneCharset set = PhoneCharset::Latin1);
