// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "db/JetQuote.h"
#include "db/JetTranslator.h"

namespace {

SqlColumns phonebookColumns() {
    SqlColumns columns;
    columns.insert(QStringLiteral("number"), {QStringLiteral("Number"), false});
    columns.insert(QStringLiteral("name"), {QStringLiteral("Name"), true});
    columns.insert(QStringLiteral("mainnumber"), {QStringLiteral("MainNumber"), true});
    columns.insert(QStringLiteral("until_year"), {QStringLiteral("until_year"), false});
    columns.insert(QStringLiteral("index"), {QStringLiteral("index"), false});
    return columns;
}

SqlCondition filter(const QString& jet) {
    SqlCondition out;
    QString error;
    EXPECT_TRUE(translateJetFilter(jet, phonebookColumns(), &out, &error))
        << jet.toStdString() << ": " << error.toStdString();
    return out;
}

QString refused(const QString& jet) {
    SqlCondition out;
    QString error;
    EXPECT_FALSE(translateJetFilter(jet, phonebookColumns(), &out, &error)) << jet.toStdString();
    return error;
}

}  // namespace

TEST(JetQuote, DoublesQuotesAndBracketsWildcards) {
    EXPECT_EQ(jetQuote(QStringLiteral("O'Brien")), QStringLiteral("'O''Brien'"));
    EXPECT_EQ(jetQuote(QString()), QStringLiteral("''"));
    EXPECT_EQ(jetLikeEscape(QStringLiteral("a*b?c#d[e]")), QStringLiteral("a[*]b[?]c[#]d[[]e]"));
    EXPECT_EQ(jetLikeContains(QStringLiteral("#31#'")), QStringLiteral("'*[#]31[#]''*'"));
}

TEST(JetFilter, TextEqualityFoldsCaseAndLiteralsAreBound) {
    const SqlCondition c = filter(QStringLiteral("Name='O''Brien' AND MainNumber<>\"+1.5\"\"\""));
    EXPECT_EQ(c.sql, QStringLiteral(
                         "(CASE WHEN \"Name\" IS NULL THEN NULL ELSE (\"Name\" REGEXP ?) END) AND "
                         "(CASE WHEN \"MainNumber\" IS NULL THEN NULL "
                         "ELSE NOT (\"MainNumber\" REGEXP ?) END)"));
    ASSERT_EQ(c.binds.size(), 2);
    EXPECT_EQ(c.binds[0].toString(), QStringLiteral("(?is)^O\\'Brien\\z"));
    EXPECT_EQ(c.binds[1].toString(), QStringLiteral("(?is)^\\+1\\.5\\\"\\z"));
    // Order comparisons and numbers keep the plain operators.
    const SqlCondition d = filter(QStringLiteral("'b' < Name AND Number = 3"));
    EXPECT_EQ(d.sql, QStringLiteral("(? < \"Name\" COLLATE NOCASE) AND (\"Number\" = ?)"));
    EXPECT_EQ(d.binds, (QVariantList{QStringLiteral("b"), qlonglong(3)}));
}

TEST(JetFilter, StatusTermsJoinedWithOr) {
    SqlColumns columns;
    columns.insert(QStringLiteral("status"), {QStringLiteral("Status"), true});
    SqlCondition c;
    QString error;
    ASSERT_TRUE(translateJetFilter(QStringLiteral("Status='Unread' OR Status='Not Sent'"), columns,
                                   &c, &error));
    EXPECT_EQ(
        c.sql,
        QStringLiteral("(CASE WHEN \"Status\" IS NULL THEN NULL ELSE (\"Status\" REGEXP ?) END) OR "
                       "(CASE WHEN \"Status\" IS NULL THEN NULL ELSE (\"Status\" REGEXP ?) END)"));
    EXPECT_EQ(c.binds, (QVariantList{QStringLiteral("(?is)^Unread\\z"),
                                     QStringLiteral("(?is)^Not\\ Sent\\z")}));
}

TEST(JetFilter, LikePatternsBecomeWholeTextRegexes) {
    const SqlCondition c =
        filter(QStringLiteral("Name like '*An*' OR MainNumber NOT LIKE '0?#[!A-C]*.'"));
    EXPECT_EQ(c.sql, QStringLiteral(
                         "(CASE WHEN \"Name\" IS NULL THEN NULL ELSE (\"Name\" REGEXP ?) END) OR "
                         "(CASE WHEN \"MainNumber\" IS NULL THEN NULL "
                         "ELSE NOT (\"MainNumber\" REGEXP ?) END)"));
    EXPECT_EQ(c.binds, (QVariantList{QStringLiteral("(?is)^.*An.*\\z"),
                                     QStringLiteral("(?is)^0.[0-9][^A-C].*\\.\\z")}));
}

