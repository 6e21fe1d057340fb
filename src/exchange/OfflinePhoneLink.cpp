#include "exchange/OfflinePhoneLink.h"

#include "link/SerialDevice.h"
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

std::unique_ptr<PhoneLink> makeOfflinePhoneLink() {
    PhoneLinkOptions options;
    options.deviceFactory = [] { return std::make_unique<NoLine>(); };
    return std::make_unique<PhoneLink>(std::move(options));
}
