// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QToolButton;
class PhoneLink;

// "Make New Message": writes, addresses and sends and/or saves one short message. The view sets
// the mode and the prefilled values before running it and reads done() afterwards.
class CNewMessageDlg : public QDialog {
    Q_OBJECT
  public:
    enum Mode { NewMode = 2, ReplyMode = 3, ForwardMode = 4, ResendMode = 5 };

    explicit CNewMessageDlg(PhoneLink& link, QWidget* parent = nullptr);

    // Also the title.
    void setComposeMode(int mode);
    int composeMode() const { return mode_; }
    void setName(const QString& name);
    void setNumber(const QString& number);
    // Line ends as CR LF.
    void setMessage(const QString& text);
    QString name() const;
    QString number() const;
    QString message() const;
    int sendChoice() const;
    int replyPathChoice() const;
    int validityChoice() const;
    void setValidityChoice(int choice);
    bool done() const { return done_; }

    // The opening rules (title, off-line and full-SIM choices, counter); runs when the dialog
    // is first shown.
    void initialise();

    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* numberEdit() const { return number_; }
    QPlainTextEdit* messageEdit() const { return message_; }
    QLabel* counter() const { return counter_; }
    QComboBox* validityCombo() const { return validity_; }
    QRadioButton* sendChoiceButton(int choice) const;
    QRadioButton* voiceButton() const { return voice_; }
    QToolButton* pickerButton() const { return picker_; }

  public slots:
    void accept() override;
    void pickFromPhonebook();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void messageChanged();
    void numberChanged(const QString& text);

    PhoneLink& link_;
    int mode_ = NewMode;
    bool done_ = false;
    bool initialised_ = false;
    QString lastMessage_;

    QLineEdit* name_;
    QLineEdit* number_;
    QRadioButton* voice_;
    QRadioButton* sms_;
    QButtonGroup* replyPath_;
    QComboBox* validity_;
    QPlainTextEdit* message_;
    QLabel* counter_;
    QButtonGroup* sendChoices_;
    QToolButton* picker_;
};

// The dial string of a phonebook entry as a message address: cut before its first "P", else
// before its first "/", else before its first "p".
QString messageAddressOf(const QString& dialString);
