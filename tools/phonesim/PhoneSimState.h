// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

// Everything the simulated phone remembers. Names and texts are kept as Unicode and go on the wire
// in the selected character set ("+CSCS"): Latin-1 by default, so every byte survives a round
// trip, and a character beyond it shows as "?".

struct PhoneSimPhonebookEntry {
    QString dial;
    int type = 129;
    QString name;

    bool operator==(const PhoneSimPhonebookEntry&) const = default;
};

struct PhoneSimPhonebook {
    int capacity = 0;
    std::map<int, PhoneSimPhonebookEntry> entries;  // index (first..) -> entry

    int used() const { return static_cast<int>(entries.size()); }
    bool operator==(const PhoneSimPhonebook&) const = default;
};

struct PhoneSimMessage {
    QString status = QStringLiteral("REC UNREAD");  // "REC UNREAD", "REC READ", "STO UNSENT", ...
    QString address;
    int addressType = 129;
    QString timestamp;  // e.g. "26/12/07,10:15:00+04"
    QString text;
    // Sending parameters of a stored message (SMS-SUBMIT).
    int firstOctet = 17;
    int protocolId = 0;
    int validity = 167;  // negative: the read header leaves the field empty
    // How phones get the read header wrong: a length other than the text's (>= 0), and no
    // header details even while "+CSDH" asks for them.
    int announcedLength = -1;
    bool omitHeaderDetails = false;
    // Hex of the unit (service centre's prefix included) for a message held as one: received in
    // PDU mode or set up so; the fields above then hold what it decodes to.
    QString pdu = {};

    bool operator==(const PhoneSimMessage&) const = default;
};

struct PhoneSimMessageStorage {
    int capacity = 0;
    std::map<int, PhoneSimMessage> messages;  // location (1..capacity) -> message

    int used() const { return static_cast<int>(messages.size()); }
    // The lowest free location, or 0 when every one is taken.
    int firstFree() const {
        for (int index = 1; index <= capacity; ++index) {
            if (!messages.count(index)) {
                return index;
            }
        }
        return 0;
    }
    bool operator==(const PhoneSimMessageStorage&) const = default;
};

struct PhoneSimScheduleEntry {
    int type = 1;  // 1 reminder, 2 call, 3 meeting, 4 birthday
    int alarm = 0;
    int year = 2000;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int alarmHour = 0;
    int alarmMinute = 0;
    QString contents;

    bool operator==(const PhoneSimScheduleEntry&) const = default;
};

struct PhoneSimTodoItem {
    int status = 0;
    int priority = 0;
    int year = 2000;
    int month = 1;
    int day = 1;
    QString contents;
    // Stamped by the phone when the item is marked done: "yyyy/MM/dd" and "hh:mm".
    QString doneDate;
    QString doneTime;

    bool operator==(const PhoneSimTodoItem&) const = default;
};

struct PhoneSimState {
    QString maker = QStringLiteral("Quillon");
    QString model = QStringLiteral("Q-7");
    QString revision = QStringLiteral("1.0");
    QString serialNumber = QStringLiteral("350000000000001");
    int featureMask = 15;  // 8 phonebook, 4 messages, 2 scheduler, 1 to-do
    // The maker's own commands ("+CRFO", scheduler, to-do); a phone of another maker answers
    // them ERROR.
    bool makerCommands = true;
    // The number of the first phonebook entry (1 on most phones, 0 on some); no phone memory
    // on a phone that keeps its phonebook on the SIM alone.
    int firstPhonebookIndex = 1;
    bool phoneMemory = true;
    bool echo = true;
    // The character set of names and texts: "8859-1" after a reset. Not saved.
    QString charset = QStringLiteral("8859-1");
    // Sets the phone lists but refuses to select ("UCS2"), as some do.
    QStringList refusedCharsets;

    PhoneSimPhonebook sm{250, {}};
    PhoneSimPhonebook me{500, {}};
    QString selectedPhonebook = QStringLiteral("sm");  // "sm" or "me"

    // Dial strings with an extension ("P", "/" or "p") take one slot of this store.
    int extensionCapacity = 20;
    int extensionUsed = 0;

    PhoneSimMessageStorage smMessages{10, {}};
    PhoneSimMessageStorage bmMessages{5, {}};
    // The phone's own message memory: offered by phones without the maker's commands only.
    PhoneSimMessageStorage meMessages{20, {}};
    QString selectedMessageStorage = QStringLiteral("sm");  // "sm", "bm" or "me"
    QString serviceCentre = QStringLiteral("+447785016005");
    int serviceCentreType = 145;
    int messageFormat = 1;  // 1 text mode, 0 PDU mode
    int showHeader = 0;
    int sendFirstOctet = 17;
    int sendValidity = 167;
    int sendProtocolId = 0;
    int sendCoding = 0;
    QString newMessageIndication = QStringLiteral("1,1,0,0,0");
    // Messages the phone sent to the network, oldest first.
    std::vector<PhoneSimMessage> outbox;
    int nextMessageReference = 1;

    int scheduleCapacity = 50;
    std::map<int, PhoneSimScheduleEntry> schedule;  // slot 0..capacity-1
    int todoCapacity = 50;
    std::map<int, PhoneSimTodoItem> todos;  // index 0..capacity

    // When valid the phone's clock stands still at this time (tests); not saved.
    QDateTime fixedClock;
    QDateTime now() const;

    // Members missing from the JSON keep their defaults; extensionUsed, when missing, is counted
    // from the stored dial strings.
    static PhoneSimState fromJson(const QJsonObject& json);
    QJsonObject toJson() const;
    static PhoneSimState demo();
    // The built-in demo's phone: the demo data and names and a message in Greek, Cyrillic and
    // Chinese, which show as "?" under Latin-1 and whole under UCS2.
    static PhoneSimState showcase();
    // A phone of another maker that answers the standard commands alone ("Acme" "M-100").
    static PhoneSimState standardPersona();
    // The persona's identity and commands on a state of its own (one loaded from a file).
    void becomeStandardPersona();

    // A text field in the selected set, both ways. A field that is not valid in it is taken as
    // Latin-1 bytes; a number is decoded only when it is valid UCS2 hex.
    QByteArray encodeText(const QString& text) const;
    QString decodeText(const QByteArray& field) const;
    QString decodeNumber(const QByteArray& field) const;

    // "sm"/"me" (any case); anything else gives nullptr.
    PhoneSimPhonebook* phonebook(const QString& storage);
    PhoneSimPhonebook& selectedBook();
    PhoneSimMessageStorage* messageStorage(const QString& storage);

    // Number of dial strings in both phonebooks that carry an extension.
    int countExtensions() const;
    static bool hasExtension(const QString& dial);

    bool operator==(const PhoneSimState&) const = default;
};
