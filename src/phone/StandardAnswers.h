// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// Answers of the standard commands (3GPP TS 27.007 and 27.005) as phones and modems of many
// makers give them: blanks after commas or not, optional fields missing, the final result with
// or without a blank line before it.

// "at+cgmi", "at+cgmm", "at+cgmr", "at+cgsn": the first line of text, without the echoed
// command, the final result, a "+CGMI:"-style prefix or surrounding quotes. Empty when the
// answer holds no text.
QString ParseIdentityAnswer(const QString& answer);

// The quoted names of the first list behind the marker, upper case: the memories of
// "+CPBS: (\"SM\",\"ME\")" or the first storage list of "+CPMS: (\"SM\",\"ME\"),(...)". A phone
// that leaves out the parentheses lists its names bare: all of them count.
QStringList ParseOfferedNames(const QString& answer, const QString& marker);

// The list in the first parentheses behind the marker, as sent ("0,1" of "+CMGF: (0,1)"); empty
// when there is none.
QString ParseOfferedModes(const QString& answer, const QString& marker);

// "at+cpbr=?": the index range and the longest number and name, "+CPBR: (1-250),40,18".
// A length the phone left out is 0; nothing when no range can be read.
struct PhonebookBounds {
    int first = 1;
    int last = 0;
    int numberLength = 0;
    int textLength = 0;
};
std::optional<PhonebookBounds> ParsePhonebookBounds(const QString& answer);
