#include "sms/ui/CSmsView.h"

CSmsView::CSmsView(QWidget* parent) : QWidget(parent) {}

void CSmsView::newEntry() {}
void CSmsView::editEntry() {}
void CSmsView::deleteEntry() {}
void CSmsView::deleteAll() {}
void CSmsView::reload() {}
void CSmsView::newMessage() {}
void CSmsView::viewMessage() {}
void CSmsView::replyMessage() {}
void CSmsView::forwardMessage() {}
void CSmsView::resendMessage() {}
void CSmsView::deleteMessage() {}
void CSmsView::deleteAllMessages() {}
void CSmsView::reloadMessages() {}
