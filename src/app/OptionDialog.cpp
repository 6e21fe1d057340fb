// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OptionDialog.h"

#include <algorithm>

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "link/PortNaming.h"
#include "phone/PhoneSettings.h"
#include "platform/Profile.h"

namespace {
constexpr int kPortButtons = 4;

QGroupBox* radioGroup(const QString& title, const QStringList& texts, QButtonGroup* group,
                      QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    auto* layout = new QGridLayout(box);
    for (int i = 0; i < texts.size(); ++i) {
        auto* radio = new QRadioButton(texts[i], box);
        group->addButton(radio, i + 1);
        layout->addWidget(radio, i, 0);
    }
    return box;
}

QGroupBox* charsetBox(QComboBox* list, QWidget* parent) {
    auto* box = new QGroupBox("Text encoding", parent);
    list->setParent(box);
    list->setObjectName("charsetList");
    for (const PhoneCharset set : {PhoneCharset::Latin1, PhoneCharset::Ucs2, PhoneCharset::Gsm}) {
        list->addItem(phoneCharsetLabel(set), phoneCharsetValue(set));
    }
    list->setCurrentIndex(list->findData(phoneCharsetValue(profilePhoneSettings().charset)));
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(list);
    return box;
}

// A titled box holding one list of choices; each item's data is the profile's value.
QGroupBox* choiceBox(const QString& title, QComboBox* list, const QString& name,
                     const QList<std::pair<QString, QString>>& items, const QString& current,
                     QWidget* parent) {
    auto* box = new QGroupBox(title, parent);
    list->setParent(box);
    list->setObjectName(name);
    for (const auto& [label, value] : items) {
        list->addItem(label, value);
    }
    list->setCurrentIndex(std::max(0, list->findData(current)));
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(list);
    return box;
}

QString deviceKey(int port) {
    return QString("DEVICE%1").arg(port);
}

QString entryText(const SerialPortEntry& entry) {
    QString text = entry.name;
    // A port the system knows nothing about is described by its own short name only.
    if (entry.deviceDescription != QFileInfo(entry.name).fileName()) {
        text += "  " + entry.deviceDescription;
    }
    if (!entry.manufacturer.isEmpty()) {
        text += ", " + entry.manufacturer;
    }
    if (entry.vendorId >= 0 && entry.productId >= 0) {
        text += QString(" [%1:%2]")
                    .arg(entry.vendorId, 4, 16, QChar('0'))
                    .arg(entry.productId, 4, 16, QChar('0'));
    }
    return text;
}
}  // namespace

OptionDialog::OptionDialog(QWidget* parent, const Registry* registry)
    : QDialog(parent), ports_(new QButtonGroup(this)), speeds_(new QButtonGroup(this)) {
    setWindowTitle("Option");
    auto* groups = new QHBoxLayout;
    QGroupBox* portsBox =
        radioGroup("Available Ports", {"COM1", "COM2", "COM3", "COM4"}, ports_, this);
    groups->addWidget(portsBox);
    groups->addWidget(radioGroup("Transmit Velocity",
                                 {"2400 bps", "4800 bps", "7200 bps", "9600 bps"}, speeds_, this));

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("OK", QDialogButtonBox::AcceptRole)->setDefault(true);
    buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &OptionDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &OptionDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    if (portsAreDevicePaths()) {
        const SerialPortInfoRegistry systemRegistry;
        addDeviceList(portsBox, (registry ? *registry : systemRegistry).serialPortEntries());
        layout->addWidget(deviceList_->parentWidget());
    }
    fastLoad_ = new QCheckBox("Fast loading (whole lists at once)", this);
    fastLoad_->setObjectName("fastLoad");
    fastLoad_->setChecked(profilePhoneSettings().fastLoad);
    layout->addWidget(fastLoad_);
    charsetList_ = new QComboBox(this);
    layout->addWidget(charsetBox(charsetList_, this));
    const PhoneSettings settings = profilePhoneSettings();
    profileList_ = new QComboBox(this);
    layout->addWidget(choiceBox(
        "Phone type", profileList_, "profileList",
        {{phoneProfileLabel(PhoneProfile::Quillon), phoneProfileValue(PhoneProfile::Quillon)},
         {phoneProfileLabel(PhoneProfile::Standard), phoneProfileValue(PhoneProfile::Standard)}},
        phoneProfileValue(settings.profile), this));
    smsFormatList_ = new QComboBox(this);
    layout->addWidget(choiceBox("Message format", smsFormatList_, "smsFormatList",
                                {{smsFormatLabel(SmsFormat::Text), smsFormatValue(SmsFormat::Text)},
                                 {smsFormatLabel(SmsFormat::Pdu), smsFormatValue(SmsFormat::Pdu)}},
                                smsFormatValue(settings.messageFormat()), this));
    smsStorageList_ = new QComboBox(this);
    layout->addWidget(
        choiceBox("Message storage", smsStorageList_, "smsStorageList",
                  {{smsStorageLabel(SmsStorage::Sim), smsStorageValue(SmsStorage::Sim)},
                   {smsStorageLabel(SmsStorage::Phone), smsStorageValue(SmsStorage::Phone)}},
                  smsStorageValue(settings.smsStorage), this));
    layout->addWidget(buttons);

    selectPort(Profile::intValue("CONFIG", "PORT", 3));
    speeds_->button(4)->setChecked(true);
    connect(ports_, &QButtonGroup::idToggled, this, [this](int, bool on) {
        if (on) {
            showDeviceOfSelectedPort();
        }
    });
}

