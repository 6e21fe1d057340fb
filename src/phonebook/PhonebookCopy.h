// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <optional>

#include "phonebook/PhonebookEntry.h"
#include "platform/Notice.h"

class PhoneLink;
class PhonebookTable;
class CSimViewDB;
class CMsListDB;
class CPCListDB;

// "SIM PhoneBook", "MS PhoneBook" or "PC PhoneBook": how a copy names its two memories.
QString phonebookNameOf(PhonebookMemory memory);

// The mode field of every write of a copy into the SIM or the phone memory, by source memory.
int copySourceCode(PhonebookMemory source, PhonebookMemory target);

// The message after a copy: `copied` of `requested` items went in, the rest were dropped for
// lack of room. `caption` names the command ("Copy to SIM", ...).
Notice copyCountNotice(int copied, int requested, const QString& caption);

// How a copy between memories ended.
enum class PhonebookCopyEnd {
    NothingToCopy,  // no items: nothing happened and nothing is to be said
    TargetFull,     // the target had no free index: nothing copied
    UnsafeText,     // an item cannot be written to the phone: nothing sent
    PhoneLost,      // the phone stopped answering: the copy ended without a count
    Copied,         // every item went in, or the rest were dropped for lack of room
};

struct PhonebookCopyResult {
    PhonebookCopyEnd end = PhonebookCopyEnd::NothingToCopy;
    int requested = 0;
    int copied = 0;
    // What the stores had to tell about single items, in order, before the message.
    Notices notices;
    // The one message that ends the copy; none for NothingToCopy.
    std::optional<Notice> message;

    bool allCopied() const { return end == PhonebookCopyEnd::Copied && copied == requested; }
};

// Told about the items as they go, so that a window can animate the copy.
class PhonebookCopyObserver {
  public:
    virtual ~PhonebookCopyObserver() = default;
    // Before the first item, with the names of both phonebooks.
    virtual void copyStarted(const QString& sourceName, const QString& targetName) = 0;
    virtual void itemCopied(const QString& sourceName, const QString& targetName) = 0;
};

// Copies entries between the SIM, the phone memory and the PC phonebook. Each item goes to the
// target's first free index; a phone target is probed before every item and gets the source's
// code as the write mode. The copy stops at the first item that no longer fits and counts the
// rest as dropped. The caller shows result.notices and result.message when the copy returns,
// and answers through `ask` what a store asks half-way.
class PhonebookCopy {
  public:
    PhonebookCopy(CSimViewDB& sim, CMsListDB& ms, CPCListDB& pc);

    void setObserver(PhonebookCopyObserver* observer) { observer_ = observer; }

    // items: the list texts ("No", "Name", "Phone Number" in display form) of the source
    // entries in list order. link: the phone; only a copy to PC may pass none.
    PhonebookCopyResult run(PhoneLink* link, PhonebookMemory source, PhonebookMemory target,
                            const QList<PhonebookListRow>& items, const Asker& ask);

    // Why one of the items cannot be written to the phone (the first such item's problem), or
    // empty. A copy to the phone checks this before it sends anything.
    static QString itemsProblem(const QList<PhonebookListRow>& items);

    // The list texts of the rows holding the given indexes, in the table's list order (each
    // row once). Indexes that no row holds are returned through `missing`.
    static QList<PhonebookListRow> rowsWithIndexes(PhonebookTable& table, const QList<int>& indexes,
                                                   QList<int>* missing);

  private:
    PhonebookCopyResult copyToPhone(PhoneLink& link, PhonebookMemory source, PhonebookMemory target,
                                    const QList<PhonebookListRow>& items, const Asker& ask);
    PhonebookCopyResult copyToPc(PhonebookMemory source, const QList<PhonebookListRow>& items);
    void started(PhonebookMemory source, PhonebookMemory target);
    void itemDone(PhonebookMemory source, PhonebookMemory target);

    CSimViewDB& sim_;
    CMsListDB& ms_;
    CPCListDB& pc_;
    PhonebookCopyObserver* observer_ = nullptr;
};
