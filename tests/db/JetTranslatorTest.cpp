#include <gtest/gtest.h>

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

TEST(JetFilter, TextComparisonIsCaseBlindAndLiteralsAreBound) {
    const SqlCondition c = filter(QStringLiteral("Name='O''Brien' AND MainNumber<>\"x\"\"y\""));
    EXPECT_EQ(c.sql, QStringLiteral("(\"Name\" COLLATE NOCASE = ?) AND "
                                    "(\"MainNumber\" COLLATE NOCASE <> ?)"));
    ASSERT_EQ(c.binds.size(), 2);
    EXPECT_EQ(c.binds[0].toString(), QStringLiteral("O'Brien"));
    EXPECT_EQ(c.binds[1].toString(), QStringLiteral("x\"y"));
}

TEST(JetFilter, StatusTermsJoinedWithOr) {
    SqlColumns columns;
    columns.insert(QStringLiteral("status"), {QStringLiteral("Status"), true});
    SqlCondition c;
    QString error;
    ASSERT_TRUE(translateJetFilter(QStringLiteral("Status='Unread' OR Status='Not Sent'"), columns,
                                   &c, &error));
    EXPECT_EQ(c.sql, QStringLiteral("(\"Status\" COLLATE NOCASE = ?) OR "
                                    "(\"Status\" COLLATE NOCASE = ?)"));
    EXPECT_EQ(c.binds, (QVariantList{QStringLiteral("Unread"), QStringLiteral("Not Sent")}));
}

TEST(JetFilter, LikeBecomesLowerCaseGlob) {
    const SqlCondition c =
        filter(QStringLiteral("Name like '*An*' OR MainNumber NOT LIKE '0?#[!A-C]*'"));
    EXPECT_EQ(c.sql, QStringLiteral("(lower(\"Name\") GLOB ?) OR "
                                    "(NOT (lower(\"MainNumber\") GLOB ?))"));
    EXPECT_EQ(c.binds, (QVariantList{QStringLiteral("*an*"), QStringLiteral("0?[0-9][^a-c]*")}));
}

TEST(JetFilter, EscapedLikeLiteralMatchesItself) {
    QString glob;
    QString error;
    ASSERT_TRUE(jetLikeToGlob(jetLikeEscape(QStringLiteral("a*?#[^]")), &glob, &error));
    EXPECT_EQ(glob, QStringLiteral("a[*][?]#[[]^]"));
    ASSERT_TRUE(jetLikeToGlob(QStringLiteral("[^x]"), &glob, &error));
    EXPECT_EQ(glob, QStringLiteral("[x^]"));  // a leading ^ is no negation in Jet
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
