// SPDX-License-Identifier: GPL-3.0-or-later
// The frame without a mouse (folder keys, pane switching, help on the view) and its window
// geometry and connection line.

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>

#include "app/CMainFrame.h"
#include "app/HelpWindow.h"
#include "app/NavigationContents.h"
#include "controls/GfxOutBarCtrl.h"
#include "phone/AppState.h"
#include "phone/PhoneLink.h"
#include "phonebook/ui/CPhonebookView.h"
#include "platform/Profile.h"
#include "todo/ui/CTodolistView.h"

namespace {
constexpr int kFolderKeys = 5;
const QString kWindowSection = QStringLiteral("Window");
const QString kGeometryKey = QStringLiteral("geometry");
// The maker a found phone named: identification accepts no other.
const QString kMaker = QStringLiteral("Quillon");

QString helpAnchorOfView(int view) {
    switch (view) {
        case PhonebookViewNo:
            return QStringLiteral("phonebook");
        case SmsViewNo:
            return QStringLiteral("messages");
        case SchedulerViewNo:
            return QStringLiteral("scheduler");
        case TodoViewNo:
            return QStringLiteral("todo");
        default:
            return QStringLiteral("window");
    }
}

// The first widget inside the view that takes the focus from the keyboard.
QWidget* firstFocusable(QWidget* view) {
    if (!view) {
        return nullptr;
    }
    for (QWidget* w = view->nextInFocusChain(); w && w != view; w = w->nextInFocusChain()) {
        if (view->isAncestorOf(w) && w->isVisibleTo(view) && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus)) {
            return w;
        }
    }
    return view;
}
}  // namespace

void CMainFrame::createKeyboardShortcuts() {
    for (int i = 0; i < kFolderKeys; ++i) {
        auto* key = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i)), this);
        connect(key, &QShortcut::activated, this, [this, i] { openFolder(i); });
    }
    for (const QKeySequence& sequence :
         {QKeySequence(Qt::Key_F6), QKeySequence(Qt::SHIFT | Qt::Key_F6)}) {
        auto* key = new QShortcut(sequence, this);
        connect(key, &QShortcut::activated, this, &CMainFrame::switchPane);
    }
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, &CMainFrame::helpOnView);
}

void CMainFrame::openFolder(int position) {
    if (position < 0 || position >= bar_->folderCount()) {
        return;
    }
    bar_->setSelFolder(position);
    SwitchFolder(position);
}

int CMainFrame::folderOfView(int view) const {
    if (!bar_) {
        return -1;
    }
    for (int position = 0; position < bar_->folderCount(); ++position) {
        if (viewForFeature(bar_->folderData(position)) == view) {
            return position;
        }
    }
    return -1;
}

void CMainFrame::focusView() {
    if (QWidget* target = firstFocusable(view_)) {
        target->setFocus(Qt::ShortcutFocusReason);
    }
}

void CMainFrame::switchPane() {
    if (bar_->hasFocus()) {
        focusView();
    } else {
        bar_->setFocus(Qt::ShortcutFocusReason);
    }
}

void CMainFrame::helpOnView() {
    HelpWindow::showTopic(this, helpAnchorOfView(currentView_));
}

void CMainFrame::restoreWindowGeometry() {
    resize(DefaultSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    const QByteArray saved = Profile::value(kWindowSection, kGeometryKey).toByteArray();
    if (!saved.isEmpty()) {
        restoreGeometry(saved);
        setProperty("geometryRestored", true);
    }
}

void CMainFrame::saveWindowGeometry() const {
    Profile::setValue(kWindowSection, kGeometryKey, saveGeometry());
}

void CMainFrame::connectToPhone() {
    if (hooks_.reconnect) {
        hooks_.reconnect();
    }
}

void CMainFrame::setLink(PhoneLink* link) {
    link_ = link;
    connectionPane_->setText(connectionText());
}

QString CMainFrame::connectionText() const {
    if (!link_ || !link_->phoneFound) {
        return QStringLiteral("Off line");
    }
    const QString phone = link_->settings.profile == PhoneProfile::Standard
                              ? QStringList{link_->maker, link_->model}.join(u' ').trimmed()
                              : kMaker;
    return QStringLiteral("On line: %1 on %2").arg(phone, link_->devicePath());
}

void CMainFrame::forgetFirstVisits() {
    schedulerNotVisited_ = true;
    appState().messagesLoaded = 0;
    CPhonebookView::resetFirstStart();
    CTodolistView::resetFirstLoad();
}

void CMainFrame::recreateView() {
    const int shown = currentView_;
    if (shown < 0) {
        return;
    }
    currentView_ = -1;
    // Through the folder, so that the scheduler's first visit runs again too.
    if (const int folder = folderOfView(shown); folder >= 0) {
        SwitchFolder(folder);
    } else {
        ShowView(shown);
    }
}
