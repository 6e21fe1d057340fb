#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>

#include "AppTestSupport.h"
#include "ModalScript.h"
#include "app/AboutDialog.h"
#include "app/AppCommandLine.h"
#include "app/CableDetectionDialog.h"
#include "app/OptionDialog.h"
#include "app/SplashWindow.h"
#include "platform/Profile.h"
#include "platform/ui/LoadProgressWindow.h"

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
    CableDetectionDialog dialog(nullptr, [&](QWidget* owner) {
        EXPECT_EQ(owner, &dialog);
        ++optionRuns;
    });
    clickButton(&dialog, "Manual Select");
    EXPECT_EQ(optionRuns, 1);
    EXPECT_EQ(dialog.result(), CableDetectionDialog::ManualSelect);
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
