// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>
#include <memory>

#include "controls/SortHeader.h"

class QCheckBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTimer;
class QTreeWidget;
class CSmsDB;
class PhoneLink;

// The short-message view: the message list under the status check boxes, the preview of the
// current message, and the message commands of the menu, the toolbar and the context menu.
class CSmsView : public QWidget {
    Q_OBJECT

  public:
    // Takes the phone link and the on-line flag from the application; without one the view
    // works off-line on the table alone.
    explicit CSmsView(QWidget* parent = nullptr);
    // Tests hand in the link directly.
    CSmsView(PhoneLink& link, bool online, QWidget* parent = nullptr);
    ~CSmsView() override;

    static constexpr int kIndicationTimerMs = 20000;

    QTreeWidget* list() const { return list_; }
    QCheckBox* statusBox(int bit) const;  // 1 Not Read, 2 Read, 4 Not Sent, 8 Sent
    QCheckBox* allBox() const { return all_; }
    QPlainTextEdit* preview() const { return preview_; }
    QLabel* locationLabel() const { return location_; }
    QLabel* totalLabel() const { return total_; }
    QTimer* indicationTimer() const { return indicationTimer_; }
    CSmsDB& store() const { return *store_; }
    bool replyEnabled() const { return replyEnabled_; }
    bool forwardEnabled() const { return forwardEnabled_; }
    bool resendEnabled() const { return resendEnabled_; }
    // The main menu greys reply, forward and resend by the flags of the last click.
    Q_INVOKABLE bool isCommandEnabled(const QByteArray& slot) const;

    // The context menu as it would pop up now.
    std::unique_ptr<QMenu> contextMenu();
    // A click on the line at a list position (-1: no line), as the list reports it.
    void clickLine(int position);
    void fillList();

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
    // The new-message indication timer's tick.
    void indicationTick();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    SortHeader sortHeader() const;
    void setUp();
    void initialUpdate();
    int selectedPosition() const;
    QList<int> selectedPositions() const;
    void showCurrentRow();
    // After a deletion: the list again, with the first row in the preview (none: cleared).
    void refillShowingFirstRow();
    void statusClicked();
    void allClicked();
    void compose(int mode, const QString& name, const QString& number, const QString& message,
                 int validityChoice = 0);
    void composeFromSelection(int mode, bool enabled, const QString& refusal);
    void checkNewMessageIndication();
    void showIndication(const QStringList& fields);

    std::unique_ptr<PhoneLink> detachedLink_;
    PhoneLink* link_ = nullptr;
    bool online_ = false;
    std::unique_ptr<CSmsDB> store_;

    QTreeWidget* list_ = nullptr;
    QCheckBox* statusBoxes_[4] = {};
    QCheckBox* all_ = nullptr;
    QPlainTextEdit* preview_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* location_ = nullptr;
    QTimer* indicationTimer_ = nullptr;

    bool replyEnabled_ = true;
    bool forwardEnabled_ = true;
    bool resendEnabled_ = true;
};
