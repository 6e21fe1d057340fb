// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AboutDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "DexmoroVersion.h"
#include "app/SplashWindow.h"

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle("About Dexmoro");
    auto* picture = new QLabel(this);
    picture->setPixmap(SplashWindow::picture().scaledToWidth(210, Qt::SmoothTransformation));

    auto* text = new QLabel(this);
    text->setText(QStringLiteral("Dexmoro Version " DEXMORO_VERSION
                                 "\n\nA companion for Quillon GSM phones:\n"
                                 "phone book, short messages, scheduler and to-do list."));
    text->setObjectName("aboutText");

    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton("OK", QDialogButtonBox::AcceptRole)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(picture);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}
