// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DemoPhone.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

#include "db/DatabaseSchema.h"
#include "phone/PhoneLink.h"
#include "phonesim/PhoneSimServer.h"
#include "phonesim/PhoneSimState.h"
#include "phonesim/PhoneSimStateFile.h"
#include "platform/Profile.h"

namespace {
const char kStateFile[] = "DemoPhone.json";
const char kUnreadableSuffix[] = ".unreadable";
}  // namespace

DemoPhone::DemoPhone(QString workDir) : workDir_(std::move(workDir)) {}

DemoPhone::~DemoPhone() {
    stop();
}

QString DemoPhone::defaultWorkDir() {
    QString base = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    if (base.isEmpty() || !QDir().mkpath(base)) {
        base = QDir::tempPath() + "/dexmoro";
    }
    return base + "/demo";
}

QString DemoPhone::statePath() const {
    return QDir(workDir_).filePath(kStateFile);
}

bool DemoPhone::start(QString* error, QString* notice, std::optional<PhoneProfile> phoneType) {
    if (!QDir().mkpath(workDir_) || !QDir::setCurrent(workDir_)) {
        *error = "cannot use the demo folder " + workDir_;
        return false;
    }
    Profile::useFolder(workDir_);

    PhoneSimState state = PhoneSimState::showcase();
    if (QFile::exists(statePath())) {
        QString reason;
        if (!loadPhoneSimState(statePath(), &state, &reason)) {
            // Keep the unreadable file for whoever wants to look at it; the demo goes on
            // from the demo data, and the next save must not overwrite it.
            const QString aside = statePath() + kUnreadableSuffix;
            QFile::remove(aside);
            QFile::rename(statePath(), aside);
            state = PhoneSimState::showcase();
            if (notice) {
                *notice = reason + "; it was moved to " + aside +
                          " and the demo phone starts from its demo data";
            }
        }
    }
    if (phoneType.value_or(profilePhoneSettings().profile) == PhoneProfile::Standard) {
        state.becomeStandardPersona();
    }

    server_ = std::make_unique<PhoneSimServer>(state);
    QString reason;
    if (!server_->start(&reason)) {
        *error = "cannot start the simulated phone: " + reason;
        server_.reset();
        return false;
    }
    PhoneLink::setDevicePathOverride(server_->slavePath());
    return true;
}

bool DemoPhone::stop(QString* error) {
    if (!server_) {
        return true;
    }
    const PhoneSimState state = server_->stateSnapshot();
    server_->stop();
    server_.reset();
    return savePhoneSimState(statePath(), state, error);
}

bool DemoPhone::reset(QString* error) {
    const QDir dir(workDir_);
    QStringList files{kStateFile};
    for (const QString& database :
         {kPhonebookDbFile, kSmsDbFile, kSchedulerDbFile, kToDoListDbFile}) {
        files << database << database + "-journal" << database + "-wal" << database + "-shm";
    }
    for (const QString& name : files) {
        const QString path = dir.filePath(name);
        if (QFile::exists(path) && !QFile::remove(path)) {
            *error = "cannot remove " + path;
            return false;
        }
    }
    return true;
}

QString DemoPhone::devicePath() const {
    return server_ ? server_->slavePath() : QString();
}

PhoneSimState DemoPhone::phoneState() const {
    return server_ ? server_->stateSnapshot() : PhoneSimState();
}
