// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// The tokens of a Jet condition or order string, for the translator's parsers.

enum class Tok { End, Name, String, Number, Op, LParen, RParen, Comma };

struct Token {
    Tok kind = Tok::End;
    QString text;  // the name, the unquoted string, the number or the operator
    bool bracketed = false;
    int at = 0;
};

// Splits s into tokens ending with a Tok::End token; false with the reason in *error.
bool tokenize(const QString& s, QList<Token>* tokens, QString* error);
// Whether t is the unbracketed name word, without regard to case.
bool isWord(const Token& t, const char* word);
// Whether t is one of the words the condition syntax keeps for itself.
bool isReservedWord(const Token& t);
