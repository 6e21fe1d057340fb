// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "pdu/SmsPdu.h"

// A text cut into the parts of one message: GSM 7-bit when every character fits (160 septets
// alone, 153 a part), else UCS2 (70 units alone, 67 a part); a part never splits an extension
// character or a surrogate pair.

inline constexpr int kMaxMessageParts = 10;

struct MessageLength {
    PduCoding coding = PduCoding::Gsm7;
    int parts = 1;
    int left = 0;  // septets or UCS2 units still free in the last part
    bool tooLong = false;
};

MessageLength measureMessage(const QString& text, bool sixteenBitReference = false);

// "1 message, 160 characters left", "2 messages, 87 characters left"; past the last part
// allowed, what is too much.
QString messageCounterText(const QString& text, bool sixteenBitReference = false);

// The text of each part; one part for a text that fits into one message.
QStringList splitMessageText(const QString& text, bool sixteenBitReference = false);

struct SubmitSettings {
    PduAddress destination;
    int validityChoice = -1;  // -1: no validity period
    int protocolId = 0;
    bool statusReport = false;
    bool replyPath = false;
    int reference = 0;  // concatenation reference, one for all parts
    bool sixteenBitReference = false;
};

// The SUBMIT units of the text, in part order (encode each with encodePdu); none when it needs
// more than kMaxMessageParts.
QList<SmsPdu> submitPdus(const QString& text, const SubmitSettings& settings);
