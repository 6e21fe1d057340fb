// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CDexmoroApp.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include "app/CDexmoroDoc.h"
#include "app/CableDetectionDialog.h"
#include "app/ResourceSets.h"
#include "db/DatabaseConnection.h"
#include "phone/ApplicationPhone.h"
#include "phone/DetectPort.h"
#include "phone/PhoneLink.h"
#include "phone/Registry.h"
#include "platform/Notice.h"
#include "platform/Prompter.h"
#include "platform/QuitRequest.h"
#include "platform/ui/MessageBoxPrompter.h"

namespace {
CDexmoroApp* theApp = nullptr;

StartupSeams withDefaults(StartupSeams seams) {
    if (!seams.detectPort) {
        seams.detectPort = [] { DetectPort(SerialPortInfoRegistry()); };
    }
    if (!seams.makeLink) {
        seams.makeLink = [] { return std::make_unique<PhoneLink>(); };
    }
    if (!seams.runCableDetection) {
        seams.runCableDetection = [] {
            CableDetectionDialog dialog;
            if (theApp && theApp->link) {
                dialog.setNote(theApp->link->refusalText());
            }
            const int answer = dialog.exec();
            if (answer == CableDetectionDialog::ManualSelect && dialog.portChosen()) {
                // The port the user just chose wins over a device given on the command line.
                PhoneLink::setDevicePathOverride({});
            }
            return answer;
        };
    }
    if (!seams.queryFeatureMask) {
        seams.queryFeatureMask = [](PhoneLink& link) { return link.QueryFeatureMask(); };
    }
    if (!seams.screenArea) {
        seams.screenArea = [] {
            const QScreen* screen = QGuiApplication::primaryScreen();
            return screen ? screen->availableGeometry().size() : QSize(1024, 768);
        };
    }
    return seams;
}
}  // namespace

CDexmoroApp::CDexmoroApp(StartupSeams seams) : seams_(withDefaults(std::move(seams))) {
    theApp = this;
}

CDexmoroApp::~CDexmoroApp() {
    if (quitHandlerInstalled_) {
        setApplicationQuitHandler(nullptr);
    }
    frame_.reset();
    if (applicationPhone().link == link.get()) {
        setApplicationPhone(nullptr, false);
    }
    databaseNotices().setReporter(nullptr);
    if (prompter_ && &currentPrompter() == prompter_.get()) {
        setCurrentPrompter(nullptr);
    }
    if (theApp == this) {
        theApp = nullptr;
    }
}

CDexmoroApp* CDexmoroApp::instance() {
    return theApp;
}

bool CDexmoroApp::InitInstance() {
    if (seams_.useMessageBoxes) {
        prompter_ = std::make_unique<MessageBoxPrompter>();
        setCurrentPrompter(prompter_.get());
    }
    databaseNotices().setReporter(showNotice);
    title_ = BaseTitle;

    seams_.detectPort();
    if (!runConnectionLoop()) {
        return false;
    }

    online = link->phoneFound ? 1 : 0;
    updateTitle();
    // Asked even when the port never opened: the user then sees the port's error once, here.
    state_.state().featureMask = effectiveFeatureMask(seams_.queryFeatureMask(*link));

    setApplicationPhone(link.get(), online != 0);
    state_.state().textLink = link.get();

    // A lost phone ends the program through the window's own closing, so that what closing
    // cleans up is cleaned up then too. The first view may already ask while the window is
    // being made: the request runs once start-up is over.
    setApplicationQuitHandler([app = QPointer<CDexmoroApp>(this)] {
        QMetaObject::invokeMethod(
            qApp,
            [app] {
                if (app && app->frame_) {
                    app->frame_->close();
                }
                QCoreApplication::quit();
            },
            Qt::QueuedConnection);
    });
    quitHandlerInstalled_ = true;

    document_ = std::make_unique<CDexmoroDoc>();
    FrameHooks hooks = seams_.frameHooks;
    if (!hooks.reconnect) {
        hooks.reconnect = [this] { reconnect(); };
    }
    frame_ = std::make_unique<CMainFrame>(link.get(), state_.state().featureMask,
                                          seams_.viewFactory, hooks);
    frame_->setWindowTitle(title_);
    if (prompter_) {
        prompter_->setOwner(frame_.get());
    }
    showMainWindow(frame_.get(), seams_.screenArea());
    return true;
}

bool CDexmoroApp::runConnectionLoop() {
    for (;;) {
        link = seams_.makeLink();
        link->notices.setReporter(showNotice);
        if (link->phoneFound) {
            return true;
        }
        const int answer = seams_.runCableDetection();
        if (answer == CableDetectionDialog::ManualSelect) {
            link.reset();
            continue;
        }
        return answer == QDialog::Accepted;
    }
}

void CDexmoroApp::updateTitle() {
    title_ = online ? BaseTitle : BaseTitle + OfflineSuffix;
    if (frame_) {
        frame_->setWindowTitle(title_);
    }
}

void CDexmoroApp::reconnect() {
    // The old link lets go of the port before the new one opens it. It stays alive for the rest
    // of the run: the view it leaves may still be on its way out.
    if (link) {
        link->Disconnect();
        retiredLinks_.push_back(std::move(link));
    }
    link = seams_.makeLink();
    link->notices.setReporter(showNotice);
    online = link->phoneFound ? 1 : 0;
    if (online) {
        state_.state().featureMask = effectiveFeatureMask(seams_.queryFeatureMask(*link));
    }
    setApplicationPhone(link.get(), online != 0);
    updateTitle();
    if (frame_) {
        frame_->setLink(link.get());
        frame_->forgetFirstVisits();
        if (frame_->featureMask() != state_.state().featureMask) {
            frame_->setFeatureMask(state_.state().featureMask);
        } else {
            frame_->recreateView();
        }
    }
}

void CDexmoroApp::showMainWindow(QWidget* frame, const QSize& screenArea) {
    if (frame->property("geometryRestored").toBool()) {
        frame->show();
    } else if (screenArea.width() > 1024 || screenArea.height() > 768) {
        frame->showNormal();
    } else {
        frame->showMaximized();
    }
    frame->update();
}
