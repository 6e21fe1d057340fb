// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDialog>
#include <QString>

class QCheckBox;
class QDateEdit;
class QLineEdit;
class QRadioButton;

// What the item dialogs show and take.
struct TodoDialogValues {
    QString contents;
    int priority = 0;  // 0 "1 Order", 1 "2 Order"
    QDate until;
};

// "New To Do List" and "Edit To Do List": contents of at most 42 characters, the order (the
// phone's priority) and the until date. OK is refused, with a message, while the contents are
// empty or hold a character the phone's command line cannot carry; the dialog then stays open
// with the user's values. The Mark box is kept hidden: marking has its own commands.
class TodoItemDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Kind { New, Edit };

    explicit TodoItemDialog(Kind kind, QWidget* parent = nullptr);

    // Fills the fields without noting a change.
    void setValues(const TodoDialogValues& values);
    TodoDialogValues values() const;

    // Whether a character was typed, an order button clicked or the date changed since the
    // dialog was filled.
    bool changed() const { return changed_; }

    QLineEdit* contentsEdit() const { return contents_; }
    QRadioButton* orderButton(int priority) const { return priority == 0 ? first_ : second_; }
    QDateEdit* untilEdit() const { return until_; }
    QCheckBox* markBox() const { return mark_; }

    void accept() override;

  private:
    QLineEdit* contents_ = nullptr;
    QRadioButton* first_ = nullptr;
    QRadioButton* second_ = nullptr;
    QDateEdit* until_ = nullptr;
    QCheckBox* mark_ = nullptr;
    bool filling_ = false;
    bool changed_ = false;
};

// The read-only "View Contents" window of a double-clicked row.
class TodoContentsDialog : public QDialog {
    Q_OBJECT
  public:
    TodoContentsDialog(const QString& text, QWidget* parent = nullptr);
    // The text as given (each line ended by CR LF).
    QString text() const { return text_; }

  private:
    QString text_;
};
