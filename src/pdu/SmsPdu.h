// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

// One short message transfer unit (3GPP TS 23.040) as the phone reads and writes it in PDU mode,
// with the service centre's address before it.

enum class PduType {
    Deliver,       // received: the sender's address and the centre's time stamp
    Submit,        // to send or stored unsent: the destination and a validity
    StatusReport,  // the centre's delivery report for a message sent
};

enum class PduCoding {
    Gsm7,
    EightBit,
    Ucs2,
};

// Type-of-address octets the program writes.
inline constexpr int kInternationalAddress = 0x91;
inline constexpr int kNationalAddress = 0xA1;
inline constexpr int kUnknownAddress = 0x81;
inline constexpr int kAlphanumericAddress = 0xD0;

struct PduAddress {
    // Digits (with "+" before an international number, * # a b c as the semi-octets give them)
    // or, for an alphanumeric address, its text.
    QString number;
    int type = kUnknownAddress;

    bool isAlphanumeric() const { return (type & 0x70) == 0x50; }
    bool operator==(const PduAddress&) const = default;
};

struct PduHeaderElement {
    int id = 0;
    QByteArray data;
    bool operator==(const PduHeaderElement&) const = default;
};

// Header element ids of concatenation with an 8-bit and a 16-bit reference.
inline constexpr int kConcat8 = 0x00;
inline constexpr int kConcat16 = 0x08;

struct PduConcat {
    int reference = 0;
    int count = 0;     // 0: not a part of a longer message
    int sequence = 0;  // from 1
    bool sixteenBit = false;
};

struct SmsPdu {
    PduType type = PduType::Deliver;
    PduAddress serviceCentre;  // empty number: the phone's own centre
    PduAddress address;        // sender, destination, or the recipient a report is about
    int messageReference = 0;  // SUBMIT and STATUS-REPORT
    int protocolId = 0;
    int dataCoding = 0;
    QDateTime serviceCentreTime;  // DELIVER and STATUS-REPORT, in the zone the centre gave
    QDateTime dischargeTime;      // STATUS-REPORT
    int status = 0;               // STATUS-REPORT: 0 delivered, 0x20.. trying, 0x40.. failed
    // SUBMIT: 0 none, 2 relative (one octet), 1 enhanced, 3 absolute (seven octets each).
    int validityFormat = 0;
    QByteArray validity;
    // SUBMIT: a report is requested; DELIVER: one will go back; STATUS-REPORT: it answers a
    // command rather than a submit.
    bool statusReport = false;
    bool replyPath = false;
    bool rejectDuplicates = false;  // SUBMIT
    bool noMoreMessages = false;    // DELIVER and STATUS-REPORT
    bool loopPrevention = false;    // DELIVER and STATUS-REPORT
    bool hasUserData = true;        // a STATUS-REPORT may end after its status
    QList<PduHeaderElement> header;
    QString text;     // 7-bit and UCS2; Latin-1 of the octets for 8-bit data
    QByteArray data;  // 8-bit data as sent

    // Set by the decoder for input it cannot read; rawHex always keeps the input.
    bool undecodable = false;
    QString problem;
    QString rawHex;
};

// The alphabet of a data coding scheme octet (3GPP TS 23.038), or nullopt for a compressed or
// reserved one.
std::optional<PduCoding> codingOf(int dataCoding);
// The octet for a plain message of the alphabet, no class.
int dataCodingFor(PduCoding coding);

PduConcat concatOf(const SmsPdu& pdu);
PduHeaderElement concatElement(int reference, int count, int sequence, bool sixteenBit);

// The relative validity code (TP-VP) of each validity choice of the send settings: 1 hour,
// 6 hours, 12 hours, 1 day, 1 week, the most the centre allows; -1 for an unknown choice.
int validityCodeForChoice(int choice);
