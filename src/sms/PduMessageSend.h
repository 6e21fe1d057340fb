// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class PhoneLink;

// Sending and saving a composed message in PDU format: the text cut into parts that share one
// concatenation reference.

struct PduMessageOptions {
    QString number;  // as typed: "+" before an international number
    QString text;
    int replyPathChoice = 1;  // 0 on, 1 off
    int validityChoice = 0;
    bool statusReport = false;
    int reference = 0;  // the parts' concatenation reference; 0: the program picks the next
    // A copy saved after the send keeps each part's message reference, for its delivery report.
    QList<int> messageReferences = {};
};

struct PduSendOutcome {
    int code = 0;  // 0 every part went out
    int partCount = 0;
    int partsSent = 0;
    int errorCode = -1;                 // the refusal's "+CMS ERROR:" code
    QList<int> messageReferences = {};  // the phone's, of each part sent
};

PduSendOutcome sendPduMessage(PhoneLink& link, const PduMessageOptions& options);
// statusWord is text mode's ("STO UNSENT", "REC READ", ...); locations gets each part's in part
// order.
int savePduMessage(PhoneLink& link, const PduMessageOptions& options, const QString& statusWord,
                   QStringList& locations);

// Which parts went out before the phone refused one: "Parts 1 to 2 of 3 went out; part 3 was
// refused and nothing after it was sent."; empty when none or all went out.
QString partsSentText(const PduSendOutcome& outcome);
