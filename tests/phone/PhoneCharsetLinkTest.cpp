// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "phone/AppState.h"
#include "phone/PhoneLink.h"
#include "support/EnginePhoneLink.h"

// Selecting the chosen set on the phone, and the set user text is judged against.

namespace {

PhoneSettings chosen(PhoneCharset set) {
    return PhoneSettings{.charset = set, .fastLoad = false, .profile = {}, .smsFormat = {}};
}

qsizetype sentCount(EnginePhoneLink& phone, const QByteArray& command) {
    return std::count(phone.line().writes().begin(), phone.line().writes().end(), command);
}

}  // namespace

TEST(PhoneCharsetLink, TheChosenSetIsSelectedAndSentAgainAfterEveryProbe) {
    EnginePhoneLink phone(PhoneSimState::demo(), chosen(PhoneCharset::Ucs2));
    ASSERT_TRUE(phone.link().phoneFound);
    EXPECT_EQ(phone.link().charsetInUse(), PhoneCharset::Ucs2);
    EXPECT_EQ(phone.engine().state().charset, "UCS2");
    EXPECT_EQ(phone.link().phonebookNameLength(0), 18);
    // The probe's reset puts the phone back in its default set.
    ASSERT_TRUE(phone.link().Identify());
    EXPECT_EQ(phone.engine().state().charset, "UCS2");
    EXPECT_EQ(sentCount(phone, "at+cscs=?\r"), 1);
    EXPECT_EQ(sentCount(phone, "at+cscs=\"UCS2\"\r"), 2);
    EXPECT_TRUE(phone.link().notices.take().isEmpty());
}

TEST(PhoneCharsetLink, APhoneRefusingTheSetLeavesLatin1AndSaysSoOnce) {
    PhoneSimState state = PhoneSimState::demo();
    state.refusedCharsets = {"UCS2"};
    EnginePhoneLink phone(state, chosen(PhoneCharset::Ucs2));
    EXPECT_EQ(phone.link().charsetInUse(), PhoneCharset::Latin1);
    ASSERT_TRUE(phone.link().Identify());
    Notices shown;
    phone.link().notices.setReporter([&](const Notice& notice) { shown.append(notice); });
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0].text,
              "The phone does not take the character set Unicode (UCS2). Names and texts are "
              "exchanged in Phone default (Latin-1).");
}

// User text is judged against the connection's set in use; the maker's scheduler and to-do
// contents keep the default set's rules whatever the choice.
TEST(PhoneCharsetLink, SafeTextFollowsTheSetInUse) {
    AppStateOwner owner;
    EnginePhoneLink phone(PhoneSimState::demo(), chosen(PhoneCharset::Ucs2));
    owner.state().textLink = &phone.link();
    const QString quoted = QStringLiteral("Tom \"Q\" Ray €");
    EXPECT_TRUE(isPhoneSafeText(quoted, PhoneTextKind::Name));
    EXPECT_TRUE(isPhoneSafeText(quoted, PhoneTextKind::MessageText));
    EXPECT_FALSE(isPhoneSafeText(quoted, PhoneTextKind::Contents));
    EXPECT_FALSE(isPhoneSafeText(QStringLiteral("a\rb"), PhoneTextKind::Name));
    owner.state().textLink = nullptr;
    owner.state().runSettings.charset = PhoneCharset::Gsm;
    EXPECT_TRUE(phoneSafeTextProblem(QStringLiteral("王"), PhoneTextKind::Name)
                    .contains("outside the GSM alphabet"));
}
