// SPDX-License-Identifier: GPL-3.0-or-later
// The frame's menus, toolbar and status bar, the routing of their commands, and the commands
// the frame carries out itself.

#include "app/CMainFrame.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "app/AboutDialog.h"
#include "app/CommandRouting.h"
#include "app/HelpWindow.h"
#include "app/ServiceCentreDialog.h"
#include "app/ToolbarImages.h"
#include "db/Recordset.h"
#include "exchange/ui/ExchangeDialogs.h"
#include "phone/PhoneLink.h"
#include "shell/ServiceCentre.h"

namespace {
const QString kToolbarGroup = "Toolbar";

QString withoutMnemonic(QString text) {
    return text.remove(QLatin1Char('&'));
}
}  // namespace

void CMainFrame::createMenus() {
    for (const MenuSpec& menuDef : menuSetForMask(featureMask_)) {
        QMenu* menu = menuBar()->addMenu(menuDef.title);
        for (const CommandSpec& item : menuDef.items) {
            addCommand(menu, item, menuDef.title);
        }
        connect(menu, &QMenu::aboutToShow, this, &CMainFrame::updateCommandStates);
    }
}

QAction* CMainFrame::addCommand(QMenu* menu, const CommandSpec& command, const QString& menuTitle) {
    if (command.separator) {
        return menu->addSeparator();
    }
    if (!command.submenu.isEmpty()) {
        QMenu* popup = menu->addMenu(command.text);
        for (const CommandSpec& item : command.submenu) {
            addCommand(popup, item, menuTitle);
        }
        return popup->menuAction();
    }
    QAction* action = makeAction(command, menuTitle);
    menu->addAction(action);
    return action;
}

QAction* CMainFrame::makeAction(const CommandSpec& command, const QString& group) {
    auto* action = new QAction(command.text, this);
    action->setStatusTip(command.statusTip);
    if (!command.toolTip.isEmpty()) {
        action->setToolTip(command.toolTip);
    }
    action->setProperty("commandGroup", group);
    if (command.checkable) {
        action->setCheckable(true);
        action->setChecked(true);
        const QByteArray slot = command.slot;
        connect(action, &QAction::toggled, this, [this, slot](bool on) {
            QMetaObject::invokeMethod(this, slot.constData(), Qt::DirectConnection,
                                      Q_ARG(bool, on));
        });
    } else {
        connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
    }
    actions_.append({action, command});
    return action;
}

void CMainFrame::createToolBar() {
    toolBar_ = addToolBar("Toolbar");
    toolBar_->setObjectName("toolbar");
    toolBar_->setIconSize(QSize(32, 32));
    toolBar_->setMovable(true);
    const QList<CommandSpec> commands = toolbarCommands();
    for (int i = 0; i < commands.size(); ++i) {
        QAction* action = makeAction(commands[i], kToolbarGroup);
        action->setIcon(toolbarIcon(commands[i].icon >= 0 ? commands[i].icon : i));
        toolBar_->addAction(action);
        if (i == 0) {
            newAction_ = action;
        }
    }
    newScheduleMenu_ = new QMenu(this);
    for (const CommandSpec& kind : newScheduleCommands()) {
        newScheduleMenu_->addAction(makeAction(kind, kToolbarGroup));
    }
}

void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    for (const char* indicator : {"CAP", "NUM", "SCRL"}) {
        auto* pane = new QLabel(indicator, bar);
        pane->setObjectName(indicator);
        pane->setEnabled(false);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        bar->addPermanentWidget(pane);
    }
    connectionPane_ = new QLabel(connectionText(), bar);
    connectionPane_->setObjectName("connection");
    bar->insertPermanentWidget(0, connectionPane_);
    bar->showMessage("Ready");
}

void CMainFrame::runCommand(const CommandSpec& command) {
    QList<int> arguments;
    if (command.argument >= 0) {
        arguments.append(command.argument);
    }
    if (command.target == CommandTarget::Frame) {
        invokeCommand(this, command.slot, arguments);
        return;
    }
    // A feature command chosen while another view shows opens its folder first, then runs
    // there unless the view greys it.
    if (command.view >= 0 && command.view != currentView_) {
        openFolder(folderOfView(command.view));
        if (command.view != currentView_ || !commandEnabledByView(view_, command.slot)) {
            return;
        }
    }
    invokeCommand(view_, command.slot, arguments);
}

