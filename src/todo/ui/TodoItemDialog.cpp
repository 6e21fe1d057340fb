// SPDX-License-Identifier: GPL-3.0-or-later
#include "todo/ui/TodoItemDialog.h"

#include <QButtonGroup>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "phone/PhoneSafeText.h"
#include "platform/Prompter.h"
#include "todo/CToDoListDB.h"

TodoItemDialog::TodoItemDialog(Kind kind, QWidget* parent) : QDialog(parent) {
    setWindowTitle(kind == Kind::New ? QStringLiteral("New To Do List")
                                     : QStringLiteral("Edit To Do List"));
    contents_ = new QLineEdit(this);
    contents_->setObjectName(QStringLiteral("contents"));
    contents_->setMaxLength(kTodoContentsLimit);
    contents_->setMinimumWidth(300);

    first_ = new QRadioButton(QStringLiteral("1 Order"), this);
    first_->setObjectName(QStringLiteral("order1"));
    second_ = new QRadioButton(QStringLiteral("2 Order"), this);
    second_->setObjectName(QStringLiteral("order2"));
    auto* order = new QButtonGroup(this);
    order->addButton(first_, 0);
    order->addButton(second_, 1);
    first_->setChecked(true);

    until_ = new QDateEdit(QDate::currentDate(), this);
    until_->setObjectName(QStringLiteral("untilDate"));
    until_->setCalendarPopup(true);
    until_->calendarWidget()->setFirstDayOfWeek(Qt::Sunday);
    until_->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));

    mark_ = new QCheckBox(QStringLiteral("Mark"), this);
    mark_->setObjectName(QStringLiteral("mark"));
    mark_->hide();

    auto* orders = new QHBoxLayout;
    orders->addWidget(first_);
    orders->addWidget(second_);
    orders->addStretch(1);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Contents"), contents_);
    form->addRow(QStringLiteral("Order"), orders);
    form->addRow(QStringLiteral("Until Date"), until_);
    form->addRow(QString(), mark_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TodoItemDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &TodoItemDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // Only what the user does counts as a change, not the filling.
    connect(contents_, &QLineEdit::textEdited, this, [this] { changed_ = true; });
    connect(first_, &QRadioButton::clicked, this, [this] { changed_ = true; });
    connect(second_, &QRadioButton::clicked, this, [this] { changed_ = true; });
    connect(until_, &QDateEdit::dateChanged, this, [this] {
        if (!filling_) {
            changed_ = true;
        }
    });
}

void TodoItemDialog::setValues(const TodoDialogValues& values) {
    filling_ = true;
    contents_->setText(values.contents);
    (values.priority == 0 ? first_ : second_)->setChecked(true);
    until_->setDate(values.until.isValid() ? values.until : QDate::currentDate());
    filling_ = false;
    changed_ = false;
}

TodoDialogValues TodoItemDialog::values() const {
    return TodoDialogValues{contents_->text(), second_->isChecked() ? 1 : 0, until_->date()};
}

void TodoItemDialog::accept() {
    const QString contents = contents_->text();
    if (contents.isEmpty()) {
        showMessage(QStringLiteral("You must input contents field"), QStringLiteral("ERROR"),
                    PromptIcon::Error);
        contents_->setFocus();
        return;
    }
    const QString problem = phoneSafeTextProblem(contents, PhoneTextKind::Contents);
    if (!problem.isEmpty()) {
        showMessage(problem, QStringLiteral("Warning"), PromptIcon::Warning);
        contents_->setFocus();
        return;
    }
    QDialog::accept();
}

TodoContentsDialog::TodoContentsDialog(const QString& text, QWidget* parent)
    : QDialog(parent), text_(text) {
    setWindowTitle(QStringLiteral("View Contents"));
    auto* view = new QPlainTextEdit(this);
    view->setObjectName(QStringLiteral("contentsText"));
    view->setTabChangesFocus(true);
    view->setReadOnly(true);
    // The edit control keeps one line end per line.
    view->setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &TodoContentsDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(view);
    layout->addWidget(buttons);
    resize(360, 200);
}
