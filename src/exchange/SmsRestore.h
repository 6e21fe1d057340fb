// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "exchange/ExchangeResult.h"

class PhoneLink;
class Progress;

// One message of an imported file as a row of table SMS (Number, Name, PhoneNumber, Date,
// Status, Message with CR LF, Type, Reply as 0 or 1, Pid), or the reason it cannot be one.
struct IncomingMessage {
    QString origin;   // "line 7"
    QString problem;  // the whole skip reason when the file could not give the message
    QStringList row;
};

// Writes the messages to the SIM of the phone that answers, each with its status, where the
// phone puts it. The SIM is read first, so that the messages it already holds are known and
// the table mirrors it; each message written adds its row at the location the phone named.
// Skipped: what the file could not give, what a dialog would refuse, what is already on the
// SIM, what no longer fits, what the phone refused. A phone lost half-way ends the import with
// how far it got. Adds to `result`, which may already count what the file left out.
ExchangeResult restoreMessages(PhoneLink& link, const QList<IncomingMessage>& incoming,
                               ExchangeResult result, Progress& progress);
