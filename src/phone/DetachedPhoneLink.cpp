// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/DetachedPhoneLink.h"

#include "link/SerialDevice.h"
#include "phone/ApplicationPhone.h"
#include "phone/PhoneLink.h"

namespace {

class NoLine : public SerialDevice {
  public:
    bool open(const QString&) override { return false; }
    bool applySettings(const SerialSettings&) override { return false; }
    void close() override {}
    void setDtr(bool) override {}
    qint64 write(const QByteArray&) override { return -1; }
    qint64 bytesQueued() override { return 0; }
    QByteArray read(qint64) override { return {}; }
    bool waitForBytes(int) override { return false; }
    bool hungUp() const override { return true; }
};

}  // namespace

std::unique_ptr<PhoneLink> makeDetachedPhoneLink() {
    PhoneLinkOptions options;
    options.deviceFactory = [] { return std::make_unique<NoLine>(); };
    return std::make_unique<PhoneLink>(std::move(options));
}

PhoneLink& applicationLinkOr(std::unique_ptr<PhoneLink>& detached) {
    if (PhoneLink* link = applicationPhone().link) {
        return *link;
    }
    if (!detached) {
        detached = makeDetachedPhoneLink();
    }
    return *detached;
}
