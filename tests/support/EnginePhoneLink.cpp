// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/EnginePhoneLink.h"

EnginePhoneLink::EnginePhoneLink(PhoneSimState state, std::optional<PhoneSettings> settings)
    : engine_(std::move(state)) {
    PhoneLinkOptions options;
    options.settings = settings;
    options.devicePath = "/dev/simulated-phone";
    options.clock = &clock_;
    options.deviceFactory = [this]() -> std::unique_ptr<SerialDevice> {
        auto device = std::make_unique<FakeSerialDevice>(clock_);
        device->setResponder([this](const QByteArray& written) {
            return QList<FakeChunk>{{0, engine_.feed(written), false}};
        });
        line_ = device.get();
        return device;
    };
    link_ = std::make_unique<PhoneLink>(std::move(options));
}

void EnginePhoneLink::silenceAfter(int answered) {
    auto left = std::make_shared<int>(answered);
    line_->setResponder([this, left](const QByteArray& written) {
        QList<FakeChunk> chunks;
        if ((*left)-- > 0) {
            chunks.append(FakeChunk{0, engine_.feed(written), false});
        }
        return chunks;
    });
}
