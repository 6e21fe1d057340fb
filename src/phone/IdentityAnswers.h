// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

// The answers of the connection sequence, cut into what the link keeps. Each reader returns
// nothing when the answer holds no number where one belongs, so the caller keeps its value.

// The answer to "at+cgmi" names the maker, and not at its very first character: an echoing
// phone always puts the command first, and a reply that opens with the name is no match.
bool AnswerNamesMaker(const QString& answer);

// "at+cpbs?": the total of the selected phonebook, the number after the last comma
// (+CPBS: "SM",12,180 gives 180).
std::optional<int> ParsePhonebookCapacity(const QString& answer);

// "at+cpms=...": the total of the first storage, the number after the first comma
// (+CPMS: 3,15,3,15 gives 15).
std::optional<int> ParseMessageCapacity(const QString& answer);

// "at+crfo": the number after the first colon.
std::optional<int> ParseFeatureMask(const QString& answer);

// "at+cscs=?": whether the offered list names the set, quoted, in any case ("UCS2" in
// +CSCS: ("IRA","GSM","UCS2")).
bool AnswerOffersCharset(const QString& answer, const QString& name);

// "at+cpbr=?": the longest name the memory takes, the second number after the index range
// (+CPBR: (1-250),40,18 gives 18).
std::optional<int> ParsePhonebookTextLength(const QString& answer);

// C-style decimal: leading blanks and tabs skipped, then digits up to the first non-digit.
std::optional<int> LeadingDecimal(const QString& text);
