// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QList>
#include <QMap>

#include "phone/Registry.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;

// The port Option dialog: "Available Ports" COM1 to COM4 and "Transmit Velocity". OK stores
// the chosen port as "CONFIG"/"PORT"; the speed choice is shown but not stored, the line
// always runs at the link's own speed.
//
// Where ports are device paths rather than COM names, each port shows the device it stands
// for, and a list of the system's serial devices lets the user pick the device of the chosen
// port, stored as "CONFIG"/"DEVICE<n>". "Fast loading" is stored as "CONFIG"/"FASTLOAD".
//
// "Text encoding" picks the character set names and texts travel in ("CONFIG"/"CHARSET"),
// "Phone type" the maker's phones or any standard one ("CONFIG"/"PROFILE"), "Message format"
// text or PDU ("CONFIG"/"SMSFORMAT"; left at the type's default, it keeps following the type),
// "Message storage" the SIM or a standard phone's own memory ("CONFIG"/"SMSSTORAGE").
class OptionDialog : public QDialog {
    Q_OBJECT

  public:
    // registry: the serial devices to offer; null for the system's own.
    explicit OptionDialog(QWidget* parent = nullptr, const Registry* registry = nullptr);

    // Whether ports here are named by device paths (every system but Windows).
    static bool portsAreDevicePaths();

    // 1 to 4, or 0 when no port button is selected (a setting beyond COM4).
    int selectedPort() const;
    void selectPort(int port);
    QString selectedSpeed() const;

    // The device the port stands for in this dialog (the user's pick, else the profile's).
    QString deviceOfPort(int port) const;
    // The device list offered for the chosen port; null where ports have COM names.
    QComboBox* deviceList() const { return deviceList_; }
    QLabel* deviceLabel(int port) const { return deviceLabels_.value(port); }
    QCheckBox* fastLoadBox() const { return fastLoad_; }
    // The "Text encoding" choice; its items' data are the profile's values.
    QComboBox* charsetList() const { return charsetList_; }
    QComboBox* profileList() const { return profileList_; }
    QComboBox* smsFormatList() const { return smsFormatList_; }
    QComboBox* smsStorageList() const { return smsStorageList_; }

    void accept() override;

  private:
    void addDeviceList(QWidget* portsBox, const QList<SerialPortEntry>& entries);
    void showDeviceOfSelectedPort();
    void deviceChosen(int index);

    QButtonGroup* ports_;
    QButtonGroup* speeds_;
    QComboBox* deviceList_ = nullptr;
    QCheckBox* fastLoad_ = nullptr;
    QComboBox* charsetList_ = nullptr;
    QComboBox* profileList_ = nullptr;
    QComboBox* smsFormatList_ = nullptr;
    QComboBox* smsStorageList_ = nullptr;
    QMap<int, QLabel*> deviceLabels_;
    QMap<int, QString> chosenDevices_;
};
