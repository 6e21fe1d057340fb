// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

#include "app/CMainFrame.h"
#include "phone/AppState.h"

class CDexmoroDoc;
class MessageBoxPrompter;
class PhoneLink;
class QWidget;

// What start-up asks of the world, so that tests can answer without a port, a registry or a
// person at the dialogs. Every member left empty takes the real behaviour.
struct StartupSeams {
    // Finds the cable's port and writes the port setting.
    std::function<void()> detectPort;
    // Makes a PhoneLink: the connection attempt.
    std::function<std::unique_ptr<PhoneLink>()> makeLink;
    // Shows the cable detection dialog; returns QDialog::Accepted (OK), QDialog::Rejected
    // (Cancel) or CableDetectionDialog::ManualSelect.
    std::function<int()> runCableDetection;
    std::function<int(PhoneLink&)> queryFeatureMask;
    // The screen's full-screen client area.
    std::function<QSize()> screenArea;
    ViewFactory viewFactory;
    FrameHooks frameHooks;
    // Off in tests that script the prompts themselves.
    bool useMessageBoxes = true;
};

// The application object: start-up, the phone link and the on-line flag for the whole run.
class CDexmoroApp : public QObject {
    Q_OBJECT

  public:
    static inline const QString BaseTitle = QStringLiteral("QUILLON Dexmoro");
    static inline const QString OfflineSuffix = QStringLiteral(" - Out of Service");

    explicit CDexmoroApp(StartupSeams seams = {});
    ~CDexmoroApp() override;

    // The one application object while it lives.
    static CDexmoroApp* instance();

    // Runs start-up; false when the program is to end without a main window.
    bool InitInstance();

    // The start-up connection loop: false when the user cancelled.
    bool runConnectionLoop();

    // "Connect to Phone": the start-up connection without its dialogs (a new link on the port
    // setting, identification, capacities, feature mask), then the lists load as after a start.
    void reconnect();

    // Shows the frame maximized on a screen no larger than 1024 by 768, else in its own size;
    // a size and place kept from the last run win.
    static void showMainWindow(QWidget* frame, const QSize& screenArea);

    // 1 when the phone answered at start-up, else 0.
    int online = 0;
    std::unique_ptr<PhoneLink> link;

    QString title() const { return title_; }
    CMainFrame* mainFrame() const { return frame_.get(); }
    CDexmoroDoc* document() const { return document_.get(); }

  private:
    void updateTitle();

    StartupSeams seams_;
    // The run's flags (feature mask, message load count, report flag), installed while this
    // object lives.
    AppStateOwner state_;
    QString title_;
    std::unique_ptr<MessageBoxPrompter> prompter_;
    std::unique_ptr<CDexmoroDoc> document_;
    std::unique_ptr<CMainFrame> frame_;
    bool quitHandlerInstalled_ = false;
    std::vector<std::unique_ptr<PhoneLink>> retiredLinks_;
};
