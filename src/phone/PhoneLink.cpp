// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/PhoneLink.h"

#include "link/DeviceProblems.h"
#include "link/LinkClock.h"
#include "link/PortNaming.h"
#include "link/SerialDevice.h"
#include "phone/AppState.h"
#include "phone/IdentityAnswers.h"
#include "phone/StandardAnswers.h"
#include "platform/Profile.h"

namespace {

QString& processDevicePath() {
    static QString path;
    return path;
}

constexpr quint32 kBaudRate = 38400;
constexpr quint8 kDataBits = 8;
constexpr int kDefaultPort = 3;
constexpr int kIdentifyAttempts = 3;

// Stores the number when the answer held one; otherwise the field keeps its value.
void keepIfRead(std::optional<int> number, int* field) {
    if (number) {
        *field = *number;
    }
}

}  // namespace

PhoneLink::PhoneLink() : PhoneLink(PhoneLinkOptions{}) {}

PhoneLink::PhoneLink(PhoneLinkOptions options) : options_(std::move(options)) {
    settings = options_.settings ? *options_.settings : runPhoneSettings();
    LoadPortSetting();
    if (options_.portNumber >= 0) {
        portNumber = static_cast<quint8>(options_.portNumber);
    }
    Connect();
    phoneFound = connected ? Identify() : false;
    if (phoneFound) {
        QueryCapacities();
    }
}

PhoneLink::~PhoneLink() {
    if (appState().textLink == this) {
        appState().textLink = nullptr;
    }
    Disconnect();
}

void PhoneLink::setDevicePathOverride(const QString& path) {
    processDevicePath() = path;
}

QString PhoneLink::devicePathOverride() {
    return processDevicePath();
}

QString PhoneLink::devicePath() const {
    if (!options_.devicePath.isEmpty()) {
        return options_.devicePath;
    }
    if (!processDevicePath().isEmpty()) {
        return processDevicePath();
    }
    return devicePathForPort(portNumber);
}

void PhoneLink::LoadPortSetting() {
    portNumber = static_cast<quint8>(Profile::intValue("CONFIG", "PORT", kDefaultPort));
}

void PhoneLink::Connect() {
    if (!port) {
        std::unique_ptr<SerialDevice> device;
        if (options_.deviceFactory) {
            device = options_.deviceFactory();
        }
        port = std::make_unique<SerialPort>(portNumber, kBaudRate, kDataBits, 0, 0, 0,
                                            std::move(device), options_.clock);
        port->notices().setReporter([this](const Notice& notice) { notices.report(notice); });
    }
    port->SetParameters(portNumber, kBaudRate, kDataBits, 0, 0, 0);
    const QString overridePath =
        options_.devicePath.isEmpty() ? processDevicePath() : options_.devicePath;
    port->setDevicePath(overridePath);
    if (port->Open()) {
        connected = 1;
        openProblem.clear();
    } else {
        openProblem = port->openProblem();
        Disconnect();
    }
}

void PhoneLink::Disconnect() {
    if (port) {
        port->Close();
        port.reset();
    }
    connected = 0;
}

bool PhoneLink::Identify() {
    if (!connected) {
        return false;
    }
    if (settings.profile == PhoneProfile::Standard) {
        return identifyStandard();
    }
    QString answer;
    Transact("atz\r", answer);
    for (int attempt = 0; attempt < kIdentifyAttempts; ++attempt) {
        const int code = Transact("at+cgmi\r", answer);
        if (code == kTransactComplete && AnswerNamesMaker(answer)) {
            selectCharset();
            return true;
        }
        const QString named = code == kTransactComplete ? ParseIdentityAnswer(answer) : QString();
        if (!named.isEmpty() && !AnswerNamesMaker(u' ' + named)) {
            maker = named;
        }
    }
    return false;
}

QString PhoneLink::refusalText() const {
    if (phoneFound || maker.isEmpty() || settings.profile != PhoneProfile::Quillon) {
        return {};
    }
    return QStringLiteral(
               "The phone on %1 is made by %2, not by Quillon. To use it, choose \"%3\" "
               "as the phone type in the Option dialog (or run with --profile "
               "standard).")
        .arg(devicePath(), maker, phoneProfileLabel(PhoneProfile::Standard));
}