TEST(JetFilter, EscapedLikeLiteralMatchesItself) {
    QString regex;
    QString error;
    ASSERT_TRUE(jetLikeToRegex(jetLikeEscape(QStringLiteral("a*?#[^]")), &regex, &error));
    EXPECT_EQ(regex, QStringLiteral("(?is)^a[*][?][#][\\[]\\^\\]\\z"));
    ASSERT_TRUE(jetLikeToRegex(QStringLiteral("[^x]"), &regex, &error));
    EXPECT_EQ(regex, QStringLiteral("(?is)^[\\^x]\\z"));  // a leading ^ is no negation in Jet
    EXPECT_FALSE(jetLikeToRegex(QStringLiteral("ab[c"), &regex, &error));
}

TEST(JetFilter, NumbersBracketsParenthesesAndNull) {
    const SqlCondition c =
        filter(QStringLiteral("([index] >= -3 AND NOT Number<=4.5) or Name is not null"));
    EXPECT_EQ(c.sql, QStringLiteral("((\"index\" >= ?) AND NOT (\"Number\" <= ?)) OR "
                                    "(\"Name\" IS NOT NULL)"));
    EXPECT_EQ(c.binds, (QVariantList{qlonglong(-3), 4.5}));
    EXPECT_TRUE(filter(QStringLiteral("   ")).sql.isEmpty());
}

TEST(JetFilter, RefusesWhatItDoesNotKnow) {
    EXPECT_FALSE(refused(QStringLiteral("Name='x'; DROP TABLE sim")).isEmpty());
    EXPECT_FALSE(refused(QStringLiteral("Name='unterminated")).isEmpty());
    EXPECT_TRUE(refused(QStringLiteral("Nmae='x'")).contains(QStringLiteral("Nmae")));
    EXPECT_FALSE(refused(QStringLiteral("Name=#1/1/2001#")).isEmpty());
    EXPECT_FALSE(refused(QStringLiteral("(Name='x'")).isEmpty());
    EXPECT_FALSE(refused(QStringLiteral("Name like MainNumber")).isEmpty());
    EXPECT_FALSE(refused(QStringLiteral("'x' like 'x*'")).isEmpty());
    EXPECT_FALSE(refused(QStringLiteral("Name='a' OR")).isEmpty());
    EXPECT_FALSE(refused(QStringLiteral("Name='a' -- comment")).isEmpty());
}

TEST(JetSort, OrderListsWithDirections) {
    QString order;
    QString error;
    ASSERT_TRUE(translateJetSort(QStringLiteral("until_year DESC,[Name] asc, Number"),
                                 phonebookColumns(), &order, &error));
    EXPECT_EQ(order, QStringLiteral("\"until_year\" DESC, \"Name\" COLLATE NOCASE ASC, "
                                    "\"Number\" ASC"));
    EXPECT_FALSE(
        translateJetSort(QStringLiteral("Name DESC; DELETE"), phonebookColumns(), &order, &error));
    EXPECT_FALSE(translateJetSort(QStringLiteral("Bogus ASC"), phonebookColumns(), &order, &error));
    EXPECT_FALSE(translateJetSort(QStringLiteral("Name,"), phonebookColumns(), &order, &error));
}

// A class whose range runs backwards compiles to no regular expression; it used to reach SQLite
// and fail there on every row.
TEST(JetFilter, RefusesLikeClassesThatAreNoPattern) {
    QString regex;
    QString error;
    EXPECT_FALSE(jetLikeToRegex(QStringLiteral("[i--ndex]"), &regex, &error));
    EXPECT_TRUE(error.contains(QStringLiteral("class"))) << error.toStdString();
    EXPECT_FALSE(refused(QStringLiteral("Name like '[z-a]*'")).isEmpty());
    EXPECT_FALSE(refused(QStringLiteral("Name not like '*[!9-0]'")).isEmpty());
    ASSERT_TRUE(jetLikeToRegex(QStringLiteral("[a-c-]*"), &regex, &error));
    EXPECT_EQ(regex, QStringLiteral("(?is)^[a-c-].*\\z"));
}

// Characters beyond the basic plane are two UTF-16 halves; a contains-filter on one (a name
// holding an emoji) must still be a pattern that matches it.
TEST(JetFilter, LikePatternsKeepCharactersBeyondTheBasicPlaneWhole) {
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    QString regex;
    QString error;
    ASSERT_TRUE(jetLikeToRegex(QStringLiteral("*") + smile + QStringLiteral("!*"), &regex, &error))
        << error.toStdString();
    EXPECT_TRUE(QRegularExpression(regex)
                    .match(QStringLiteral("Ann ") + smile + QStringLiteral("!"))
                    .hasMatch());
    EXPECT_FALSE(QRegularExpression(regex).match(QStringLiteral("Ann !")).hasMatch());
    const SqlCondition c = filter(QStringLiteral("Name like ") + jetLikeContains(smile));
    ASSERT_EQ(c.binds.size(), 1);
    EXPECT_TRUE(QRegularExpression(c.binds[0].toString()).match(smile).hasMatch());
}
