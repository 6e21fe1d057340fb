// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "AppTestSupport.h"
#include "ModalScript.h"
#include "app/AboutDialog.h"
#include "app/AppCommandLine.h"
#include "app/CableDetectionDialog.h"
#include "app/OptionDialog.h"
#include "app/SplashWindow.h"
#include "link/PortNaming.h"
#include "phone/PhoneSettings.h"
#include "phone/Registry.h"
#include "platform/Profile.h"
#include "platform/ui/LoadProgressWindow.h"
#include "support/ListedRegistry.h"

namespace {
QStringList checkedRadios(QWidget* root) {
    QStringList checked;
    for (QRadioButton* radio : root->findChildren<QRadioButton*>()) {
        if (radio->isChecked()) {
            checked.append(radio->text());
        }
    }
    return checked;
}

QStringList labelTexts(QWidget* root) {
    QStringList texts;
    for (QLabel* label : root->findChildren<QLabel*>()) {
        texts.append(label->text());
    }
    return texts;
}
}  // namespace

using OptionDialogTest = AppTest;

TEST_F(OptionDialogTest, OpensOnTheProfilePortAt9600AndOkWritesTheChosenPort) {
    Profile::setValue("CONFIG", "PORT", 3);
    OptionDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Option");
    EXPECT_EQ(checkedRadios(&dialog), (QStringList{"COM3", "9600 bps"}));

    checkRadio(&dialog, "COM1");
    checkRadio(&dialog, "2400 bps");
    clickButton(&dialog, "OK");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(Profile::intValue("CONFIG", "PORT", 0), 1);
}

TEST_F(OptionDialogTest, WithoutASettingCom3IsSelected) {
    OptionDialog dialog;
    EXPECT_EQ(dialog.selectedPort(), 3);
}

TEST_F(OptionDialogTest, CancelWritesNothing) {
    Profile::setValue("CONFIG", "PORT", 2);
    OptionDialog dialog;
    checkRadio(&dialog, "COM4");
    clickButton(&dialog, "Cancel");
    EXPECT_EQ(Profile::intValue("CONFIG", "PORT", 0), 2);
}

TEST_F(OptionDialogTest, APortBeyondTheButtonsSurvivesOk) {
    // A cable found on COM5 selects no button; OK must not turn the setting into COM0.
    Profile::setValue("CONFIG", "PORT", 5);
    OptionDialog dialog;
    EXPECT_EQ(checkedRadios(&dialog), QStringList{"9600 bps"});
    clickButton(&dialog, "OK");
    EXPECT_EQ(Profile::intValue("CONFIG", "PORT", 0), 5);
}

// The box opens on the profile's choice; OK stores it and leaves the character set as it was.
TEST_F(OptionDialogTest, FastLoadingBoxFollowsTheProfile) {
    for (const bool fast : {false, true}) {
        saveProfilePhoneSettings(PhoneSettings{
            .charset = PhoneCharset::Ucs2, .fastLoad = !fast, .profile = {}, .smsFormat = {}});
        OptionDialog dialog;
        EXPECT_EQ(dialog.fastLoadBox()->isChecked(), !fast);
        dialog.fastLoadBox()->setChecked(fast);
        clickButton(&dialog, "OK");
        EXPECT_EQ(profilePhoneSettings().fastLoad, fast);
        EXPECT_EQ(profilePhoneSettings().charset, PhoneCharset::Ucs2);
    }
}

// The text encoding opens on the profile's choice and OK keeps the other phone setting as read.
TEST_F(OptionDialogTest, TextEncodingIsSavedWithThePhoneSettings) {
    Profile::setValue("CONFIG", "FASTLOAD", 1);
    OptionDialog dialog;
    QComboBox* list = dialog.charsetList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->currentText(), "Phone default (Latin-1)");
    list->setCurrentIndex(list->findText("Unicode (UCS2)"));
    clickButton(&dialog, "OK");
    EXPECT_EQ(profilePhoneSettings().charset, PhoneCharset::Ucs2);
    EXPECT_TRUE(profilePhoneSettings().fastLoad);
    EXPECT_EQ(OptionDialog().charsetList()->currentText(), "Unicode (UCS2)");
}

