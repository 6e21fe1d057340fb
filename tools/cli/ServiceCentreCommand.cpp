// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli sca [ADDRESS]: prints the phone's SMS service centre, or sets it.

#include "CliCommand.h"
#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "platform/Notice.h"
#include "shell/ServiceCentre.h"

namespace {

int runServiceCentre(CliContext& context, const QStringList& arguments) {
    if (arguments.size() > 1) {
        return context.usageError("sca takes at most one address");
    }
    if (arguments.size() == 1 && !IsServiceCentreAddress(arguments[0])) {
        return context.usageError(QString("not a service centre address: %1 (digits, an optional "
                                          "leading +, * and #, at most %2 characters)")
                                      .arg(arguments[0])
                                      .arg(kServiceCentreMaxLength));
    }
    std::unique_ptr<PhoneLink> link = context.connectPhone();
    if (!link->phoneFound) {
        context.err() << "dexmoro-cli: " << offLineNotice().text << "\n";
        context.err().flush();
        return 1;
    }
    if (arguments.isEmpty()) {
        context.out() << ReadServiceCentreAddress(*link) << "\n";
        context.out().flush();
        return 0;
    }
    if (link->WriteServiceCentre(arguments[0]) != kTransactComplete) {
        context.err() << "dexmoro-cli: the phone refused the service centre address\n";
        context.err().flush();
        return 1;
    }
    return 0;
}

CliCommandRegistrar registrar({"sca", "sca [ADDRESS]",
                               "Prints the phone's SMS service centre address, or sets it.",
                               runServiceCentre});

}  // namespace