int PhoneLink::QueryCapacities() {
    if (settings.profile == PhoneProfile::Standard) {
        return queryStandardCapacities();
    }
    QString answer;
    int code = Transact("at+cpbs=\"sm\"\r", answer);
    if (code != 0) {
        return code;
    }
    if ((code = Transact("at+cpbs?\r", answer)) != 0) {
        return code;
    }
    keepIfRead(ParsePhonebookCapacity(answer), &simPhonebookCapacity);
    readNameLength(0);
    if ((code = Transact("at+cpbs=\"me\"\r", answer)) != 0) {
        return code;
    }
    if ((code = Transact("at+cpbs?\r", answer)) != 0) {
        return code;
    }
    keepIfRead(ParsePhonebookCapacity(answer), &mePhonebookCapacity);
    readNameLength(1);
    if ((code = Transact("at+cpms=\"sm\"\r", answer)) != 0) {
        return code;
    }
    keepIfRead(ParseMessageCapacity(answer), &simMessageCapacity);
    if ((code = Transact("at+cpms=\"bm\"\r", answer)) != 0) {
        return code;
    }
    keepIfRead(ParseMessageCapacity(answer), &broadcastMessageCapacity);
    return 0;
}

PhoneCharset PhoneLink::charsetInUse() const {
    return charsetInUse_.value_or(settings.charset);
}

int PhoneLink::phonebookNameLength(int which) const {
    return which == 0 || which == 1 ? nameLengths_[which] : 0;
}

void PhoneLink::selectCharset() {
    const PhoneCharset wanted = settings.charset;
    if (wanted == PhoneCharset::Latin1) {
        charsetInUse_ = wanted;  // the phone's default: nothing to select
        return;
    }
    const QString name = phoneCharsetCommandName(wanted);
    QString answer;
    if (!charsetOffered_) {
        charsetOffered_ = Transact("at+cscs=?\r", answer) == kTransactComplete &&
                          AnswerOffersCharset(answer, name);
    }
    const bool taken = *charsetOffered_ &&
                       Transact(QString("at+cscs=\"%1\"\r").arg(name), answer) == kTransactComplete;
    charsetInUse_ = taken ? wanted : PhoneCharset::Latin1;
    if (!taken && charsetTold_ != charsetInUse_) {
        charsetTold_ = charsetInUse_;
        notices.reportWhenShown(
            Notice{QStringLiteral("The phone does not take the character set %1. Names and texts "
                                  "are exchanged in %2.")
                       .arg(phoneCharsetLabel(wanted), phoneCharsetLabel(PhoneCharset::Latin1)),
                   QStringLiteral("Text encoding"), PromptIcon::Warning});
    }
}

// Only asked when a set was chosen: the default exchange stays as the maker's phones know it.
void PhoneLink::readNameLength(int which) {
    QString answer;
    if (settings.charset != PhoneCharset::Latin1 &&
        Transact("at+cpbr=?\r", answer) == kTransactComplete) {
        keepIfRead(ParsePhonebookTextLength(answer), &nameLengths_[which]);
    }
}

int PhoneLink::SelectPhonebookMemory(int which) {
    if (settings.profile == PhoneProfile::Standard && !phonebookOffered(which)) {
        return kTransactFailed;
    }
    if (which == 0 || which == 1) {
        selectedMemory_ = which;
    }
    switch (which) {
        case 0:
            return SendExpectOk("at+cpbs=\"sm\"\r");
        case 1:
            return SendExpectOk("at+cpbs=\"me\"\r");
        default:
            return kTransactFailed;  // no such memory on the phone
    }
}

int PhoneLink::QueryFeatureMask() {
    if (settings.profile == PhoneProfile::Standard) {
        if (!port) {
            notices.report(closedPortNotice());  // the device's error, told once at start-up
        }
        return phoneFound ? standardMask_ : 0;
    }
    QString answer;
    if (Transact("at+crfo\r", answer) != kTransactComplete) {
        return 0;
    }
    return ParseFeatureMask(answer).value_or(0);
}

int PhoneLink::Transact(const QString& command, QString& answer, PollRate rate) {
    answer.clear();
    if (!port) {
        notices.report(closedPortNotice());
        return kTransactComplete;
    }
    QByteArray bytes;
    const int code = port->Transact(command.toLatin1(), bytes, rate);
    answer = QString::fromLatin1(bytes);
    return code;
}

// The maker's phones' message stays, with the reason below it; other phones get the reason.
Notice PhoneLink::closedPortNotice() const {
    Notice notice = portClosedNotice();
    if (!openProblem.isEmpty()) {
        notice.text = settings.profile == PhoneProfile::Standard
                          ? openProblem
                          : notice.text + QStringLiteral("\n") + openProblem;
    }
    return notice;
}

QString PhoneLink::lostDeviceText() const {
    return port && port->vanished() ? deviceDisconnectedText(devicePath()) : QString();
}

int PhoneLink::SendExpectOk(const QString& command, PollRate rate) {
    QString answer;
    return Transact(command, answer, rate);
}