namespace {
ListedRegistry threeDevices() {
    return ListedRegistry(
        {makeSerialPortEntry("ttyS0", "/dev/ttyS0", ""),
         makeSerialPortEntry("ttyUSB0", "/dev/ttyUSB0", "USB-Serial Controller", "Prolific", 0x067b,
                             0x2303),
         makeSerialPortEntry("ttyACM0", "/dev/ttyACM0", "Velmarlink Port for Quillon")});
}

// Moves the closed list to the item of this device with the arrow keys, as a user would.
void pickDevice(QComboBox* list, const QString& device) {
    const int target = list->findData(device);
    ASSERT_GE(target, 0) << device.toStdString();
    list->setFocus();
    while (list->currentIndex() != target) {
        QTest::keyClick(list, list->currentIndex() < target ? Qt::Key_Down : Qt::Key_Up);
    }
}
}  // namespace

TEST_F(OptionDialogTest, PortsShowTheirDevicesAndTheListOffersTheSystemsDevices) {
    ASSERT_TRUE(OptionDialog::portsAreDevicePaths());
    Profile::setValue("CONFIG", "PORT", 2);
    Profile::setValue("CONFIG", "DEVICE1", "/dev/ttyUSB9");
    const ListedRegistry registry = threeDevices();
    OptionDialog dialog(nullptr, &registry);

    EXPECT_EQ(dialog.deviceLabel(1)->text(), "/dev/ttyUSB9");
    EXPECT_EQ(dialog.deviceLabel(2)->text(), "/dev/ttyS1");
    EXPECT_EQ(dialog.deviceLabel(4)->text(), "/dev/ttyS3");
    QComboBox* list = dialog.deviceList();
    ASSERT_TRUE(list);
    EXPECT_EQ(list->itemText(0), "/dev/ttyS0");
    EXPECT_EQ(list->itemText(1),
              "/dev/ttyUSB0  USB-Serial Controller (ttyUSB0), Prolific [067b:2303]");
    EXPECT_EQ(list->itemText(2), "/dev/ttyACM0  Velmarlink Port for Quillon (ttyACM0)");
    // Port 2's own device is not among the system's: it is offered as well, and selected.
    EXPECT_EQ(list->currentData().toString(), "/dev/ttyS1");

    checkRadio(&dialog, "COM1");
    EXPECT_EQ(list->currentData().toString(), "/dev/ttyUSB9");
}

TEST_F(OptionDialogTest, TheDeviceChosenForAPortIsStoredWithThePortOnOk) {
    Profile::setValue("CONFIG", "PORT", 3);
    Profile::setValue("CONFIG", "DEVICE1", "/dev/ttyUSB9");
    const ListedRegistry registry = threeDevices();
    OptionDialog dialog(nullptr, &registry);
    checkRadio(&dialog, "COM2");
    pickDevice(dialog.deviceList(), "/dev/ttyACM0");
    EXPECT_EQ(dialog.deviceLabel(2)->text(), "/dev/ttyACM0");
    // Looking at another port and coming back keeps the choice.
    checkRadio(&dialog, "COM3");
    EXPECT_EQ(dialog.deviceList()->currentData().toString(), "/dev/ttyS2");
    checkRadio(&dialog, "COM2");
    EXPECT_EQ(dialog.deviceList()->currentData().toString(), "/dev/ttyACM0");

    clickButton(&dialog, "OK");
    EXPECT_EQ(Profile::intValue("CONFIG", "PORT", 0), 2);
    EXPECT_EQ(Profile::value("CONFIG", "DEVICE2").toString(), "/dev/ttyACM0");
    EXPECT_EQ(devicePathForPort(2), "/dev/ttyACM0");
    EXPECT_EQ(Profile::value("CONFIG", "DEVICE1").toString(), "/dev/ttyUSB9");
    EXPECT_FALSE(Profile::value("CONFIG", "DEVICE3").isValid());
}

TEST_F(OptionDialogTest, CancelForgetsTheChosenDevice) {
    const ListedRegistry registry = threeDevices();
    OptionDialog dialog(nullptr, &registry);
    pickDevice(dialog.deviceList(), "/dev/ttyUSB0");
    EXPECT_EQ(dialog.deviceOfPort(3), "/dev/ttyUSB0");
    clickButton(&dialog, "Cancel");
    EXPECT_FALSE(Profile::value("CONFIG", "DEVICE3").isValid());
    EXPECT_EQ(devicePathForPort(3), "/dev/ttyS2");
}

