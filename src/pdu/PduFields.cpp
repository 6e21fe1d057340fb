// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdu/PduFields.h"

#include <QTimeZone>
#include <cstdlib>
#include <cstring>

#include "pdu/GsmAlphabet.h"

namespace {

constexpr char kSemiOctetDigits[] = "0123456789*#abc";

bool isInternational(int type) {
    return (type & 0x70) == 0x10;
}

QByteArray semiOctets(const QString& digits) {
    QByteArray out;
    int low = -1;
    for (const QChar c : digits) {
        const char* found =
            c.unicode() < 0x80 ? std::strchr(kSemiOctetDigits, c.toLatin1()) : nullptr;
        // "+" and anything else outside the semi-octet digits is not written.
        if (found == nullptr || c.isNull()) {
            continue;
        }
        const int nibble = static_cast<int>(found - kSemiOctetDigits);
        if (low < 0) {
            low = nibble;
        } else {
            out.append(static_cast<char>(low | nibble << 4));
            low = -1;
        }
    }
    if (low >= 0) {
        out.append(static_cast<char>(low | 0xF0));
    }
    return out;
}

QString digitsOf(const QByteArray& octets, int count) {
    QString digits;
    for (int i = 0; i < count; ++i) {
        const int octet = static_cast<unsigned char>(octets[i / 2]);
        const int nibble = i % 2 == 0 ? octet & 0x0F : octet >> 4;
        if (nibble == 0x0F) {
            break;
        }
        digits.append(QLatin1Char(kSemiOctetDigits[nibble]));
    }
    return digits;
}

int bcd(int octet) {
    const int low = octet & 0x0F;
    const int high = octet >> 4;
    return low > 9 || high > 9 ? -1 : low * 10 + high;
}

int swappedBcd(int value) {
    return (value % 10) << 4 | (value / 10 % 10);
}

}  // namespace

QByteArray packSeptets(const QByteArray& septets, int fillBits) {
    const qsizetype bits = fillBits + septets.size() * 7;
    QByteArray out((bits + 7) / 8, '\0');
    qsizetype bit = fillBits;
    for (const char septet : septets) {
        const int value = static_cast<unsigned char>(septet) & 0x7F;
        const qsizetype at = bit / 8;
        const int shift = static_cast<int>(bit % 8);
        out[at] = static_cast<char>(out[at] | value << shift);
        if (shift > 1) {
            out[at + 1] = static_cast<char>(out[at + 1] | value >> (8 - shift));
        }
        bit += 7;
    }
    return out;
}

std::optional<QByteArray> unpackSeptets(const QByteArray& packed, int count, int skip) {
    if (count < 0 || skip < 0 || (static_cast<qsizetype>(skip) + count) * 7 > packed.size() * 8) {
        return std::nullopt;
    }
    QByteArray septets(count, '\0');
    for (int i = 0; i < count; ++i) {
        const qsizetype bit = (static_cast<qsizetype>(skip) + i) * 7;
        const qsizetype at = bit / 8;
        const int shift = static_cast<int>(bit % 8);
        int value = static_cast<unsigned char>(packed[at]) >> shift;
        if (shift > 1) {
            value |= static_cast<unsigned char>(packed[at + 1]) << (8 - shift);
        }
        septets[i] = static_cast<char>(value & 0x7F);
    }
    return septets;
}

QByteArray encodeAddress(const PduAddress& address) {
    QByteArray out;
    if (address.isAlphanumeric()) {
        const QByteArray septets = gsmEncode(address.number).septets;
        out.append(static_cast<char>((septets.size() * 7 + 3) / 4));
        out.append(static_cast<char>(address.type));
        return out + packSeptets(septets);
    }
    const QByteArray packed = semiOctets(address.number);
    const bool odd = !packed.isEmpty() && (static_cast<unsigned char>(packed.back()) >> 4) == 0xF;
    out.append(static_cast<char>(packed.size() * 2 - (odd ? 1 : 0)));
    out.append(static_cast<char>(address.type | 0x80));
    return out + packed;
}

QByteArray encodeServiceCentre(const PduAddress& address) {
    if (address.number.isEmpty()) {
        return QByteArray(1, '\0');
    }
    const QByteArray packed = semiOctets(address.number);
    return static_cast<char>(packed.size() + 1) + (static_cast<char>(address.type | 0x80) + packed);
}

std::optional<int> PduReader::octet() {
    if (pos_ >= bytes_.size()) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(bytes_[pos_++]);
}

std::optional<QByteArray> PduReader::octets(qsizetype count) {
    if (count < 0 || count > left()) {
        pos_ = bytes_.size();
        return std::nullopt;
    }
    const QByteArray out = bytes_.mid(pos_, count);
    pos_ += count;
    return out;
}

std::optional<PduAddress> PduReader::address() {
    const std::optional<int> length = octet();
    const std::optional<int> type = octet();
    if (!length || !type) {
        return std::nullopt;
    }
    const std::optional<QByteArray> packed = octets((*length + 1) / 2);
    if (!packed) {
        return std::nullopt;
    }
    PduAddress address{QString(), *type};
    if (address.isAlphanumeric()) {
        address.number = gsmDecode(unpackSeptets(*packed, *length * 4 / 7).value_or(QByteArray()));
    } else {
        address.number =
            (isInternational(*type) ? QStringLiteral("+") : QString()) + digitsOf(*packed, *length);
    }
    return address;
}

std::optional<PduAddress> PduReader::serviceCentre() {
    const std::optional<int> length = octet();
    if (!length) {
        return std::nullopt;
    }
    if (*length == 0) {
        return PduAddress{};
    }
    const std::optional<QByteArray> field = octets(*length);
    if (!field) {
        return std::nullopt;
    }
    const int type = static_cast<unsigned char>(field->front());
    return PduAddress{(isInternational(type) ? QStringLiteral("+") : QString()) +
                          digitsOf(field->mid(1), static_cast<int>(field->size() - 1) * 2),
                      type};
}

std::optional<QDateTime> PduReader::timestamp() {
    const std::optional<QByteArray> field = octets(7);
    if (!field) {
        return std::nullopt;
    }
    int values[6];
    for (int i = 0; i < 6; ++i) {
        values[i] = bcd(static_cast<unsigned char>((*field)[i]));
    }
    const int zone = static_cast<unsigned char>((*field)[6]);
    const int quarters = bcd(zone & 0xF7);
    const QDate date(values[0] < 70 ? 2000 + values[0] : 1900 + values[0], values[1], values[2]);
    const QTime time(values[3], values[4], values[5]);
    const QTimeZone offset((zone & 0x08 ? -quarters : quarters) * 15 * 60);
    if (values[0] < 0 || quarters < 0 || !date.isValid() || !time.isValid() || !offset.isValid()) {
        return QDateTime();
    }
    return QDateTime(date, time, offset);
}

QByteArray encodeTimestamp(const QDateTime& time) {
    if (!time.isValid()) {
        return QByteArray(7, '\0');
    }
    const QDate date = time.date();
    const QTime clock = time.time();
    const int offset = time.offsetFromUtc() / (15 * 60);
    QByteArray out;
    for (const int value : {date.year() % 100, date.month(), date.day(), clock.hour(),
                            clock.minute(), clock.second()}) {
        out.append(static_cast<char>(swappedBcd(value)));
    }
    out.append(static_cast<char>(swappedBcd(std::abs(offset)) | (offset < 0 ? 0x08 : 0)));
    return out;
}
