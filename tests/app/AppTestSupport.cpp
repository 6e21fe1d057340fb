#include "AppTestSupport.h"

#include "app/SplashWindow.h"
#include "link/SerialDevice.h"
#include "phone/PhoneLink.h"
#include "platform/Profile.h"

namespace {
class UnopenableDevice : public SerialDevice {
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

void AppTest::SetUp() {
    Profile::useFolder(workDir.path());
    SplashWindow::setEnabled(false);
}

void AppTest::TearDown() {
    Profile::useFolder(QString());
}

std::unique_ptr<PhoneLink> makeTestLink(bool phoneFound, bool portOpen) {
    PhoneLinkOptions options;
    options.deviceFactory = [] { return std::make_unique<UnopenableDevice>(); };
    auto link = std::make_unique<PhoneLink>(std::move(options));
    link->phoneFound = phoneFound;
    link->connected = portOpen ? 1 : 0;
    return link;
}

std::unique_ptr<PhoneLink> makeTestLink(bool phoneFound) {
    return makeTestLink(phoneFound, phoneFound);
}
