// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <optional>

// Answers of the message commands in PDU mode: a header "+CMGR: <stat>,[<alpha>],<length>" (a
// listing's "+CMGL: <index>,<stat>,[<alpha>],<length>") and one line of hex digits.

// Status numbers of PDU mode, in the order of the text mode's words.
enum PduMessageStatus {
    kPduRecUnread = 0,
    kPduRecRead = 1,
    kPduStoUnsent = 2,
    kPduStoSent = 3,
    kPduAllStatuses = 4,
};

struct PduEntry {
    int index = 0;  // the location (a read's is the one asked for)
    int status = kPduRecRead;
    QString hex;  // as the phone gave it, even when it is no valid unit
};

// The entry of a read answer; nullopt for an empty location.
std::optional<PduEntry> pduReadOf(const QString& answer, int index);
// The entries of a listing, in the phone's order.
QList<PduEntry> pduListingOf(const QString& answer);
// The text mode's status word of a status number ("REC READ" for one out of range).
QString statusWordOfPdu(int status);
// The status number of a text mode's word (kPduStoUnsent for an unknown one).
int pduStatusOfWord(const QString& word);
