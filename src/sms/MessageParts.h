// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

#include "pdu/SmsPdu.h"
#include "phone/PduMessageAnswers.h"

// The locations of a PDU-mode load joined into messages: the parts of one long message (same
// sender or destination, reference and count) become one, in part order.

inline constexpr char kMissingPartText[] = "[...]";
inline constexpr char kUndecodableText[] = "(message could not be decoded)";

struct JoinedMessage {
    QList<int> locations;  // of the parts present, in part order
    int status = kPduRecRead;
    SmsPdu pdu;    // the first part present: addresses, times, sending parameters
    QString text;  // the parts' texts in order, kMissingPartText where one is missing
    int count = 1;
    QList<int> missingParts;  // sequence numbers, from 1
    QString rawHex;           // an undecodable unit as the phone gave it
    QList<int> references;    // a sent message's parts' message references
    QDateTime deliveredAt;    // a sent message a delivery report says arrived
};

// In the order of each message's first location. An undecodable unit is a message of its own
// with kUndecodableText; so is a part whose place another part already took. A sent message
// that a delivery report names (its recipient and one of its parts' references) gets the
// report's time; the report stays a message of its own, so that deleting it clears its
// location.
QList<JoinedMessage> joinParts(const QList<PduEntry>& entries);

// "3,4,5" for several locations, else the one location.
QString locationsText(const QList<int>& locations);
// "2 of 3", "2, 3 of 4"; empty when nothing is missing.
QString missingText(const JoinedMessage& message);
// A time as text mode gives it: "yy/MM/dd,hh:mm:ss+zz", the zone in quarter hours.
QString stampText(const QDateTime& time);
// The text a status report shows as: the outcome, the recipient and the time sent.
QString reportText(const SmsPdu& report);
