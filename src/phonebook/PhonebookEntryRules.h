#pragma once

#include <optional>

#include <QString>

#include "platform/Prompter.h"

// The PC phonebook has no phone behind it; its numbers only have to stay below this.
constexpr qint64 kPcPhonebookCapacity = 1000000000;

// Checks what the entry dialogs take on OK, in the order the user is told about problems:
// name, dial string (main number, whole string, extension), then the index against the chosen
// memory's capacity. Returns the message to show, or nothing when the input may be stored.
std::optional<Prompt> entryInputProblem(const QString& name, const QString& dialString,
                                        qint64 index, qint64 capacity);