bool OptionDialog::portsAreDevicePaths() {
#ifdef Q_OS_WIN
    return false;
#else
    return true;
#endif
}

void OptionDialog::addDeviceList(QWidget* portsBox, const QList<SerialPortEntry>& entries) {
    auto* grid = static_cast<QGridLayout*>(portsBox->layout());
    for (int port = 1; port <= kPortButtons; ++port) {
        auto* label = new QLabel(devicePathForPort(port), portsBox);
        label->setObjectName(QString("device%1").arg(port));
        label->setEnabled(false);
        grid->addWidget(label, port - 1, 1);
        deviceLabels_.insert(port, label);
    }

    auto* box = new QGroupBox("Device of the chosen port", this);
    deviceList_ = new QComboBox(box);
    deviceList_->setObjectName("deviceList");
    for (const SerialPortEntry& entry : entries) {
        deviceList_->addItem(entryText(entry), entry.name);
    }
    auto* boxLayout = new QVBoxLayout(box);
    boxLayout->addWidget(deviceList_);
    connect(deviceList_, &QComboBox::activated, this, &OptionDialog::deviceChosen);
}

int OptionDialog::selectedPort() const {
    return std::max(ports_->checkedId(), 0);
}

void OptionDialog::selectPort(int port) {
    if (QAbstractButton* button = ports_->button(port)) {
        button->setChecked(true);
        showDeviceOfSelectedPort();
        return;
    }
    // A port beyond the four buttons (a cable found on COM5, say) selects none.
    ports_->setExclusive(false);
    for (QAbstractButton* button : ports_->buttons()) {
        button->setChecked(false);
    }
    ports_->setExclusive(true);
    showDeviceOfSelectedPort();
}

QString OptionDialog::selectedSpeed() const {
    QAbstractButton* button = speeds_->checkedButton();
    return button ? button->text() : QString();
}

QString OptionDialog::deviceOfPort(int port) const {
    return chosenDevices_.value(port, devicePathForPort(port));
}

void OptionDialog::showDeviceOfSelectedPort() {
    if (!deviceList_) {
        return;
    }
    const int port = selectedPort();
    deviceList_->setEnabled(port > 0);
    const QSignalBlocker quiet(deviceList_);
    if (port == 0) {
        deviceList_->setCurrentIndex(-1);
        return;
    }
    const QString device = deviceOfPort(port);
    int index = deviceList_->findData(device);
    if (index < 0) {
        // The port's device is not among the system's (not plugged in, or a plain path):
        // offer it too, so that the list never claims another device for this port.
        deviceList_->addItem(device, device);
        index = deviceList_->count() - 1;
    }
    deviceList_->setCurrentIndex(index);
}

void OptionDialog::deviceChosen(int index) {
    const int port = selectedPort();
    if (port == 0 || index < 0) {
        return;
    }
    const QString device = deviceList_->itemData(index).toString();
    chosenDevices_.insert(port, device);
    deviceLabels_.value(port)->setText(device);
}

void OptionDialog::accept() {
    // With no port button selected there is nothing to store: the setting stays as it was
    // rather than becoming a port that does not exist.
    if (const int port = selectedPort(); port > 0) {
        Profile::setValue("CONFIG", "PORT", port);
    }
    for (auto it = chosenDevices_.cbegin(); it != chosenDevices_.cend(); ++it) {
        if (it.value() != devicePathForPort(it.key())) {
            Profile::setValue("CONFIG", deviceKey(it.key()), it.value());
        }
    }
    // Read again rather than kept from the start: the other choices stay as the profile has them.
    PhoneSettings settings = profilePhoneSettings();
    settings.fastLoad = fastLoad_->isChecked();
    if (const auto chosen = phoneCharsetFromValue(charsetList_->currentData().toString())) {
        settings.charset = *chosen;
    }
    const auto profile = phoneProfileFromValue(profileList_->currentData().toString());
    const auto format = smsFormatFromValue(smsFormatList_->currentData().toString());
    // A format left at the phone type's default keeps following the type.
    const PhoneSettings before = settings;
    settings.profile = profile.value_or(settings.profile);
    settings.smsStorage = smsStorageFromValue(smsStorageList_->currentData().toString())
                              .value_or(settings.smsStorage);
    if (format && (before.smsFormat || *format != before.messageFormat())) {
        settings.smsFormat = format;
    }
    saveProfilePhoneSettings(settings);
    QDialog::accept();
}
