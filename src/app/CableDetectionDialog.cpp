// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CableDetectionDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/OptionDialog.h"
#include "platform/Profile.h"

namespace {
QLabel* wrappedLabel(const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    return label;
}
}  // namespace

CableDetectionDialog::CableDetectionDialog(QWidget* parent,
                                           std::function<bool(QWidget*)> runOptionDialog)
    : QDialog(parent),
      runOptionDialog_(std::move(runOptionDialog)),
      portLine_(new QLineEdit(this)) {
    if (!runOptionDialog_) {
        runOptionDialog_ = [](QWidget* owner) {
            OptionDialog dialog(owner);
            return dialog.exec() == QDialog::Accepted;
        };
    }
    setWindowTitle("Quillon Velmarlink Cable Detection");

    portLine_->setReadOnly(true);
    portLine_->setText(QString("%1%2 .")
                           .arg("The current port is COM")
                           .arg(Profile::intValue("CONFIG", "PORT", 3)));

    auto* ok = new QPushButton("OK", this);
    auto* cancel = new QPushButton("Cancel", this);
    auto* manual = new QPushButton("Manual Select", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(manual, &QPushButton::clicked, this, &CableDetectionDialog::manualSelect);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(manual);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(wrappedLabel(
        "This program tests the available COM ports for a GSM compatible mobile phone. ", this));
    layout->addWidget(wrappedLabel(
        "Make sure that your phone is connected to a valid COM port, and that is switched on. "
        "\n\nEnsure that no other devices are connected to any COM ports before processing.",
        this));
    layout->addWidget(portLine_);
    note_ = wrappedLabel(QString(), this);
    note_->hide();
    layout->addWidget(note_);
    layout->addWidget(wrappedLabel(
        "Click OK if you wish to work off-line, or Cancel to stop further processing.\n\n"
        "Click 'Setting...' button  to choose the port  you wish to connect to.                 "
        "       ",
        this));
    layout->addWidget(wrappedLabel("Do you wish to work off-line?", this));
    layout->addLayout(buttons);
    setMinimumWidth(460);
}

void CableDetectionDialog::setNote(const QString& note) {
    note_->setText(note);
    note_->setVisible(!note.isEmpty());
}

QString CableDetectionDialog::portLine() const {
    return portLine_->text();
}

void CableDetectionDialog::manualSelect() {
    portChosen_ = runOptionDialog_(this);
    done(ManualSelect);
}
