// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/ui/CNewMessageDlg.h"

#include <algorithm>

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTextCursor>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

#include "phone/PhoneLink.h"
#include "phonebook/ui/PhonebookPickerDialog.h"
#include "sms/CSmsDB.h"
#include "sms/MessageCompose.h"
#include "sms/ui/ComposeReport.h"
#include "sms/ui/SmsDialogRunner.h"

namespace {

QRadioButton* radio(const QString& text, const QString& objectName, QWidget* parent) {
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(objectName);
    return button;
}

QString titleOf(int mode) {
    switch (mode) {
        case CNewMessageDlg::ReplyMode:
            return QStringLiteral("Reply Message");
        case CNewMessageDlg::ForwardMode:
            return QStringLiteral("Forward Message");
        case CNewMessageDlg::ResendMode:
            return QStringLiteral("Resend Message");
        default:
            return QStringLiteral("Make New Message");
    }
}
}  // namespace

QString messageAddressOf(const QString& dialString) {
    for (QChar cut : {u'P', u'/', u'p'}) {
        const qsizetype at = dialString.indexOf(cut);
        if (at >= 0) {
            return dialString.left(at);
        }
    }
    return dialString;
}

CNewMessageDlg::CNewMessageDlg(PhoneLink& link, QWidget* parent) : QDialog(parent), link_(link) {
    offerAddNumberFlag = true;
    setWindowTitle(titleOf(mode_));

    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("nameEdit"));
    name_->setMaxLength(kMaxComposeName);
    number_ = new QLineEdit(this);
    number_->setObjectName(QStringLiteral("numberEdit"));
    number_->setMaxLength(kMaxComposeNumber);
    connect(number_, &QLineEdit::textChanged, this, &CNewMessageDlg::numberChanged);
    picker_ = new QToolButton(this);
    picker_->setObjectName(QStringLiteral("pickerButton"));
    picker_->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    picker_->setToolTip(QStringLiteral("Display Phonebook Data"));
    connect(picker_, &QToolButton::clicked, this, &CNewMessageDlg::pickFromPhonebook);

    auto* address = new QFormLayout;
    address->addRow(QStringLiteral("Name"), name_);
    auto* numberRow = new QHBoxLayout;
    numberRow->addWidget(number_, 1);
    numberRow->addWidget(picker_);
    address->addRow(QStringLiteral("Phone Number"), numberRow);

    auto* serviceBox = new QGroupBox(QStringLiteral("Service Type"), this);
    voice_ = radio(QStringLiteral("Voice"), QStringLiteral("voiceRadio"), serviceBox);
    voice_->setEnabled(false);
    sms_ = radio(QStringLiteral("SMS"), QStringLiteral("smsRadio"), serviceBox);
    sms_->setChecked(true);
    auto* serviceLayout = new QHBoxLayout(serviceBox);
    serviceLayout->addWidget(voice_);
    serviceLayout->addWidget(sms_);

    auto* replyBox = new QGroupBox(QStringLiteral("Reply Path"), this);
    replyPath_ = new QButtonGroup(this);
    replyPath_->setExclusive(false);  // none checked until the dialog opens
    auto* replyLayout = new QHBoxLayout(replyBox);
    const char* replyTexts[] = {"On", "Off"};
    for (int choice = 0; choice < 2; ++choice) {
        auto* button = radio(QString::fromLatin1(replyTexts[choice]),
                             QStringLiteral("replyPath%1").arg(replyTexts[choice]), replyBox);
        replyPath_->addButton(button, choice);
        replyLayout->addWidget(button);
    }

    auto* validityBox = new QGroupBox(QStringLiteral("Validity Period"), this);
    validity_ = new QComboBox(validityBox);
    validity_->setObjectName(QStringLiteral("validityCombo"));
    validity_->addItems({QStringLiteral("1 Hour"), QStringLiteral("6 Hours"),
                         QStringLiteral("12 Hours"), QStringLiteral("24 Hours"),
                         QStringLiteral("1 Week"), QStringLiteral("Max Time")});
    (new QHBoxLayout(validityBox))->addWidget(validity_);

    auto* messageBox = new QGroupBox(QStringLiteral("Message"), this);
    message_ = new QPlainTextEdit(messageBox);
    message_->setObjectName(QStringLiteral("messageEdit"));
    message_->setTabChangesFocus(true);
    connect(message_, &QPlainTextEdit::textChanged, this, &CNewMessageDlg::messageChanged);
    counter_ = new QLabel(QStringLiteral("0/160"), messageBox);
    counter_->setObjectName(QStringLiteral("counterLabel"));
    counter_->setAlignment(Qt::AlignRight);
    auto* messageLayout = new QVBoxLayout(messageBox);
    messageLayout->addWidget(message_);
    messageLayout->addWidget(counter_);

    // A doubled ampersand shows as one, as in the other resource texts.
    auto* sendBox = new QGroupBox(QStringLiteral("Save && Send"), this);
    sendChoices_ = new QButtonGroup(this);
    auto* sendLayout = new QVBoxLayout(sendBox);
    const char* sendTexts[] = {"Send Only", "Send && Save", "Save Only"};
    const char* sendNames[] = {"sendOnlyRadio", "sendAndSaveRadio", "saveOnlyRadio"};
    for (int choice = 0; choice < 3; ++choice) {
        auto* button = radio(QString::fromLatin1(sendTexts[choice]),
                             QString::fromLatin1(sendNames[choice]), sendBox);
        sendChoices_->addButton(button, choice);
        sendLayout->addWidget(button);
    }
    sendChoices_->button(kSendOnly)->setChecked(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &CNewMessageDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CNewMessageDlg::reject);

    auto* options = new QHBoxLayout;
    options->addWidget(serviceBox);
    options->addWidget(replyBox);
    options->addWidget(validityBox);
    auto* lower = new QHBoxLayout;
    lower->addWidget(messageBox, 1);
    auto* side = new QVBoxLayout;
    side->addWidget(sendBox);
    side->addStretch(1);
    side->addWidget(buttons);
    lower->addLayout(side);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(address);
    layout->addLayout(options);
    layout->addLayout(lower, 1);
    resize(520, 340);
}

