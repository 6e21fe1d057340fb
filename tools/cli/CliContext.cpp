// SPDX-License-Identifier: GPL-3.0-or-later
#include "CliContext.h"

#include <cstdio>

#include "phone/AppState.h"
#include "phone/PhoneLink.h"
#include "platform/Notice.h"
#include "platform/Profile.h"

CliContext::CliContext() : out_(stdout), err_(stderr) {}

std::unique_ptr<PhoneLink> CliContext::connectPhone() const {
    PhoneLinkOptions options;
    options.devicePath = devicePath;
    options.portNumber = portNumber;
    options.settings = withOverride(profilePhoneSettings(), settings);
    auto link = std::make_unique<PhoneLink>(std::move(options));
    link->notices.setReporter(showNotice);
    if (!link->connected && !link->openProblem.isEmpty()) {
        showNotice(Notice{link->openProblem, QStringLiteral("Serial device"), PromptIcon::Error});
    }
    // User text of this run is judged against what the phone took.
    appState().textLink = link.get();
    return link;
}

int CliContext::resolvedPortNumber() const {
    return portNumber >= 0 ? portNumber : Profile::intValue("CONFIG", "PORT", 3);
}

int CliContext::usageError(const QString& message) {
    out_.flush();
    err_ << "dexmoro-cli: " << message << "\nTry 'dexmoro-cli --help'.\n";
    err_.flush();
    return 2;
}

LazyPhone::LazyPhone(const CliContext& context) : context_(context) {}

LazyPhone::~LazyPhone() = default;

PhoneLink& LazyPhone::operator()() {
    if (!link_) {
        link_ = context_.connectPhone();
    }
    return *link_;
}
