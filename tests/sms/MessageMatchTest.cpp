#include <gtest/gtest.h>

#include "sms/MessageMatch.h"

TEST(MessageIndex, KnowsAMessageByNumberTextAndTheTimeWhereBothSidesHaveOne) {
    MessageIndex index;
    index.add("+491", "01/05/14,12:30:00+36", "a\r\nb");
    index.add("0123", "24 hour", "draft");
    const struct {
        const char* number;
        const char* date;
        const char* text;
        bool known;
    } cases[] = {
        {"+491", "01/05/14,12:30:00+36", "a\nb", true},     // line ends of another program
        {"+491", "01/05/14,03:30:00+00", "a\r\nb", true},   // the same instant in another zone
        {"+491", "01/05/14,12:30:01+36", "a\r\nb", false},  // another time
        {"+491", "", "a\r\nb", true},                       // written back: no time
        {"+492", "", "a\r\nb", false},
        {"+491", "", "a b", false},
        {"0123", "01/05/14,12:30:00+36", "draft", true},  // a validity text is no time
        {"0123", "", "Draft", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(index.contains(c.number, c.date, c.text), c.known)
            << c.number << " " << c.date << " " << c.text;
    }
}
