// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>
#include <optional>

#include "db/Recordset.h"
#include "phone/AppState.h"
#include "phone/SlotMirror.h"
#include "platform/Prompter.h"

class PhoneLink;
struct JoinedMessage;
class Progress;

// Status filter bits.
enum SmsStatusBit {
    kSmsUnread = 1,
    kSmsRead = 2,
    kSmsNotSent = 4,
    kSmsSent = 8,
    kSmsAllStatuses = 15,
};

// One line of the message list: the location and the five columns as shown.
struct SmsListRow {
    QString number;
    QString name;
    QString phoneNumber;
    QString message;
    QString time;
    QString status;
    QString parts = {};  // every location of a message in several parts: "3,4,5"

    bool operator==(const SmsListRow&) const = default;
};

struct SmsListContents {
    QList<SmsListRow> rows;
    QString total;
};

// One message as the loader (or saving) hands it to AddMessage.
struct SmsMessageValues {
    QString index;
    int firstOctet = 0;
    qint16 protocolId = 0;
    QString statusWord;
    QString number;
    QString name;
    QString dateSource;
    QString text;
    QString storage = QStringLiteral("SIM");
    QString parts;    // "3,4,5" for a message in several parts
    QString missing;  // "2 of 3"
    QString rawPdu;   // an undecodable unit
    // A sent message's delivery ("Delivered <time>"), shown in the Date column instead of the
    // validity.
    QString delivered;
};

// A message as the duplicate check knows it: number, Date text and message text (MessageIndex).
struct SmsIdentity {
    QString number;
    QString date;
    QString text;
};

// The table SMS of smsDB.mdb: a cache of the SIM's message locations. While the link found a
// phone, deletions go to the phone first and the row goes only when the phone agreed.
class CSmsDB : public Recordset {
  public:
    CSmsDB();
    ~CSmsDB() override;

    // Bits of SmsStatusBit; all four after construction.
    int statusMask() const { return statusMask_; }
    void setStatusMask(int mask) { statusMask_ = mask; }
    // The filter text of a mask: its terms joined by " OR "; empty for 0.
    static QString StatusFilter(int mask);

    // Requeries under the status filter and the sort and returns the list lines with the
    // "TOTAL" text. capacity is the SIM's message capacity.
    SmsListContents FillList(int capacity);
    // Column 0 Name, 1 Phone Number, 2 Message, 3 Time (Date), 4 Status (the location):
    // descending first, ascending after a descending sort of the same column.
    void ToggleSort(int column);

    // On-line the phone's used count (unless it gives none), else the rows of the table.
    int CountMessages(PhoneLink& link);
    // The smallest location from 1 up that no row holds, whatever the filter.
    int FirstFreeIndex();
    // The name of a number in the SIM, then the phone-memory, then the PC phonebook.
    bool LookupName(const QString& number, QString& name);

    // List positions of the selected lines in list order (as last filled).
    void DeleteSelected(PhoneLink& link, const QList<int>& selectedPositions);
    // Every row, whatever the filter; on the phone too while on-line.
    void DeleteAllMessages(PhoneLink& link);

    // A relative validity-period code as text ("24 hour", "7 day", "15 hour30 min").
    static QString ValidityText(int code);

    void AddMessage(const SmsMessageValues& values);
    // Reads every SIM location and replaces the table with what the phone holds, in one
    // transaction, only when the pass finished. Off-line it is Skipped with "Comm Port Error!";
    // a phone that answers but refuses the message mode is Skipped without a notice. Rows an
    // off-line import added go with the rest; a load that drops any not on the SIM says how
    // many (cacheOnlyDroppedNotice).
    MirrorOutcome LoadFromPhone(PhoneLink& link, Progress& progress);

    // The rows an import added while no phone answered, whatever the filter.
    static QList<SmsIdentity> CacheOnlyMessages();

    // The values of a read body's twelve fields at a location.
    static SmsMessageValues ValuesOfBody(int index, const QStringList& fields);
    // The values of a message a PDU-mode load put together from its parts.
    static SmsMessageValues ValuesOfJoined(const JoinedMessage& message);

  private:
    // The stored row of the values: Number, Name, PhoneNumber, Date, Status, Message, Type,
    // Reply, Pid.
    QVariantList rowOf(const SmsMessageValues& values);
    // Fast loading: every location first..last from one listing into staging; the code of the
    // first command that failed, else 0.
    int readListing(PhoneLink& link, int first, int last, SlotStaging<QVariantList>& staging);
    // LoadFromPhone in PDU mode: the locations' units are staged, and joined into messages
    // when the pass is complete.
    MirrorOutcome loadPduFromPhone(PhoneLink& link, Progress& progress);
    // Selects the message storage and the format before a load; false when the phone refused,
    // with the outcome telling a lost phone from a refusal (skipped).
    static bool enterMessageMode(PhoneLink& link, int format, MirrorOutcome& outcome);
    // A load's pass over every location of the SIM; the caller adds the readers.
    static SlotMirrorPlan messageLoadPlan(int capacity);
    bool replaceRows(const QList<QVariantList>& rows, int* cacheOnlyDropped);
    // Deletes the row at a list position (on the phone first while on-line); false when it
    // stays.
    bool deleteRowAt(PhoneLink& link, int position);

    int statusMask_ = kSmsAllStatuses;
};

// How many off-line imported messages a load no longer lists, and how to get them onto the SIM.
Notice cacheOnlyDroppedNotice(int count);

// "Do you want to delete all SMS data ?" with No as the default: the window and the command
// line ask the same.
Prompt deleteAllQuestion();

// The view's first load: while the application is on-line and nothing was loaded since the
// last indication, probe the phone ("Now is Off line" when it is gone), else read its
// capacities and load. Either way messagesLoaded goes up by one. Empty when nothing was tried.
std::optional<MirrorOutcome> LoadMessagesOnce(PhoneLink* link, bool applicationOnline,
                                              CSmsDB& store, Progress& progress);
// "Reload Message": probe, capacities and load; "Now is OFF line" when the probe fails.
MirrorOutcome ReloadMessages(PhoneLink& link, CSmsDB& store, Progress& progress);
