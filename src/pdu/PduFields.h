// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <optional>

#include "pdu/SmsPdu.h"

// The field codings of 23.040 the message types share: septets packed into octets, addresses
// in semi-octets and time stamps with their zone.

// Septets (one a byte) packed after fillBits zero bits, least significant bit first.
QByteArray packSeptets(const QByteArray& septets, int fillBits = 0);
// count septets from packed octets, skipping the first skip septets; nullopt when the octets
// are too few.
std::optional<QByteArray> unpackSeptets(const QByteArray& packed, int count, int skip = 0);

// An address field: its length (digits, or semi-octets of an alphanumeric address), its type
// and its semi-octets.
QByteArray encodeAddress(const PduAddress& address);
// The service centre's field counts octets instead, and is one zero octet when empty.
QByteArray encodeServiceCentre(const PduAddress& address);

class PduReader {
  public:
    explicit PduReader(const QByteArray& bytes) : bytes_(bytes) {}
    bool atEnd() const { return pos_ >= bytes_.size(); }
    qsizetype left() const { return bytes_.size() - pos_; }
    // Each read fails (returns nullopt) past the end and leaves the reader there.
    std::optional<int> octet();
    std::optional<QByteArray> octets(qsizetype count);
    std::optional<PduAddress> address();
    std::optional<PduAddress> serviceCentre();
    std::optional<QDateTime> timestamp();

  private:
    QByteArray bytes_;
    qsizetype pos_ = 0;
};

// Seven octets; an invalid time writes as zeros.
QByteArray encodeTimestamp(const QDateTime& time);
