// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

#include <QDialog>
#include <QString>

#include "phonebook/PhonebookEntry.h"

class QButtonGroup;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class DialStringEdit;

// What the entry dialogs show and take. The PC-only fields are ignored for SIM and MS.
struct PhonebookEntryValues {
    qint64 index = 0;
    QString name;
    QString dialString;
    int memory = MemorySim;
    QString office;
    QString pager;
    QString fax;
    QString home;
    QString email;
    QString address;
    QString memo;
};

// "New Phone Book" and "Edit Phone Book". Both check the input on OK and keep the dialog open
// with a message when it is refused. Only the new-entry dialog lets the user pick the memory,
// proposing that memory's first free index; SIM and MS show the upper half only.
class PhonebookEntryDialog : public QDialog {
    Q_OBJECT
  public:
    enum class Kind { New, Edit };

    struct Context {
        int simCapacity = 0;
        int msCapacity = 0;
        // The name lengths the phone reported (0: not asked, the edit's limit holds).
        int simNameLength = 0;
        int msNameLength = 0;
        // The number lengths the phone reported (0: not known, the dial-string rules hold).
        int simNumberLength = 0;
        int msNumberLength = 0;
        std::function<int(int memory)> firstFreeIndex;
    };

    PhonebookEntryDialog(Kind kind, Context context, QWidget* parent = nullptr);

    // New: picks the memory radio (and proposes its free index). Edit: fills every field.
    void setMemory(int memory);
    void setValues(const PhonebookEntryValues& values);
    PhonebookEntryValues values() const;

    // Edit only: whether a character was typed or Delete pressed since the dialog was filled.
    bool changed() const { return changed_; }

    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showMemoryLayout(int memory);
    qint64 capacityOf(int memory) const;
    int nameLengthOf(int memory) const;
    void watchKeys();

    Kind kind_;
    Context context_;
    bool changed_ = false;
    int memory_ = MemorySim;
    // The name edit's limit: the fixed one in Latin-1; in another set the name is measured on OK
    // as the phone counts it.
    int nameLimit_;

    QLineEdit* index_;
    QLineEdit* name_;
    DialStringEdit* dialString_;
    QButtonGroup* memoryGroup_;
    QWidget* pcFields_;
    QLineEdit* office_;
    QLineEdit* pager_;
    QLineEdit* fax_;
    QLineEdit* home_;
    QLineEdit* email_;
    QLineEdit* address_;
    QPlainTextEdit* memo_;
    int memoLimit_;
};
