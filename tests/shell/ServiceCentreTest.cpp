// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "shell/ServiceCentre.h"
#include "support/EnginePhoneLink.h"

namespace {

// The dialog as a script: records what it was shown and answers with a fixed result.
struct EditorScript {
    EditorScript() = default;
    explicit EditorScript(QString text) : answer(std::move(text)) {}
    std::optional<QString> answer;
    QStringList shown;
    ServiceCentreEditor editor() {
        return [this](const QString& initial) {
            shown.append(initial);
            return answer;
        };
    }
};

int cscaWrites(EnginePhoneLink& phone) {
    int count = 0;
    for (const QByteArray& line : phone.line().writes()) {
        count += line.startsWith("at+csca=") ? 1 : 0;
    }
    return count;
}

}  // namespace

TEST(ServiceCentre, ReadsTheAddressEditsItAndWritesItBack) {
    EnginePhoneLink phone;
    ASSERT_TRUE(phone.link().phoneFound);
    EditorScript dialog{QString("+447700900999")};
    const Notices told = RunServiceCentre(phone.link(), dialog.editor());
    EXPECT_EQ(dialog.shown, QStringList{"+447785016005"});
    EXPECT_EQ(phone.line().writes().last(), "at+csca=\"+447700900999\"\r");
    EXPECT_EQ(phone.engine().state().serviceCentre, "+447700900999");
    EXPECT_TRUE(told.isEmpty());
}

TEST(ServiceCentre, WithoutThePhoneItSaysOffLineAndSendsNothing) {
    PhoneSimState state = PhoneSimState::demo();
    state.maker = "Othermake";
    EnginePhoneLink phone(state);
    EditorScript dialog{QString("+1")};
    const Notices told = RunServiceCentre(phone.link(), dialog.editor());
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0].text, "Now is OFF line");
    EXPECT_EQ(told[0].caption, "SCA");
    EXPECT_EQ(told[0].icon, PromptIcon::Error);
    EXPECT_TRUE(dialog.shown.isEmpty());
    EXPECT_EQ(cscaWrites(phone), 0);
}

TEST(ServiceCentre, AFailedReadOpensTheDialogEmpty) {
    EnginePhoneLink phone;
    PhoneSimFaults faults;
    faults.errorPattern = "csca?";
    phone.engine().setFaults(faults);
    EditorScript dialog;
    RunServiceCentre(phone.link(), dialog.editor());
    EXPECT_EQ(dialog.shown, QStringList{""});
}

TEST(ServiceCentre, CancelOrAnEmptyFieldSendsNothing) {
    EnginePhoneLink phone;
    EditorScript cancelled;
    RunServiceCentre(phone.link(), cancelled.editor());
    EditorScript emptied{QString()};
    RunServiceCentre(phone.link(), emptied.editor());
    EXPECT_EQ(cscaWrites(phone), 0);
    EXPECT_EQ(phone.engine().state().serviceCentre, "+447785016005");
}

TEST(ServiceCentre, AnAddressThatWouldChangeTheCommandIsRefused) {
    EnginePhoneLink phone;
    EditorScript dialog{QString("+44\";+cmgd=1")};
    const Notices told = RunServiceCentre(phone.link(), dialog.editor());
    ASSERT_EQ(told.size(), 1);
    EXPECT_EQ(told[0].caption, "SCA");
    EXPECT_EQ(told[0].icon, PromptIcon::Warning);
    EXPECT_EQ(cscaWrites(phone), 0);
}

TEST(ServiceCentre, AddressRules) {
    EXPECT_TRUE(IsServiceCentreAddress("+447785016005"));
    EXPECT_TRUE(IsServiceCentreAddress("0123*#"));
    EXPECT_TRUE(IsServiceCentreAddress(QString(21, '1')));
    EXPECT_FALSE(IsServiceCentreAddress(QString(22, '1')));
    EXPECT_FALSE(IsServiceCentreAddress("12+3"));
    EXPECT_FALSE(IsServiceCentreAddress("123,145"));
    EXPECT_FALSE(IsServiceCentreAddress(""));
}
