// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QVariantList>

// Turns the Jet condition and order strings that the stores write into SQLite clauses. Only the
// subset the program uses is accepted; anything else is refused with a reason instead of being
// handed to SQLite, and every literal becomes a bound value, never SQL text.
//
// Conditions: column names (bare or [bracketed]), 'text' and "text" literals (quote doubled
// inside), numbers, True/False/Yes/No, Null; = <> < > <= >=; [NOT] LIKE with * ? # and [...]
// classes ([!...] negated); IS [NOT] NULL; AND, OR, NOT and parentheses. Text columns compare
// and sort without regard to case, whatever collation the file declares: like, and = or <>
// against a quoted text, fold every letter (É matches é); ordering folds ASCII letters.
// Orders: column [ASC|DESC], separated by commas.

struct SqlColumn {
    QString name;  // as the table spells it
    bool isText = false;
};

// Key: the column name in lower case (Jet names are case-blind).
using SqlColumns = QHash<QString, SqlColumn>;

struct SqlCondition {
    QString sql;  // with ? placeholders
    QVariantList binds;
};

bool translateJetFilter(const QString& filter, const SqlColumns& columns, SqlCondition* out,
                        QString* error);
bool translateJetSort(const QString& sort, const SqlColumns& columns, QString* out, QString* error);

// A Jet like pattern as a whole-text, case-blind regular expression for the REGEXP operator
// (which the connection provides through QRegularExpression).
bool jetLikeToRegex(const QString& pattern, QString* regex, QString* error);

// Double-quoted SQL identifier.
QString sqlIdentifier(const QString& name);
