// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// The GSM 7-bit default alphabet and its extension table (3GPP TS 23.038). Septets are held one
// a byte (0..127); a character of the extension table is the escape septet 0x1B and its code.

inline constexpr char kGsmEscape = 0x1B;

struct GsmEncoding {
    QByteArray septets;
    // The first character outside the alphabet (written as "?"), by position in the text.
    qsizetype unknownAt = -1;
    char32_t unknown = 0;
};

GsmEncoding gsmEncode(const QString& text);

// An escape before a code the extension table does not hold stands for the default
// alphabet's character, as receivers are told to show it; a trailing escape is dropped.
QString gsmDecode(const QByteArray& septets);

// 1 for a character of the default alphabet, 2 for one of the extension table, 0 outside.
int gsmSeptetsOf(char32_t c);

bool gsmFits(const QString& text);

// Septets the text takes, each extension character counting two and an unknown one as its "?".
int gsmSeptetCount(const QString& text);
