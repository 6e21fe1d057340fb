// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/ui/CMessageViewDlg.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>
#include <QVBoxLayout>

#include "sms/CSmsDB.h"
#include "sms/MessageCompose.h"
#include "sms/ui/CSaveToSimDlg.h"
#include "sms/ui/ComposeReport.h"
#include "sms/ui/SmsDialogRunner.h"

CMessageViewDlg::CMessageViewDlg(PhoneLink& link, QWidget* parent) : QDialog(parent), link_(link) {
    setWindowTitle(QStringLiteral("Message View"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("nameEdit"));
    name_->setMaxLength(kMaxComposeName);
    number_ = new QLineEdit(this);
    number_->setObjectName(QStringLiteral("numberEdit"));
    number_->setMaxLength(kMaxComposeNumberWithPlus);
    connect(number_, &QLineEdit::textChanged, this, [this](const QString& text) {
        number_->setMaxLength(text.contains(u'+') ? kMaxComposeNumberWithPlus : kMaxComposeNumber);
    });
    type_ = new QLabel(this);
    type_->setObjectName(QStringLiteral("typeLabel"));
    validity_ = new QLabel(this);
    validity_->setObjectName(QStringLiteral("validityLabel"));
    pid_ = new QLabel(this);
    pid_->setObjectName(QStringLiteral("pidLabel"));
    message_ = new QPlainTextEdit(this);
    message_->setObjectName(QStringLiteral("messageEdit"));
    message_->setTabChangesFocus(true);
    connect(message_, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = message_->toPlainText();
        if (!composeMessageFits(text)) {
            QString cut = text;
            while (!composeMessageFits(cut)) {
                cut.chop(1);
            }
            const QSignalBlocker blocker(message_);
            message_->setPlainText(cut);
            message_->moveCursor(QTextCursor::End);
        }
    });

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Name"), name_);
    form->addRow(QStringLiteral("Phone Number"), number_);
    form->addRow(QStringLiteral("Type"), type_);
    form->addRow(QStringLiteral("Validity Period"), validity_);
    form->addRow(QStringLiteral("PID"), pid_);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    second_ = new QPushButton(this);
    second_->setObjectName(QStringLiteral("secondButton"));
    second_->hide();
    connect(second_, &QPushButton::clicked, this, &CMessageViewDlg::sendAgain);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(second_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(message_, 1);
    layout->addLayout(buttons);
    resize(380, 360);
}

void CMessageViewDlg::setValues(const Values& values) {
    name_->setText(values.name);
    number_->setText(values.number);
    type_->setText(values.type);
    validity_->setText(values.validity);
    pid_->setText(values.pid);
    QString shown = values.message;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    message_->setPlainText(shown);
}

CMessageViewDlg::Values CMessageViewDlg::values() const {
    return {name_->text(), number_->text(),
            type_->text(), validity_->text(),
            pid_->text(),  message_->toPlainText().replace(u'\n', QStringLiteral("\r\n"))};
}

void CMessageViewDlg::showEvent(QShowEvent* event) {
    if (!initialised_) {
        initialise();
    }
    QDialog::showEvent(event);
}

void CMessageViewDlg::initialise() {
    initialised_ = true;
    if (message_->toPlainText().contains(QLatin1String("Report: "))) {
        appState().reportFlag = true;
    }
    const QString type = type_->text();
    if (type.contains(QLatin1String("Read"))) {
        if (!appState().reportFlag) {
            second_->setText(QStringLiteral("FORWARD/REPLY"));
            number_->setReadOnly(true);
            second_->show();
        } else {
            second_->hide();
            appState().reportFlag = false;
        }
    } else if (type.contains(QLatin1String("Sent"))) {
        second_->setText(QStringLiteral("RESEND"));
        second_->show();
    }
}

// Sends what the dialog shows again, with the reply path off and the validity the row shows;
// the values stay for correction after a missing field or refused text.
void CMessageViewDlg::sendAgain() {
    CSaveToSimDlg question(this);
    const bool save = runSmsDialog(question) == QDialog::Accepted;
    const Values shown = values();
    ComposeValues values;
    values.name = shown.name;
    values.number = shown.number;
    values.message = shown.message;
    values.replyPathChoice = 1;
    values.validityChoice = validityChoiceOfText(shown.validity);
    values.sendChoice = save ? kSendAndSave : kSendOnly;
    const ComposeResult result = SendAndSave(link_, values, prompterAsker());
    tellComposeResult(link_, values, result);
    if (result.keepsValues()) {
        return;
    }
    QDialog::accept();
}
