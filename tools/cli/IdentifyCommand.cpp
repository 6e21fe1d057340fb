// SPDX-License-Identifier: GPL-3.0-or-later
// dexmoro-cli identify: the start-up connection attempt, reported line by line.

#include "CliCommand.h"
#include "phone/PhoneLink.h"

namespace {

int runIdentify(CliContext& context, const QStringList& arguments) {
    if (!arguments.isEmpty()) {
        return context.usageError("identify takes no arguments");
    }
    std::unique_ptr<PhoneLink> link = context.connectPhone();
    QTextStream& out = context.out();
    out << "phone: " << (link->phoneFound ? "found" : "not found") << "\n";
    out << "port: " << link->devicePath() << "\n";
    if (!link->phoneFound) {
        // The capacities would be the link's defaults, never read from a phone.
        out.flush();
        if (const QString refusal = link->refusalText(); !refusal.isEmpty()) {
            context.err() << "dexmoro-cli: " << refusal << "\n";
            context.err().flush();
        }
        return 1;
    }
    const int mask = link->QueryFeatureMask();
    if (link->settings.profile == PhoneProfile::Standard) {
        out << "maker: " << link->maker << "\n";
        out << "model: " << link->model << "\n";
        out << "revision: " << link->revision << "\n";
        out << "serial number: " << link->serialNumber << "\n";
        out << "phonebooks: " << (link->phonebookOffered(0) ? "sim" : "")
            << (link->phonebookOffered(0) && link->phonebookOffered(1) ? " " : "")
            << (link->phonebookOffered(1) ? "ms" : "") << "\n";
    }
    out << "sim phonebook capacity: " << link->simPhonebookCapacity << "\n";
    out << "ms phonebook capacity: " << link->mePhonebookCapacity << "\n";
    out << "sim message capacity: " << link->simMessageCapacity << "\n";
    out << "broadcast message capacity: " << link->broadcastMessageCapacity << "\n";
    out << "feature mask: " << mask << "\n";
    out.flush();
    return 0;
}

CliCommandRegistrar registrar({"identify", "identify",
                               "Looks for the phone and prints its capacities and feature mask, "
                               "with maker, model, revision and serial number under the standard "
                               "phone type (exit 0 when found; 1 when not, with the port alone).",
                               runIdentify});

}  // namespace
