// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppTestSupport.h"

#include "app/SplashWindow.h"
#include "phone/DetachedPhoneLink.h"
#include "phone/PhoneLink.h"
#include "platform/Profile.h"

void AppTest::SetUp() {
    Profile::useFolder(workDir.path());
    SplashWindow::setEnabled(false);
}

void AppTest::TearDown() {
    Profile::useFolder(QString());
}

std::unique_ptr<PhoneLink> makeTestLink(bool phoneFound, bool portOpen) {
    std::unique_ptr<PhoneLink> link = makeDetachedPhoneLink();
    link->phoneFound = phoneFound;
    link->connected = portOpen ? 1 : 0;
    return link;
}

std::unique_ptr<PhoneLink> makeTestLink(bool phoneFound) {
    return makeTestLink(phoneFound, phoneFound);
}
