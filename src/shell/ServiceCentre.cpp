// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/ServiceCentre.h"

#include <QRegularExpression>
#include <QStringList>

#include "phone/PhoneLink.h"
#include "phone/PhoneResult.h"
#include "phone/ServiceCentreAnswers.h"

namespace {
const QString kCaption = QStringLiteral("SCA");
}

QString ReadServiceCentreAddress(PhoneLink& link) {
    QString text;
    if (link.ReadServiceCentre(text) != kPhoneDone) {
        return {};
    }
    return ServiceCentreAddressOf(text, link.charsetInUse());
}

bool IsServiceCentreAddress(const QString& address) {
    static const QRegularExpression pattern(QStringLiteral("^\\+?[0-9*#]+$"));
    return address.size() <= kServiceCentreMaxLength && pattern.match(address).hasMatch();
}

Notices RunServiceCentre(PhoneLink& link, const ServiceCentreEditor& edit) {
    if (!link.Identify()) {
        Notice offLine = offLineNotice();
        offLine.caption = kCaption;
        return {offLine};
    }
    const std::optional<QString> address = edit(ReadServiceCentreAddress(link));
    if (!address || address->isEmpty()) {
        return {};
    }
    if (!IsServiceCentreAddress(*address)) {
        return {Notice{QStringLiteral("A service centre address holds digits, an optional "
                                      "leading \"+\", \"*\" and \"#\", at most 21 characters."),
                       kCaption, PromptIcon::Warning}};
    }
    link.WriteServiceCentre(*address);
    return {};
}
