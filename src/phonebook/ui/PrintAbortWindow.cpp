// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/ui/PrintAbortWindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

PrintAbortWindow::PrintAbortWindow(bool& abortFlag, QWidget* parent)
    : QDialog(parent), abortFlag_(abortFlag), cancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("PrintAbortWindow"));
    setWindowTitle(QStringLiteral("Dexmoro"));
    setModal(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("Printing the phone book..."), this));
    layout->addWidget(cancel_, 0, Qt::AlignHCenter);
    connect(cancel_, &QPushButton::clicked, this, &PrintAbortWindow::raiseAbort);
    // Esc and the close box cancel as well.
    connect(this, &QDialog::rejected, this, &PrintAbortWindow::raiseAbort);
}

void PrintAbortWindow::raiseAbort() {
    abortFlag_ = true;
    cancel_->setEnabled(false);
}