TEST_F(OptionDialogTest, APortBeyondTheButtonsLeavesTheDeviceListIdle) {
    Profile::setValue("CONFIG", "PORT", 5);
    const ListedRegistry registry = threeDevices();
    OptionDialog dialog(nullptr, &registry);
    EXPECT_FALSE(dialog.deviceList()->isEnabled());
    checkRadio(&dialog, "COM4");
    EXPECT_TRUE(dialog.deviceList()->isEnabled());
    EXPECT_EQ(dialog.deviceList()->currentData().toString(), "/dev/ttyS3");
}

using CableDetectionDialogTest = AppTest;

TEST_F(CableDetectionDialogTest, ShowsItsTextsAndThePortLine) {
    Profile::setValue("CONFIG", "PORT", 4);
    CableDetectionDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "Quillon Velmarlink Cable Detection");
    const QStringList texts = labelTexts(&dialog);
    EXPECT_TRUE(texts.contains(
        "This program tests the available COM ports for a GSM compatible mobile phone. "));
    EXPECT_TRUE(texts.contains(
        "Click OK if you wish to work off-line, or Cancel to stop further processing.\n\nClick "
        "'Setting...' button  to choose the port  you wish to connect to.                       "
        " "));
    EXPECT_TRUE(texts.contains(
        "Make sure that your phone is connected to a valid COM port, and that is switched on. "
        "\n\nEnsure that no other devices are connected to any COM ports before processing."));
    EXPECT_TRUE(texts.contains("Do you wish to work off-line?"));
    EXPECT_EQ(dialog.portLine(), "The current port is COM4 .");
    EXPECT_TRUE(dialog.findChild<QLineEdit*>()->isReadOnly());
}

TEST_F(CableDetectionDialogTest, PortLineDefaultsToCom3) {
    CableDetectionDialog dialog;
    EXPECT_EQ(dialog.portLine(), "The current port is COM3 .");
}

TEST_F(CableDetectionDialogTest, OkAndCancelCloseWithTheirResults) {
    CableDetectionDialog ok;
    clickButton(&ok, "OK");
    EXPECT_EQ(ok.result(), QDialog::Accepted);
    CableDetectionDialog cancel;
    clickButton(&cancel, "Cancel");
    EXPECT_EQ(cancel.result(), QDialog::Rejected);
}

TEST_F(CableDetectionDialogTest, ManualSelectRunsTheOptionDialogBeforeClosing) {
    int optionRuns = 0;
    bool choose = false;
    CableDetectionDialog dialog(nullptr, [&](QWidget* owner) {
        EXPECT_EQ(owner, &dialog);
        ++optionRuns;
        return choose;
    });
    clickButton(&dialog, "Manual Select");
    EXPECT_EQ(optionRuns, 1);
    EXPECT_EQ(dialog.result(), CableDetectionDialog::ManualSelect);
    EXPECT_FALSE(dialog.portChosen());
    choose = true;
    clickButton(&dialog, "Manual Select");
    EXPECT_TRUE(dialog.portChosen());
}

TEST_F(CableDetectionDialogTest, ManualSelectWithTheRealOptionDialogStoresThePort) {
    Profile::setValue("CONFIG", "PORT", 3);
    CableDetectionDialog dialog;
    ModalScript script;
    script.then([](QWidget* cable) { clickButton(cable, "Manual Select"); })
        .then([](QWidget* option) {
            checkRadio(option, "COM2");
            clickButton(option, "OK");
        });
    EXPECT_EQ(dialog.exec(), CableDetectionDialog::ManualSelect);
    EXPECT_EQ(script.titles, (QStringList{"Quillon Velmarlink Cable Detection", "Option"}));
    EXPECT_EQ(Profile::intValue("CONFIG", "PORT", 0), 2);
}

