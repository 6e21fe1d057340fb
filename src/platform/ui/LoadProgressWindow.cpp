// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ui/LoadProgressWindow.h"

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

#include <algorithm>

LoadProgressWindow::LoadProgressWindow(QWidget* owner) : owner_(owner) {}

LoadProgressWindow::~LoadProgressWindow() {
    destroy();
}

void LoadProgressWindow::create() {
    if (dialog_) {
        return;
    }
    dialog_ = new QDialog(owner_, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint);
    dialog_->setModal(false);
    dialog_->setWindowTitle("Phone Data Load");
    text_ = new QLabel("Loading.......", dialog_);
    bar_ = new QProgressBar(dialog_);
    bar_->setRange(0, 100);
    bar_->setValue(0);
    bar_->setMinimumWidth(300);
    auto* layout = new QVBoxLayout(dialog_);
    layout->addWidget(text_);
    layout->addWidget(bar_);
}

void LoadProgressWindow::show(const QString& caption, const QString& text) {
    create();
    dialog_->setWindowTitle(caption);
    text_->setText(text);
    dialog_->show();
    dialog_->raise();
    repaintNow();
}

void LoadProgressWindow::setCaption(const QString& caption) {
    create();
    dialog_->setWindowTitle(caption);
}

void LoadProgressWindow::setText(const QString& text) {
    create();
    text_->setText(text);
    repaintNow();
}

void LoadProgressWindow::setValue(int value) {
    create();
    bar_->setValue(std::clamp(value, 0, 100));
    repaintNow();
}

void LoadProgressWindow::destroy() {
    delete dialog_.data();
    text_ = nullptr;
    bar_ = nullptr;
}

void LoadProgressWindow::repaintNow() {
    if (dialog_ && dialog_->isVisible()) {
        dialog_->repaint();
    }
}
