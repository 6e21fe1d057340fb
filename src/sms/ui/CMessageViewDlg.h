// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class PhoneLink;

// "Message View": one message with its type, validity and protocol. A received message can be
// answered ("FORWARD/REPLY"), a stored one sent again ("RESEND"); a delivery report neither.
class CMessageViewDlg : public QDialog {
    Q_OBJECT
  public:
    struct Values {
        QString name;
        QString number;
        QString type;      // the row's status text
        QString validity;  // the row's Date text
        QString pid;       // the protocol name
        QString message;   // line ends CR LF
    };

    explicit CMessageViewDlg(PhoneLink& link, QWidget* parent = nullptr);

    void setValues(const Values& values);
    Values values() const;

    // The opening rules for the second button; runs when the dialog is first shown.
    void initialise();

    QPushButton* secondButton() const { return second_; }
    QLineEdit* numberEdit() const { return number_; }
    QLineEdit* nameEdit() const { return name_; }
    QPlainTextEdit* messageEdit() const { return message_; }

  public slots:
    void sendAgain();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    PhoneLink& link_;
    bool initialised_ = false;
    QLineEdit* name_;
    QLineEdit* number_;
    QLabel* type_;
    QLabel* validity_;
    QLabel* pid_;
    QPlainTextEdit* message_;
    QPushButton* second_;
};
