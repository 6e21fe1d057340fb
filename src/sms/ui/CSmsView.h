#pragma once

#include <QWidget>

// The short-message view: the message list and its commands.
class CSmsView : public QWidget {
    Q_OBJECT

  public:
    explicit CSmsView(QWidget* parent = nullptr);

  public slots:
    // Toolbar.
    void newEntry();
    void editEntry();
    void deleteEntry();
    void deleteAll();
    void reload();
    // "SMS" menu; reply, forward and resend also come from the navigation bar's items.
    void newMessage();
    void viewMessage();
    void replyMessage();
    void forwardMessage();
    void resendMessage();
    void deleteMessage();
    void deleteAllMessages();
    void reloadMessages();
};