void CNewMessageDlg::setComposeMode(int mode) {
    mode_ = mode;
    setWindowTitle(titleOf(mode_));
}

void CNewMessageDlg::setName(const QString& name) {
    name_->setText(name);
}

void CNewMessageDlg::setNumber(const QString& number) {
    number_->setMaxLength(kMaxComposeNumberWithPlus);
    number_->setText(number);
    numberChanged(number_->text());
}

void CNewMessageDlg::setMessage(const QString& text) {
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    message_->setPlainText(shown);
}

QString CNewMessageDlg::name() const {
    return name_->text();
}

QString CNewMessageDlg::number() const {
    return number_->text();
}

QString CNewMessageDlg::message() const {
    return message_->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

int CNewMessageDlg::sendChoice() const {
    return sendChoices_->checkedId();
}

int CNewMessageDlg::replyPathChoice() const {
    return replyPath_->checkedId();
}

int CNewMessageDlg::validityChoice() const {
    return validity_->currentIndex();
}

void CNewMessageDlg::setValidityChoice(int choice) {
    validity_->setCurrentIndex(choice);
}

QRadioButton* CNewMessageDlg::sendChoiceButton(int choice) const {
    return qobject_cast<QRadioButton*>(sendChoices_->button(choice));
}

void CNewMessageDlg::showEvent(QShowEvent* event) {
    if (!initialised_) {
        initialise();
    }
    QDialog::showEvent(event);
}

void CNewMessageDlg::initialise() {
    initialised_ = true;
    setWindowTitle(titleOf(mode_));
    if (mode_ == NewMode) {
        name_->clear();
        number_->clear();
        message_->clear();
    }
    replyPath_->button(1)->setChecked(true);
    replyPath_->setExclusive(true);
    if (link_.phoneFound) {
        CSmsDB store;
        if (store.CountMessages(link_) >= link_.simMessageCapacity) {
            sendChoiceButton(kSaveOnly)->setEnabled(false);
            sendChoiceButton(kSendAndSave)->setEnabled(false);
        }
    } else {
        sendChoiceButton(kSendOnly)->setEnabled(false);
        sendChoiceButton(kSendAndSave)->setEnabled(false);
        sendChoiceButton(kSaveOnly)->setChecked(true);
    }
    done_ = false;
    messageChanged();
}

// The edit takes no character beyond the limit: a change that would pass it is undone.
void CNewMessageDlg::messageChanged() {
    if (!composeMessageFits(message())) {
        const int position = message_->textCursor().position();
        const qsizetype added = message_->toPlainText().size() - lastMessage_.size();
        const QSignalBlocker blocker(message_);
        message_->setPlainText(lastMessage_);
        QTextCursor cursor = message_->textCursor();
        cursor.setPosition(
            std::min<int>(std::max(0, position - int(added)), int(lastMessage_.size())));
        message_->setTextCursor(cursor);
    } else {
        lastMessage_ = message_->toPlainText();
    }
    counter_->setText(composeCounterText(message()));
}

void CNewMessageDlg::numberChanged(const QString& text) {
    number_->setMaxLength(text.contains(u'+') ? kMaxComposeNumberWithPlus : kMaxComposeNumber);
}

void CNewMessageDlg::pickFromPhonebook() {
    PhonebookPickerDialog picker(this);
    if (runSmsDialog(picker) != QDialog::Accepted) {
        return;
    }
    setNumber(messageAddressOf(picker.pickedNumber()));
    name_->setText(picker.pickedName());
    offerAddNumberFlag = false;
}

// The values stay for correction after a missing field, refused text or a full SIM.
void CNewMessageDlg::accept() {
    ComposeValues values;
    values.name = name();
    values.number = number();
    values.message = message();
    values.replyPathChoice = replyPathChoice();
    values.validityChoice = validityChoice();
    values.sendChoice = sendChoice();
    const ComposeResult result = SendAndSave(link_, values, prompterAsker());
    tellComposeResult(link_, values, result);
    if (result.keepsValues()) {
        if (result.outcome == ComposeOutcome::MissingMessage) {
            message_->setFocus();
        } else if (result.outcome == ComposeOutcome::MissingNumber) {
            number_->setFocus();
        }
        return;
    }
    done_ = result.done;
    QDialog::accept();
}
