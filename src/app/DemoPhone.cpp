#include "app/DemoPhone.h"

#include <QDir>
#include <QStandardPaths>

#include "phone/PhoneLink.h"
#include "phonesim/PhoneSimServer.h"
#include "phonesim/PhoneSimState.h"
#include "platform/Profile.h"

DemoPhone::DemoPhone() = default;

DemoPhone::~DemoPhone() {
    if (server_) {
        server_->stop();
    }
}

QString DemoPhone::defaultWorkDir() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (base.isEmpty() || !QDir().mkpath(base)) {
        base = QDir::tempPath() + "/dexmoro";
    }
    return base + "/demo";
}

bool DemoPhone::start(QString* error) {
    workDir_ = defaultWorkDir();
    if (!QDir().mkpath(workDir_) || !QDir::setCurrent(workDir_)) {
        *error = "cannot use the demo folder " + workDir_;
        return false;
    }
    Profile::useFolder(workDir_);

    server_ = std::make_unique<PhoneSimServer>(PhoneSimState::demo());
    QString reason;
    if (!server_->start(&reason)) {
        *error = "cannot start the simulated phone: " + reason;
        server_.reset();
        return false;
    }
    PhoneLink::setDevicePathOverride(server_->slavePath());
    return true;
}

QString DemoPhone::devicePath() const {
    return server_ ? server_->slavePath() : QString();
}