TEST(SplashWindowTest, ClosesOnAKeyOrButtonPressAnywhere) {
    SplashWindow::setEnabled(true);
    QWidget elsewhere;
    for (QEvent::Type type :
         {QEvent::KeyPress, QEvent::MouseButtonPress, QEvent::NonClientAreaMouseButtonPress}) {
        QPointer<SplashWindow> splash = SplashWindow::showIfEnabled();
        ASSERT_TRUE(splash);
        EXPECT_TRUE(splash->isVisible());
        EXPECT_TRUE(splash->windowFlags() & Qt::FramelessWindowHint);
        if (type == QEvent::KeyPress) {
            QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
            QApplication::sendEvent(&elsewhere, &key);
        } else {
            QMouseEvent press(type, QPointF(1, 1), QPointF(1, 1), Qt::RightButton, Qt::RightButton,
                              Qt::NoModifier);
            QApplication::sendEvent(&elsewhere, &press);
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_TRUE(splash.isNull()) << "event type " << type;
    }
    SplashWindow::setEnabled(false);
    EXPECT_EQ(SplashWindow::showIfEnabled(), nullptr);
}

TEST(AboutDialogTest, NamesTheProgramAndClosesWithOk) {
    AboutDialog dialog;
    EXPECT_EQ(dialog.windowTitle(), "About Dexmoro");
    EXPECT_TRUE(labelTexts(&dialog).join("\n").contains("Dexmoro Version"));
    clickButton(&dialog, "OK");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(LoadProgressWindowTest, ShowsCaptionTextAndBarAndComesBackAfterDestroy) {
    QWidget owner;
    LoadProgressWindow progress(&owner);
    progress.create();
    ASSERT_TRUE(progress.window());
    EXPECT_EQ(progress.window()->windowTitle(), "Phone Data Load");
    EXPECT_FALSE(progress.window()->isVisible());
    EXPECT_FALSE(progress.window()->isModal());
    EXPECT_EQ(progress.window()->findChild<QLabel*>()->text(), "Loading.......");

    progress.show("Schedule Load", "Loading....");
    QDialog* window = progress.window();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Schedule Load");
    EXPECT_EQ(window->findChild<QLabel*>()->text(), "Loading....");
    progress.setValue(40);
    EXPECT_EQ(window->findChild<QProgressBar*>()->value(), 40);
    progress.setValue(250);
    EXPECT_EQ(window->findChild<QProgressBar*>()->value(), 100);

    progress.destroy();
    EXPECT_EQ(progress.window(), nullptr);
    progress.show("Phone Book Load", "Loading.......");
    ASSERT_TRUE(progress.window());
    EXPECT_TRUE(progress.window()->isVisible());
    EXPECT_EQ(progress.window()->findChild<QProgressBar*>()->value(), 0);
    EXPECT_EQ(progress.window()->parentWidget(), &owner);
}

TEST(AppCommandLineTest, ReadsDemoAndDeviceAndRefusesTheRest) {
    EXPECT_TRUE(AppCommandLine::parse({"dexmoro", "--demo"}).demo);
    EXPECT_EQ(AppCommandLine::parse({"dexmoro", "--device", "/dev/ttyUSB0"}).device,
              "/dev/ttyUSB0");
    EXPECT_EQ(AppCommandLine::parse({"dexmoro", "--device=/dev/pts/4"}).device, "/dev/pts/4");
    const AppCommandLine plain = AppCommandLine::parse({"dexmoro"});
    EXPECT_FALSE(plain.demo);
    EXPECT_TRUE(plain.device.isEmpty());
    EXPECT_TRUE(plain.error.isEmpty());
    EXPECT_FALSE(AppCommandLine::parse({"dexmoro", "--device"}).error.isEmpty());
    EXPECT_FALSE(AppCommandLine::parse({"dexmoro", "--colour"}).error.isEmpty());
    EXPECT_FALSE(AppCommandLine::parse({"dexmoro", "--demo", "--device", "x"}).error.isEmpty());
    EXPECT_FALSE(plain.demoReset);
    EXPECT_FALSE(AppCommandLine::parse({"dexmoro", "--demo"}).demoReset);
    const AppCommandLine reset = AppCommandLine::parse({"dexmoro", "--demo-reset"});
    EXPECT_TRUE(reset.demo);
    EXPECT_TRUE(reset.demoReset);
    EXPECT_TRUE(reset.error.isEmpty());
    EXPECT_EQ(AppCommandLine::parse({"dexmoro", "--demo-reset", "--device", "x"}).error,
              "--demo-reset and --device cannot be used together");
}

TEST(AppCommandLineTest, DisplayNeedsAServerOrAnExplicitPlatform) {
    QProcessEnvironment env;
    EXPECT_FALSE(hasDisplay(env));
    env.insert("DISPLAY", "");
    EXPECT_FALSE(hasDisplay(env));
    env.insert("WAYLAND_DISPLAY", "wayland-0");
    EXPECT_TRUE(hasDisplay(env));
    QProcessEnvironment offscreen;
    offscreen.insert("QT_QPA_PLATFORM", "offscreen");
    EXPECT_TRUE(hasDisplay(offscreen));
}
