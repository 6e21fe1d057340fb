// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "link/SerialPort.h"
#include "pdu/PduCodec.h"
#include "phone/PduMessageAnswers.h"
#include "phone/PhoneResult.h"
#include "phone/PhoneSettings.h"

class LinkClock;
class SerialDevice;
struct ListedMessage;
struct PhonebookEntryAnswer;
struct ScheduleEntry;

// How a PhoneLink reaches its phone when the defaults do not fit: tests hand in a fake device
// and clock; a program given --device names the path.
struct PhoneLinkOptions {
    // Wins over the port number and over PhoneLink::setDevicePathOverride.
    QString devicePath;
    // A port number to use instead of the profile's "CONFIG"/"PORT"; negative: the profile.
    int portNumber = -1;
    // Makes the device of every Connect; empty: a real serial line.
    std::function<std::unique_ptr<SerialDevice>()> deviceFactory;
    LinkClock* clock = nullptr;
    // The choices this link follows; unset: the profile's.
    std::optional<PhoneSettings> settings;
};

// The phone as the rest of the program sees it. Constructing one is the connection attempt:
// load the port setting, open the port, identify the phone, read its capacities.
class PhoneLink {
  public:
    PhoneLink();
    explicit PhoneLink(PhoneLinkOptions options);
    virtual ~PhoneLink();
    PhoneLink(const PhoneLink&) = delete;
    PhoneLink& operator=(const PhoneLink&) = delete;

    // Process-wide device path (the --device option); empty: the port number decides.
    static void setDevicePathOverride(const QString& path);
    static QString devicePathOverride();

    void LoadPortSetting();
    void Connect();
    void Disconnect();
    bool Identify();
    int QueryCapacities();
    int SelectPhonebookMemory(int which);

    // The set names and texts travel in: the chosen one once the phone took it, Latin-1 when
    // it refused or did not offer it; before any identification, the chosen one.
    PhoneCharset charsetInUse() const;
    // The longest name the phone reported for a phonebook memory (0 "sm", 1 "me"), counted in
    // the set in use; 0 when it was not asked (Latin-1 chosen) or did not say.
    int phonebookNameLength(int which) const;
    // The mask, or 0 when none could be read. Under the standard profile the mask is what the
    // phone's answers at connection showed (phonebook, messages), never asked with "at+crfo".
    int QueryFeatureMask();

    // Whether the phone keeps the memory (0 "sm", 1 "me"): the maker's phones keep both; a
    // standard phone those its "at+cpbs=?" lists.
    bool phonebookOffered(int which) const;
    // The longest number a memory takes, from "at+cpbr=?"; 0 when not known.
    int phonebookNumberLength(int which) const;

    // Transactions on the link's port; without a port they behave as on a closed port
    // (the "Serial Port Init Failed!" notice, code 0, empty answer). Text is Latin-1 bytes:
    // the commands below encode user text in the set in use first.
    int Transact(const QString& command, QString& answer, PollRate rate = PollRate::Normal);
    int SendExpectOk(const QString& command, PollRate rate = PollRate::Normal);

    // Phonebook entries of the selected memory.
    int ReadPhonebookEntry(int index, QString& entry);
    int WritePhonebookEntry(int index, int mode, const QString& dialString, int numberType,
                            const QString& name);
    int DeletePhonebookEntry(int index);
    // Entries first..last in one answer ("at+cpbr=<first>,<last>"), in the phone's order; an
    // answer that stops before its final "OK" fails (code 1).
    int ReadPhonebookRange(int first, int last, QList<PhonebookEntryAnswer>& entries);
    // The SMS service centre ("at+csca"). On success text is the answer after "+CSCA: "
    // (address, type and the rest of the answer); empty when the marker is missing.
    int ReadServiceCentre(QString& text);
    int WriteServiceCentre(const QString& address);

    // ---- Short messages (text mode, SIM storage "sm"; storage selector 0 "bm", 1 "sm") ----
    // The storage selection is tried up to three times, then format and header details.
    int SetMessageMode(int storage, int format, int showHeader);
    // Reply path choice 1 gives first octet 17, any other 145; validity choice 0 to 5,
    // protocol choice 0 to 4. A choice outside its table returns 1 without sending.
    // coding: the data coding scheme (0 the GSM alphabet, 8 UCS2).
    int SetSendParameters(int format, int replyPathChoice, int validityChoice, int protocolChoice,
                          int coding = 0);
    // On success body is everything after "+CMGR: " (empty for an empty location); it is
    // emptied on failure.
    int ReadMessage(int index, QString& body, PollRate rate = PollRate::Normal);
    // Every message of the selected storage in one answer (text mode, "at+cmgl=\"ALL\""); an
    // answer that stops before its final "OK" fails (code 1).
    int ListMessages(QList<ListedMessage>& messages);
    int DeleteMessage(int storage, int index);
    // status is "STO SENT" or "STO UNSENT". newIndex gets the "+CMGW: " index as decimal text
    // and is left alone when the phone gave none. Text that would not survive the command
    // line is refused (code 1) before anything is sent.
    int WriteMessage(int format, int replyPathChoice, int validityChoice, int protocolChoice,
                     const QString& destination, int numberType, const QString& status,
                     const QString& text, QString& newIndex);
    // Code 1 is a failed send; any other code counts as sent. After a failure, errorCode (when
    // given) gets the phone's "+CMS ERROR:" code, or -1 when it named none.
    int SendMessage(int format, int replyPathChoice, int validityChoice, int protocolChoice,
                    const QString& destination, int numberType, const QString& text,
                    int* errorCode = nullptr);
    // The SIM's used message count, or -1.
    int CountSimMessages();
    bool QueryNewMessageSettings(QString& answer);
    // Five fields, each sent as one character (see indicationCharacterOf).
    bool SetNewMessageIndication(const QStringList& fields, QString& answer);
    // PDU mode ("at+cmgf=0"): a read gives the location's status and unit (empty location:
    // nullopt), a listing every location at once ("at+cmgl=4"; code 1 when it stops before its
    // final "OK").
    int ReadPduMessage(int index, std::optional<PduEntry>& entry, PollRate rate = PollRate::Normal);
    int ListPduMessages(QList<PduEntry>& entries);
    // Sends the parts one "at+cmgs=<length>" each, in order; a part the phone refuses stops the
    // rest. sent gets how many went out, errorCode the refusal's "+CMS ERROR:" code (or -1) and
    // references the phone's message reference of each part sent.
    int SendPduParts(const QList<EncodedPdu>& parts, int* sent, int* errorCode = nullptr,
                     QList<int>* references = nullptr);
    // Writes the parts to the SIM with a status of PduMessageStatus, in order, stopping at the
    // first refused; locations gets the "+CMGW: " index of each part written.
    int WritePduParts(const QList<EncodedPdu>& parts, int status, QStringList& locations);
    // ---- end short messages ----

