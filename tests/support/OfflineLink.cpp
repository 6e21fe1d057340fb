// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/OfflineLink.h"

#include "support/FakeSerialDevice.h"

OfflineLink::OfflineLink() {
    PhoneLinkOptions options;
    options.devicePath = "/dev/fake";
    options.clock = &clock;
    options.deviceFactory = [this]() -> std::unique_ptr<SerialDevice> {
        auto device = std::make_unique<FakeSerialDevice>(clock);
        device->setOpenFails(true);
        return device;
    };
    link = std::make_unique<PhoneLink>(std::move(options));
}