void CMainFrame::updateCommandStates() {
    for (const RoutedAction& routed : actions_) {
        const CommandSpec& command = routed.command;
        if (command.target == CommandTarget::Frame) {
            continue;
        }
        if (command.view >= 0 && command.view != currentView_) {
            // Runs after switching to its view, when the bar has a folder for it.
            routed.action->setEnabled(folderOfView(command.view) >= 0);
            continue;
        }
        routed.action->setEnabled(
            hasCommandSlot(view_, command.slot, command.argument >= 0 ? 1 : 0) &&
            commandEnabledByView(view_, command.slot));
    }
}

QToolButton* CMainFrame::newButton() const {
    return qobject_cast<QToolButton*>(toolBar_->widgetForAction(newAction_));
}

QAction* CMainFrame::commandAction(const QString& menuTitle, const QString& text) const {
    for (const RoutedAction& routed : actions_) {
        // Mnemonics aside: "&Help" and "Help" name the same menu.
        if (withoutMnemonic(routed.action->property("commandGroup").toString()) ==
                withoutMnemonic(menuTitle) &&
            withoutMnemonic(routed.action->text()) == withoutMnemonic(text)) {
            return routed.action;
        }
    }
    return nullptr;
}

void CMainFrame::setNewButtonDropDown(bool dropDown) {
    QToolButton* button = newButton();
    if (!button) {
        return;
    }
    if (dropDown) {
        button->setMenu(newScheduleMenu_);
        button->setPopupMode(QToolButton::MenuButtonPopup);
    } else {
        button->setMenu(nullptr);
        button->setPopupMode(QToolButton::DelayedPopup);
    }
}

void CMainFrame::about() {
    AboutDialog dialog(this);
    dialog.exec();
}

void CMainFrame::helpContents() {
    HelpWindow::showContents(this);
}

ProgramLauncher& CMainFrame::launcher() {
    return hooks_.launcher ? *hooks_.launcher : processLauncher_;
}

void CMainFrame::linkProgram() {
    LinkProgram(hooks_.chooseProgram);
}

void CMainFrame::executeLinkedProgram() {
    if (link_) {
        ExecuteLinkedProgram(*link_, hooks_.chooseProgram, launcher(), prompterAsker());
    }
}

void CMainFrame::sca() {
    if (link_) {
        showNotices(RunServiceCentre(*link_, [this](const QString& address) {
            return ServiceCentreDialog::edit(address, this);
        }));
    }
}

void CMainFrame::exportData() {
    ExportDialog dialog(this, hooks_.chooseExchangeFile);
    dialog.exec();
}

void CMainFrame::importData() {
    ImportDialog dialog(link_, this, hooks_.chooseExchangeFile);
    if (dialog.exec() == QDialog::Accepted) {
        // The shared recordsets and the view that shows are read afresh, so the imported
        // entries show at once. A view's own once-per-run load does not run again.
        for (Recordset* recordset :
             {sharedRecordset(QStringLiteral("reminder")),
              sharedRecordset(QStringLiteral("phone_schedule")),
              sharedRecordset(QStringLiteral("sim")), sharedRecordset(QStringLiteral("ms")),
              sharedRecordset(QStringLiteral("SMS")),
              sharedRecordset(QStringLiteral("Todolist"))}) {
            if (recordset) {
                recordset->Requery();
            }
        }
        if (const int shown = currentView_; shown >= 0) {
            currentView_ = -1;
            ShowView(shown);
        }
    }
}

void CMainFrame::hyperTerminal() {
    if (link_) {
        RunTerminalProgram(*link_, hooks_.chooseProgram, launcher(), SystemTerminalProgram(),
                           prompterAsker());
    }
}

void CMainFrame::setToolBarShown(bool shown) {
    toolBar_->setVisible(shown);
}

void CMainFrame::setStatusBarShown(bool shown) {
    statusBar()->setVisible(shown);
}
