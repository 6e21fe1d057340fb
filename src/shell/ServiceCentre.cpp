#include "shell/ServiceCentre.h"

#include <QRegularExpression>
#include <QStringList>

#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "phone/ServiceCentreAnswers.h"
#include "platform/Prompter.h"

namespace {
const QString kCaption = QStringLiteral("SCA");
}

QString ReadServiceCentreAddress(PhoneLink& link) {
    QString text;
    if (link.ReadServiceCentre(text) != kTransactComplete) {
        return {};
    }
    return ServiceCentreAddressOf(text);
}

bool IsServiceCentreAddress(const QString& address) {
    static const QRegularExpression pattern(QStringLiteral("^\\+?[0-9*#]+$"));
    return address.size() <= kServiceCentreMaxLength && pattern.match(address).hasMatch();
}

void RunServiceCentre(PhoneLink& link, const ServiceCentreEditor& edit) {
    if (!link.Identify()) {
        showMessage(QStringLiteral("Now is OFF line"), kCaption, PromptIcon::Error);
        return;
    }
    const std::optional<QString> address = edit(ReadServiceCentreAddress(link));
    if (!address || address->isEmpty()) {
        return;
    }
    if (!IsServiceCentreAddress(*address)) {
        showMessage(QStringLiteral("A service centre address holds digits, an optional leading "
                                   "\"+\", \"*\" and \"#\", at most 21 characters."),
                    kCaption, PromptIcon::Warning);
        return;
    }
    link.WriteServiceCentre(*address);
}
