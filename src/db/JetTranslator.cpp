// SPDX-License-Identifier: GPL-3.0-or-later
#include "db/JetTranslator.h"

#include <QList>
#include <QRegularExpression>

#include "db/JetTokens.h"

namespace {

// A null column stays null (neither selected nor, under NOT, selected), as in Jet.
QString regexTest(const QString& column, bool negate) {
    return QStringLiteral("(CASE WHEN %1 IS NULL THEN NULL ELSE %2(%1 REGEXP ?) END)")
        .arg(column, negate ? QStringLiteral("NOT ") : QString());
}

QString equalsRegex(const QString& text) {
    return QStringLiteral("(?is)^") + QRegularExpression::escape(text) + QStringLiteral("\\z");
}

class FilterParser {
  public:
    FilterParser(const QList<Token>& tokens, const SqlColumns& columns)
        : tokens_(tokens), columns_(columns) {}

    bool parse(SqlCondition* out, QString* error) {
        QString sql;
        if (!parseOr(&sql)) {
            *error = error_;
            return false;
        }
        if (peek().kind != Tok::End) {
            *error = QStringLiteral("unexpected text at position %1").arg(peek().at + 1);
            return false;
        }
        out->sql = sql;
        out->binds = binds_;
        return true;
    }

  private:
    const Token& peek() const { return tokens_[pos_]; }
    const Token& take() { return tokens_[pos_++]; }

    bool fail(const QString& message) {
        if (error_.isEmpty()) {
            error_ = message;
        }
        return false;
    }

    bool parseOr(QString* sql) {
        if (!parseAnd(sql)) {
            return false;
        }
        while (isWord(peek(), "OR")) {
            take();
            QString rhs;
            if (!parseAnd(&rhs)) {
                return false;
            }
            *sql += QStringLiteral(" OR ") + rhs;
        }
        return true;
    }

    bool parseAnd(QString* sql) {
        if (!parseNot(sql)) {
            return false;
        }
        while (isWord(peek(), "AND")) {
            take();
            QString rhs;
            if (!parseNot(&rhs)) {
                return false;
            }
            *sql += QStringLiteral(" AND ") + rhs;
        }
        return true;
    }

    bool parseNot(QString* sql) {
        if (isWord(peek(), "NOT")) {
            take();
            QString inner;
            if (!parseNot(&inner)) {
                return false;
            }
            *sql = QStringLiteral("NOT ") + inner;
            return true;
        }
        return parsePredicate(sql);
    }

    // Parenthesised condition, or operand [comparison | LIKE | IS NULL].
    bool parsePredicate(QString* sql) {
        if (peek().kind == Tok::LParen) {
            take();
            QString inner;
            if (!parseOr(&inner)) {
                return false;
            }
            if (peek().kind != Tok::RParen) {
                return fail(QStringLiteral("missing ) at position %1").arg(peek().at + 1));
            }
            take();
            *sql = QLatin1Char('(') + inner + QLatin1Char(')');
            return true;
        }
        Operand left;
        if (!parseOperand(&left)) {
            return false;
        }
        const Token& t = peek();
        if (t.kind == Tok::Op && t.text != QLatin1String("-")) {
            const QString op = take().text;
            Operand right;
            if (!parseOperand(&right)) {
                return false;
            }
            // Text against a quoted text: = and <> fold case beyond ASCII, as Jet does.
            const bool equality = op == QLatin1String("=") || op == QLatin1String("<>");
            const Operand* column = left.isTextColumn    ? &left
                                    : right.isTextColumn ? &right
                                                         : nullptr;
            const Operand* literal = left.bindIndex >= 0    ? &left
                                     : right.bindIndex >= 0 ? &right
                                                            : nullptr;
            if (equality && column && literal &&
                binds_[literal->bindIndex].typeId() == QMetaType::QString) {
                binds_[literal->bindIndex] = equalsRegex(binds_[literal->bindIndex].toString());
                *sql = regexTest(column->sql, op == QLatin1String("<>"));
                return true;
            }
            const bool text = left.isTextColumn || right.isTextColumn;
            *sql = QLatin1Char('(') + left.render(text) + QLatin1Char(' ') + op + QLatin1Char(' ') +
                   right.render(text) + QLatin1Char(')');
            return true;
        }
        bool negate = false;
        if (isWord(t, "NOT") && isWord(tokens_[pos_ + 1], "LIKE")) {
            take();
            negate = true;
        }
        if (isWord(peek(), "LIKE")) {
            take();
            if (!left.isColumn) {
                return fail(QStringLiteral("like needs a column on its left"));
            }
            if (peek().kind != Tok::String) {
                return fail(QStringLiteral("like needs a quoted pattern at position %1")
                                .arg(peek().at + 1));
            }
            QString regex;
            QString patternError;
            if (!jetLikeToRegex(take().text, &regex, &patternError)) {
                return fail(patternError);
            }
            binds_.append(regex);
            *sql = regexTest(left.sql, negate);
            return true;
        }
        if (negate) {
            return fail(
                QStringLiteral("NOT must be followed by LIKE at position %1").arg(peek().at + 1));
        }
        if (isWord(peek(), "IS")) {
            take();
            bool isNot = false;
            if (isWord(peek(), "NOT")) {
                take();
                isNot = true;
            }
            if (!isWord(peek(), "NULL")) {
                return fail(QStringLiteral("IS must be followed by NULL at position %1")
                                .arg(peek().at + 1));
            }
            take();
            *sql = QLatin1Char('(') + left.render(false) +
                   (isNot ? QStringLiteral(" IS NOT NULL)") : QStringLiteral(" IS NULL)"));
            return true;
        }
        if (!left.isColumn) {
            return fail(QStringLiteral("a condition is expected at position %1").arg(t.at + 1));
        }
        // A bare column is true when it is neither zero nor null, as a Yes/No test in Jet.
        *sql = QStringLiteral("(") + left.render(false) + QStringLiteral(" <> 0)");
        return true;
    }

