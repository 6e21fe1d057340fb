// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonebook/ui/PhonebookEntryDialog.h"

#include <algorithm>

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "controls/DialStringEdit.h"
#include "phone/AppState.h"
#include "phonebook/PhonebookEntryRules.h"
#include "phonebook/PhonebookEntryText.h"
#include "platform/Notice.h"
#include "platform/Prompter.h"

namespace {
constexpr int kNameLimit = kEntryNameLimit;
constexpr int kDialStringLimit = kEntryDialStringLimit;
constexpr int kNewPcFieldLimit = 50;
constexpr int kEditPhoneFieldLimit = 20;
constexpr int kNoLimit = 32767;

QLineEdit* lineEdit(const QString& objectName, int maxLength, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(objectName);
    edit->setMaxLength(maxLength);
    return edit;
}

// A stored value longer than the dialog's limit is shown whole rather than cut, so that
// opening and confirming an entry never loses part of it.
void setTextKeepingAll(QLineEdit* edit, int limit, const QString& text) {
    edit->setMaxLength(std::max<int>(limit, text.size()));
    edit->setText(text);
}
}  // namespace

PhonebookEntryDialog::PhonebookEntryDialog(Kind kind, Context context, QWidget* parent)
    : QDialog(parent),
      kind_(kind),
      context_(std::move(context)),
      nameLimit_(phoneTextCharset() == PhoneCharset::Latin1 ? kNameLimit : kNoLimit) {
    const bool isNew = kind_ == Kind::New;
    setWindowTitle(isNew ? QStringLiteral("New Phone Book") : QStringLiteral("Edit Phone Book"));

    auto* upper = new QWidget(this);
    auto* entryForm = new QFormLayout;
    index_ = lineEdit(QStringLiteral("indexEdit"), 11, upper);
    index_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,10}")), index_));
    name_ = lineEdit(QStringLiteral("nameEdit"), nameLimit_, upper);
    dialString_ = new DialStringEdit(upper);
    dialString_->setObjectName(QStringLiteral("numberEdit"));
    dialString_->setMaxLength(kDialStringLimit);
    entryForm->addRow(QStringLiteral("No"), index_);
    entryForm->addRow(QStringLiteral("Name"), name_);
    entryForm->addRow(QStringLiteral("Number"), dialString_);

    auto* memoryBox = new QGroupBox(upper);
    auto* memoryLayout = new QHBoxLayout(memoryBox);
    memoryGroup_ = new QButtonGroup(this);
    const char* memoryNames[] = {"SIM", "MS", "PC"};
    const char* radioNames[] = {"simRadio", "msRadio", "pcRadio"};
    for (int memory = MemorySim; memory <= MemoryPc; ++memory) {
        auto* radio = new QRadioButton(QString::fromLatin1(memoryNames[memory]), memoryBox);
        radio->setObjectName(QString::fromLatin1(radioNames[memory]));
        radio->setEnabled(isNew);
        memoryGroup_->addButton(radio, memory);
        memoryLayout->addWidget(radio);
    }
    connect(memoryGroup_, &QButtonGroup::idClicked, this, &PhonebookEntryDialog::setMemory);

    auto* buttons =
        new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Vertical, upper);
    connect(buttons, &QDialogButtonBox::accepted, this, &PhonebookEntryDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &PhonebookEntryDialog::reject);

    auto* entryColumn = new QVBoxLayout;
    entryColumn->addLayout(entryForm);
    entryColumn->addWidget(memoryBox);
    auto* upperLayout = new QHBoxLayout(upper);
    upperLayout->setContentsMargins(0, 0, 0, 0);
    upperLayout->addLayout(entryColumn, 1);
    upperLayout->addWidget(buttons);

    pcFields_ = new QWidget(this);
    pcFields_->setObjectName(QStringLiteral("pcFields"));
    const int phoneFieldLimit = isNew ? kNewPcFieldLimit : kEditPhoneFieldLimit;
    const int textFieldLimit = isNew ? kNewPcFieldLimit : kNoLimit;
    office_ = lineEdit(QStringLiteral("officeEdit"), phoneFieldLimit, pcFields_);
    pager_ = lineEdit(QStringLiteral("pagerEdit"), phoneFieldLimit, pcFields_);
    fax_ = lineEdit(QStringLiteral("faxEdit"), phoneFieldLimit, pcFields_);
    home_ = lineEdit(QStringLiteral("homeEdit"), phoneFieldLimit, pcFields_);
    email_ = lineEdit(QStringLiteral("emailEdit"), textFieldLimit, pcFields_);
    address_ = lineEdit(QStringLiteral("addressEdit"), textFieldLimit, pcFields_);
    memo_ = new QPlainTextEdit(pcFields_);
    memo_->setObjectName(QStringLiteral("memoEdit"));
    // Tab leaves the note like every other field; a tab character has no place in it.
    memo_->setTabChangesFocus(true);
    memoLimit_ = textFieldLimit;
    connect(memo_, &QPlainTextEdit::textChanged, this, [this] {
        const QString text = memo_->toPlainText();
        if (text.size() > memoLimit_) {
            memo_->setPlainText(text.left(memoLimit_));
            memo_->moveCursor(QTextCursor::End);
        }
    });
    auto* pcForm = new QFormLayout(pcFields_);
    pcForm->setContentsMargins(0, 0, 0, 0);
    pcForm->addRow(QStringLiteral("Office"), office_);
    pcForm->addRow(QStringLiteral("Pager"), pager_);
    pcForm->addRow(QStringLiteral("Fax"), fax_);
    pcForm->addRow(QStringLiteral("Home"), home_);
    pcForm->addRow(QStringLiteral("E-mail Address"), email_);
    pcForm->addRow(QStringLiteral("Address"), address_);
    pcForm->addRow(QStringLiteral("Memo"), memo_);

    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    layout->addWidget(upper);
    layout->addWidget(pcFields_);

    watchKeys();
    showMemoryLayout(MemorySim);
}

