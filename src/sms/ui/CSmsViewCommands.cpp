// SPDX-License-Identifier: GPL-3.0-or-later
// The view's message commands (compose, view, delete, reload) and the new-message indication.

#include "sms/ui/CSmsView.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeWidget>

#include "db/TableColumns.h"
#include "link/SplitFields.h"
#include "phone/PhoneLink.h"
#include "platform/Notice.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"
#include "sms/CSmsDB.h"
#include "sms/MessageCompose.h"
#include "sms/ui/CMessageViewDlg.h"
#include "sms/ui/CNewMessageDlg.h"
#include "sms/ui/SmsDialogRunner.h"

namespace {
void warn(const QString& text, const QString& caption = QStringLiteral("Warning")) {
    showMessage(text, caption, PromptIcon::Warning);
}

// The protocol name of a Pid; empty for one the dialog cannot show.
QString protocolName(int pid) {
    static const char* const names[] = {"text", "fax", "e-mail", "X400", "ERMES"};
    return pid >= 0 && pid < 5 ? QString::fromLatin1(names[pid]) : QString();
}
}  // namespace

void CSmsView::compose(int mode, const QString& name, const QString& number, const QString& message,
                       int validityChoice) {
    CNewMessageDlg dialog(*link_, this);
    dialog.setComposeMode(mode);
    dialog.setValidityChoice(validityChoice);
    dialog.setName(name);
    dialog.setNumber(number);
    dialog.setMessage(message);
    runSmsDialog(dialog);
    if (dialog.done()) {
        fillList();
    }
}

void CSmsView::composeFromSelection(int mode, bool enabled, const QString& refusal) {
    if (!enabled) {
        warn(refusal, QStringLiteral("Error"));
        return;
    }
    const int selected = selectedPosition();
    if (selected < 0 || !store_->moveTo(selected)) {
        warn(QStringLiteral("Please Select Message."));
        return;
    }
    const QTreeWidgetItem* line = list_->topLevelItem(selected);
    const QString message = store_->textValue(SmsColumns::Message);
    switch (mode) {
        case CNewMessageDlg::ReplyMode:
            compose(mode, line->text(0), line->text(1), {});
            break;
        case CNewMessageDlg::ForwardMode:
            compose(mode, {}, {}, message);
            break;
        default:
            // A resend goes out with the validity it was stored with.
            compose(mode, line->text(0), line->text(1), message,
                    validityChoiceOfText(store_->textValue(SmsColumns::Date)));
            break;
    }
}

void CSmsView::newMessage() {
    compose(CNewMessageDlg::NewMode, {}, {}, {});
}

void CSmsView::replyMessage() {
    composeFromSelection(CNewMessageDlg::ReplyMode, replyEnabled_,
                         QStringLiteral("Can't reply message!"));
}

void CSmsView::forwardMessage() {
    composeFromSelection(CNewMessageDlg::ForwardMode, forwardEnabled_,
                         QStringLiteral("Can't forward message!"));
}

void CSmsView::resendMessage() {
    composeFromSelection(CNewMessageDlg::ResendMode, resendEnabled_,
                         QStringLiteral("Can't resend message!"));
}

void CSmsView::viewMessage() {
    const int selected = selectedPosition();
    if (selected < 0) {
        newMessage();
        return;
    }
    if (!store_->moveTo(selected)) {
        return;
    }
    const QString protocol = protocolName(store_->intValue(SmsColumns::Pid));
    if (protocol.isEmpty()) {
        return;
    }
    CMessageViewDlg dialog(*link_, this);
    dialog.setValues({store_->textValue(SmsColumns::Name),
                      store_->textValue(SmsColumns::PhoneNumber),
                      store_->textValue(SmsColumns::Status), store_->textValue(SmsColumns::Date),
                      protocol, store_->textValue(SmsColumns::Message)});
    runSmsDialog(dialog);
    fillList();
}

void CSmsView::editEntry() {
    if (selectedPosition() < 0) {
        warn(QStringLiteral("You must select SMS item to view the data"));
        return;
    }
    viewMessage();
}

void CSmsView::newEntry() {
    newMessage();
}

void CSmsView::deleteEntry() {
    deleteMessage();
}

void CSmsView::deleteAll() {
    deleteAllMessages();
}

void CSmsView::reload() {
    reloadMessages();
}

void CSmsView::deleteMessage() {
    const QList<int> positions = selectedPositions();
    if (!positions.isEmpty()) {
        // Nothing brings a deleted message back: the phone keeps no deletion table for them.
        Prompt question{positions.size() == 1
                            ? QStringLiteral("Do you want to delete the selected message?")
                            : QStringLiteral("Do you want to delete the %1 selected messages?")
                                  .arg(positions.size()),
                        QStringLiteral("Delete"), PromptIcon::Question, PromptButtons::YesNo};
        question.defaultAnswer = PromptAnswer::No;
        if (currentPrompter().ask(question) != PromptAnswer::Yes) {
            return;
        }
    }
    store_->DeleteSelected(*link_, positions);
    refillShowingFirstRow();
}

void CSmsView::deleteAllMessages() {
    if (currentPrompter().ask(deleteAllQuestion()) != PromptAnswer::Yes) {
        return;
    }
    store_->DeleteAllMessages(*link_);
    refillShowingFirstRow();
}

void CSmsView::refillShowingFirstRow() {
    fillList();
    if (store_->GetRecordCount() > 0 && store_->moveTo(0)) {
        showCurrentRow();
    } else {
        location_->setText(QStringLiteral("SIM"));
        preview_->clear();
    }
}

void CSmsView::reloadMessages() {
    const MirrorOutcome outcome = ReloadMessages(*link_, *store_, currentProgress());
    if (outcome.notice) {
        showNotice(*outcome.notice);
    }
    fillList();
}

void CSmsView::indicationTick() {
    if (appState().messagesLoaded != 0) {
        indicationTimer_->start(kIndicationTimerMs);
    }
    if (online_) {
        checkNewMessageIndication();
    }
}

void CSmsView::checkNewMessageIndication() {
    QString answer;
    if (!link_->QueryNewMessageSettings(answer)) {
        return;
    }
    QStringList fields;
    SplitFields(answer, fields, 5);
    if (fields.value(1) == QLatin1String("1")) {
        showIndication(fields);
    }
    if (fields.value(2) == QLatin1String("1")) {
        showIndication(fields);
    }
}

void CSmsView::showIndication(const QStringList& fields) {
    QString answer;
    if (!link_->SetNewMessageIndication(fields, answer)) {
        return;
    }
    QStringList parts;
    SplitFields(answer, parts, 2);
    appState().messagesLoaded = 0;
    showMessage(QStringLiteral("New Message Indication %1 From %2 ").arg(parts[1], parts[0]),
                QStringLiteral("New Message Indication"), PromptIcon::None);
}
