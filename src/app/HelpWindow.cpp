// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/HelpWindow.h"

#include <QPointer>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

// The page lives in a static library: its resources are registered by hand (and outside any
// namespace, as the registration function is a global one).
static void loadHelpResources() {
    Q_INIT_RESOURCE(help);
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent), browser_(new QTextBrowser(this)) {
    loadHelpResources();
    setWindowTitle("Dexmoro Help");
    browser_->setOpenExternalLinks(true);
    browser_->setSource(QUrl(PageUrl));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    resize(640, 560);
}

HelpWindow* HelpWindow::showContents(QWidget* parent) {
    return showTopic(parent, QStringLiteral("contents"));
}

HelpWindow* HelpWindow::showTopic(QWidget* parent, const QString& anchor) {
    static QPointer<HelpWindow> window;
    if (!window) {
        window = new HelpWindow(parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    QUrl page(PageUrl);
    page.setFragment(anchor);
    window->browser()->setSource(page);
    window->browser()->scrollToAnchor(anchor);
    window->show();
    window->raise();
    window->activateWindow();
    return window;
}