void PhonebookEntryDialog::setMemory(int memory) {
    memory_ = memory;
    if (auto* radio = memoryGroup_->button(memory)) {
        radio->setChecked(true);
    }
    if (kind_ == Kind::New && context_.firstFreeIndex) {
        index_->setText(QString::number(context_.firstFreeIndex(memory)));
    }
    showMemoryLayout(memory);
}

void PhonebookEntryDialog::setValues(const PhonebookEntryValues& values) {
    memory_ = values.memory;
    if (auto* radio = memoryGroup_->button(values.memory)) {
        radio->setChecked(true);
    }
    index_->setText(QString::number(values.index));
    setTextKeepingAll(name_, nameLimit_, values.name);
    setTextKeepingAll(dialString_, kDialStringLimit, values.dialString);
    setTextKeepingAll(office_, office_->maxLength(), values.office);
    setTextKeepingAll(pager_, pager_->maxLength(), values.pager);
    setTextKeepingAll(fax_, fax_->maxLength(), values.fax);
    setTextKeepingAll(home_, home_->maxLength(), values.home);
    setTextKeepingAll(email_, email_->maxLength(), values.email);
    setTextKeepingAll(address_, address_->maxLength(), values.address);
    memoLimit_ = std::max<int>(memoLimit_, values.memo.size());
    memo_->setPlainText(values.memo);
    showMemoryLayout(values.memory);
    changed_ = false;
}

PhonebookEntryValues PhonebookEntryDialog::values() const {
    PhonebookEntryValues values;
    values.index = index_->text().toLongLong();
    values.name = name_->text();
    values.dialString = dialString_->text();
    values.memory = memory_;
    values.office = office_->text();
    values.pager = pager_->text();
    values.fax = fax_->text();
    values.home = home_->text();
    values.email = email_->text();
    values.address = address_->text();
    values.memo = memo_->toPlainText();
    return values;
}

void PhonebookEntryDialog::accept() {
    bool isNumber = false;
    const qint64 index = index_->text().toLongLong(&isNumber);
    if (!isNumber) {
        showMessage(QStringLiteral("Please enter an integer."), QStringLiteral("Warning"),
                    PromptIcon::Warning);
        return;
    }
    const PhonebookEntryValues entered = values();
    if (auto problem =
            entryInputProblem(entered.name, entered.dialString, index, capacityOf(memory_))) {
        showNotice(*problem);
        return;
    }
    if (auto unsafe = unsafeEntryTextNotice(entered.name, entered.dialString)) {
        showNotice(*unsafe);
        return;
    }
    // Without a reported length the edits' own limits already hold.
    const int numberLength = memory_ == MemorySim  ? context_.simNumberLength
                             : memory_ == MemoryMs ? context_.msNumberLength
                                                   : 0;
    if (auto tooLong =
            phoneFitProblem(entered.name, entered.dialString, entryNameLimit(nameLengthOf(memory_)),
                            numberLength, phoneTextCharset())) {
        showNotice(*tooLong);
        return;
    }
    QDialog::accept();
}

void PhonebookEntryDialog::showMemoryLayout(int memory) {
    const bool pc = memory == MemoryPc;
    pcFields_->setEnabled(pc);
    pcFields_->setVisible(pc);
}

int PhonebookEntryDialog::nameLengthOf(int memory) const {
    switch (memory) {
        case MemorySim:
            return context_.simNameLength;
        case MemoryMs:
            return context_.msNameLength;
        default:
            return 0;
    }
}

qint64 PhonebookEntryDialog::capacityOf(int memory) const {
    switch (memory) {
        case MemorySim:
            return context_.simCapacity;
        case MemoryMs:
            return context_.msCapacity;
        default:
            return kPcPhonebookCapacity;
    }
}

void PhonebookEntryDialog::watchKeys() {
    for (QWidget* child : findChildren<QWidget*>()) {
        child->installEventFilter(this);
    }
}

bool PhonebookEntryDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        const bool reachesField =
            watched != dialString_ || DialStringEdit::keyPasses(key->key(), key->modifiers());
        const bool typesCharacter = !key->text().isEmpty() && key->key() != Qt::Key_Return &&
                                    key->key() != Qt::Key_Enter && key->key() != Qt::Key_Escape &&
                                    key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab;
        if (reachesField && (typesCharacter || key->key() == Qt::Key_Delete)) {
            changed_ = true;
        }
    }
    return QDialog::eventFilter(watched, event);
}