    struct Operand {
        QString sql;
        int bindIndex = -1;  // a literal: its place among the bound values
        bool isColumn = false;
        bool isTextColumn = false;
        QString render(bool caseBlind) const {
            return isColumn && caseBlind && isTextColumn ? sql + QStringLiteral(" COLLATE NOCASE")
                                                         : sql;
        }
    };

    bool parseOperand(Operand* operand) {
        const Token& t = peek();
        if (t.kind == Tok::String) {
            operand->bindIndex = static_cast<int>(binds_.size());
            binds_.append(take().text);
            operand->sql = QStringLiteral("?");
            return true;
        }
        if (t.kind == Tok::Op && t.text == QLatin1String("-") &&
            tokens_[pos_ + 1].kind == Tok::Number) {
            take();
            return bindNumber(QLatin1Char('-') + take().text, operand);
        }
        if (t.kind == Tok::Number) {
            return bindNumber(take().text, operand);
        }
        if (isWord(t, "TRUE") || isWord(t, "YES")) {
            take();
            operand->sql = QStringLiteral("1");
            return true;
        }
        if (isWord(t, "FALSE") || isWord(t, "NO")) {
            take();
            operand->sql = QStringLiteral("0");
            return true;
        }
        if (isWord(t, "NULL")) {
            take();
            operand->sql = QStringLiteral("NULL");
            return true;
        }
        if (t.kind == Tok::Name && (t.bracketed || !isReservedWord(t))) {
            const auto found = columns_.constFind(t.text.toLower());
            if (found == columns_.constEnd()) {
                return fail(QStringLiteral("unknown column \"%1\"").arg(t.text));
            }
            take();
            operand->sql = sqlIdentifier(found->name);
            operand->isColumn = true;
            operand->isTextColumn = found->isText;
            return true;
        }
        if (t.kind == Tok::End) {
            return fail(QStringLiteral("the condition ends too early"));
        }
        return fail(QStringLiteral("a column or a value is expected at position %1").arg(t.at + 1));
    }

    bool bindNumber(const QString& text, Operand* operand) {
        bool ok = false;
        if (text.contains(QLatin1Char('.'))) {
            binds_.append(text.toDouble(&ok));
        } else {
            binds_.append(text.toLongLong(&ok));
        }
        operand->bindIndex = static_cast<int>(binds_.size()) - 1;
        if (!ok) {
            return fail(QStringLiteral("number out of range: %1").arg(text));
        }
        operand->sql = QStringLiteral("?");
        return true;
    }

    const QList<Token>& tokens_;
    const SqlColumns& columns_;
    int pos_ = 0;
    QVariantList binds_;
    QString error_;
};

}  // namespace