    // ---- To-do list (maker commands "at+ctdr", "at+ctdw", "at+ctdd") ----
    // On success answerText is everything after "+CTDR: " (empty for an empty slot); it is
    // emptied on failure. Status 0 not done, 1 done now (stamped by the phone), 2 done;
    // priority 0 or 1. Values out of range return 1 without sending.
    int ReadTodo(int index, QString& answerText);
    int WriteTodo(int index, int status, int priority, int year, int month, int day,
                  const QString& contents);
    int MarkTodoDone(int index, int flag);
    int DeleteTodo(int index);
    // ---- end to-do list ----

    // ---- Scheduler slots 0 to 49 (maker commands "at+schr", "at+schw", "at+schd") ----
    // On success answer is everything after "+SCHR: " (empty for an empty slot). A write whose
    // contents would not survive the command line is refused (code 1) without sending.
    int ReadScheduleEntry(int index, QString& answer);
    int WriteScheduleEntry(const ScheduleEntry& entry, PollRate rate = PollRate::Normal);
    int DeleteScheduleEntry(int index, PollRate rate = PollRate::Normal);
    // The clock the link waits on (the wall clock unless one was handed in): pauses between
    // commands go through it too.
    LinkClock& clock() const;
    // A pause between two commands, on the link's clock.
    void sleepMs(int ms) const;
    // ---- end scheduler ----

    static void NumberTypeOf(const QString& dialString, QString& outDialString, int& numberType);
    static QString ToPhoneForm(QString dialString);
    static QString ToDisplayForm(QString dialString);

    // The device path Connect opens (or would open).
    QString devicePath() const;
    // Under the maker's profile, after a phone of another maker answered: what to choose to use
    // it. Empty otherwise.
    QString refusalText() const;
    // Why the last Connect could not open the device, when the system told; else empty.
    QString openProblem;
    // "The serial device ... was disconnected." when the line was lost with its device;
    // empty otherwise.
    QString lostDeviceText() const;

    // What the phone said of itself: the standard identification fills all four; a phone of
    // another maker refused under the maker's profile leaves its name in maker.
    QString maker;
    QString model;
    QString revision;
    QString serialNumber;
    // The message storages "at+cpms=?" offered first (standard profile), upper case.
    QStringList messageStorages;
    // The command that selects the storage messages are read from and written to: the SIM's,
    // unless a standard phone offers the phone memory the user chose.
    QString messageStorageCommand() const;
    bool messagesInPhoneMemory() const {
        return messageStorage_.compare(QLatin1String("me"), Qt::CaseInsensitive) == 0;
    }

    int connected = 0;
    int broadcastMessageCapacity = 5;
    int simMessageCapacity = 10;
    int simPhonebookCapacity = 300;
    int mePhonebookCapacity = 550;
    bool phoneFound = false;
    std::unique_ptr<SerialPort> port;
    quint8 portNumber = 3;
    // The user's choices for this connection (the profile's unless the options gave others).
    PhoneSettings settings;
    // The link's and its port's notices; the owner sets where they are shown.
    NoticeOutlet notices;

  private:
    Notice closedPortNotice() const;
    QString storageCommand(int storage) const;
    QString messageStorage_ = QStringLiteral("sm");
    // After every identification (a reset restores the phone's default set).
    void selectCharset();
    void readNameLength(int which);
    // The standard profile's counterparts of Identify, QueryCapacities and selectCharset.
    bool identifyStandard();
    int queryStandardCapacities();
    void selectStandardCharset();
    // A standard phone numbering its entries from 0 shows them from 1 all the same: the link
    // shifts the index both ways by this much (0 or -1).
    int phoneIndex(int slot) const;
    QString identityField(const QString& command);

    PhoneLinkOptions options_;
    std::optional<PhoneCharset> charsetInUse_;
    std::optional<bool> charsetOffered_;
    std::optional<PhoneCharset> charsetTold_;
    int nameLengths_[2] = {0, 0};
    int numberLengths_[2] = {0, 0};
    bool memoryOffered_[2] = {true, true};
    int firstIndex_[2] = {1, 1};
    int selectedMemory_ = 0;
    int standardMask_ = 0;
};
