// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "platform/Notice.h"

class CSmsDB;
class PhoneLink;

// Sending and saving a composed message: the compose dialog's OK, the view dialog's second
// button and the command line's "sms send" / "sms save" all run SendAndSave.

enum SendChoice { kSendOnly = 0, kSendAndSave = 1, kSaveOnly = 2 };

// Set whenever a compose dialog opens, cleared when the user picks the correspondent from a
// phonebook there: an address that came from a phonebook is not offered for one.
extern bool offerAddNumberFlag;

// The "Add Phone Number?" question: returns the phonebook to store in (0 SIM, 1 MS, 2 PC), or
// -1 for "Not Save". The window installs its dialog; without one nothing is offered.
using AddNumberAsker = std::function<int(const QString& name, const QString& number)>;
void setAddNumberAsker(AddNumberAsker asker);

// Writes the message to the SIM and adds its row (the row alone while no phone was found, at
// the table's first free location). Returns the write code (0 off-line); location gets the
// row's location on success. What the user must be told is appended to notices.
int SaveMessage(CSmsDB& store, PhoneLink& link, int replyPathChoice, int validityChoice,
                int protocolChoice, const QString& number, const QString& statusWord,
                const QString& name, const QString& text, Notices& notices,
                QString* location = nullptr, const QList<int>& messageReferences = {});

// Asks whether to add the name and number to a phonebook when the offer flag is set, the name
// is not empty and no phonebook holds exactly this pair. Returns what the user must be told.
// The caller offers after a save, once it has told the user what the save told.
Notices OfferAddNumber(PhoneLink& link, const QString& name, const QString& number,
                       const Asker& ask);

// The validity choice of a row's validity text ("24 hour" gives 3); 0 for anything else,
// such as a received message's time stamp.
int validityChoiceOfText(const QString& validityText);
// The relative validity-period code a validity choice sends (3 gives 167).
int validityCodeOfChoice(int validityChoice);

struct ComposeValues {
    QString name;
    QString number;
    QString message;
    int replyPathChoice = 1;  // 0 on, 1 off
    int validityChoice = 0;   // 0 "1 Hour" ... 5 "Max Time"
    int sendChoice = kSendOnly;
    // "Save Only" of a message that went out another way: stored as sent.
    bool saveAsSent = false;
};

// The limits the compose dialogs' edits hold the values to.
inline constexpr int kMaxComposeName = 14;
inline constexpr int kMaxComposeNumber = 20;  // 21 when it holds a "+"
inline constexpr int kMaxComposeNumberWithPlus = 21;
inline constexpr int kMaxComposeMessage = 160;  // text format, line ends counted as CR LF

// A message's length as the dialogs count it: a line feed without its carriage return counts
// as both.
int composeMessageLength(const QString& text);

// Whether the text fits what one send can carry in the message format in use: in text format
// one message of kMaxComposeMessage (70 when the UCS2 set must carry a character the GSM
// alphabet lacks), in PDU format up to kMaxMessageParts parts.
bool composeMessageFits(const QString& text);
// The compose dialog's counter: "12 / 160" in text format, "2 messages, 87 characters left" in
// PDU format.
QString composeCounterText(const QString& text);

enum class ComposeOutcome {
    Carried,         // the send and/or save ran (see the flags for how they went)
    MissingNumber,   // "You must input Number field": nothing done
    MissingMessage,  // "You must input Message field": nothing done
    TooLong,         // a value is longer than its dialog edit takes: nothing done
    UnsafeText,      // the text cannot go to the phone: nothing done
    SimFull,         // "Save Only" on a full SIM: nothing done
    Cancelled,       // Cancel to the send-only question on a full SIM: nothing done
};

struct ComposeResult {
    ComposeOutcome outcome = ComposeOutcome::Carried;
    bool done = false;       // the dialog's done flag
    bool sendAsked = false;  // a send was attempted
    bool sent = false;
    bool saveAsked = false;  // a save was attempted (not dropped)
    bool saved = false;      // the row was added
    QString location;        // of the saved row
    Notices notices;         // what the user must be told, in order

    // The values can be corrected and OK pressed again: after an input error, a full SIM, or
    // a send the phone refused when no copy was saved either.
    bool keepsValues() const {
        return outcome == ComposeOutcome::MissingNumber ||
               outcome == ComposeOutcome::MissingMessage || outcome == ComposeOutcome::TooLong ||
               outcome == ComposeOutcome::UnsafeText || outcome == ComposeOutcome::SimFull ||
               (sendAsked && !sent && !saved);
    }
};

struct ComposeProblem {
    ComposeOutcome outcome;
    Notice notice;
};

// The first rule the values break, for the dialogs and the command line alike: the empty
// fields, the lengths the dialogs' edits take, then text the phone cannot take.
std::optional<ComposeProblem> composeProblem(const ComposeValues& values);

// Checks the values, asks about a full SIM (through ask; without one the answer is Cancel),
// sends and saves as the send choice says. What the user must be told is in the notices.
ComposeResult SendAndSave(PhoneLink& link, const ComposeValues& values, const Asker& ask);