QString sqlIdentifier(const QString& name) {
    QString escaped = name;
    escaped.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

bool jetLikeToRegex(const QString& pattern, QString* regex, QString* error) {
    QString out = QStringLiteral("(?is)^");
    const int n = pattern.size();
    for (int i = 0; i < n; ++i) {
        const QChar c = pattern[i];
        if (c == QLatin1Char('*')) {
            out += QLatin1String(".*");
        } else if (c == QLatin1Char('?')) {
            out += QLatin1Char('.');
        } else if (c == QLatin1Char('#')) {
            out += QLatin1String("[0-9]");
        } else if (c == QLatin1Char('[')) {
            const int close = pattern.indexOf(QLatin1Char(']'), i + 1);
            if (close < 0) {
                *error = QStringLiteral("unterminated [ in like pattern");
                return false;
            }
            QString set = pattern.mid(i + 1, close - i - 1);
            i = close;
            bool negated = false;
            if (set.startsWith(QLatin1Char('!')) && set.size() > 1) {
                negated = true;
                set.remove(0, 1);
            }
            if (set.isEmpty()) {
                continue;  // [] matches the empty string
            }
            out += negated ? QStringLiteral("[^") : QStringLiteral("[");
            for (QChar member : set) {
                // Ranges keep their hyphen; every other special of a class is escaped.
                if (member == QLatin1Char('\\') || member == QLatin1Char('^') ||
                    member == QLatin1Char('[') || member == QLatin1Char(']')) {
                    out += QLatin1Char('\\');
                }
                out += member;
            }
            out += QLatin1Char(']');
        } else if (c.isHighSurrogate() && i + 1 < n && pattern[i + 1].isLowSurrogate()) {
            // One character in two halves: escaped apart, each half would be a broken character.
            out += QRegularExpression::escape(pattern.mid(i, 2));
            ++i;
        } else {
            out += QRegularExpression::escape(QString(c));
        }
    }
    out += QStringLiteral("\\z");
    // A class can still be malformed (a range whose ends are out of order, such as [z-a]); that
    // is refused here rather than failing inside SQLite on every row.
    const QRegularExpression compiled(out);
    if (!compiled.isValid()) {
        *error =
            QStringLiteral("invalid [ ] class in like pattern: %1").arg(compiled.errorString());
        return false;
    }
    *regex = out;
    return true;
}

bool translateJetFilter(const QString& filter, const SqlColumns& columns, SqlCondition* out,
                        QString* error) {
    *out = SqlCondition{};
    if (filter.trimmed().isEmpty()) {
        return true;
    }
    QList<Token> tokens;
    if (!tokenize(filter, &tokens, error)) {
        return false;
    }
    FilterParser parser(tokens, columns);
    return parser.parse(out, error);
}

bool translateJetSort(const QString& sort, const SqlColumns& columns, QString* out,
                      QString* error) {
    out->clear();
    if (sort.trimmed().isEmpty()) {
        return true;
    }
    QList<Token> tokens;
    if (!tokenize(sort, &tokens, error)) {
        return false;
    }
    QStringList items;
    int i = 0;
    for (;;) {
        const Token& name = tokens[i];
        if (name.kind != Tok::Name || (!name.bracketed && isReservedWord(name))) {
            *error =
                QStringLiteral("a column is expected at position %1 of the sort").arg(name.at + 1);
            return false;
        }
        const auto found = columns.constFind(name.text.toLower());
        if (found == columns.constEnd()) {
            *error = QStringLiteral("unknown column \"%1\" in the sort").arg(name.text);
            return false;
        }
        QString item = sqlIdentifier(found->name);
        if (found->isText) {
            item += QStringLiteral(" COLLATE NOCASE");
        }
        ++i;
        if (isWord(tokens[i], "DESC")) {
            item += QStringLiteral(" DESC");
            ++i;
        } else {
            if (isWord(tokens[i], "ASC")) {
                ++i;
            }
            item += QStringLiteral(" ASC");
        }
        items.append(item);
        if (tokens[i].kind == Tok::Comma) {
            ++i;
            continue;
        }
        if (tokens[i].kind != Tok::End) {
            *error =
                QStringLiteral("unexpected text at position %1 of the sort").arg(tokens[i].at + 1);
            return false;
        }
        break;
    }
    *out = items.join(QStringLiteral(", "));
    return true;
}
