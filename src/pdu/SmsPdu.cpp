// SPDX-License-Identifier: GPL-3.0-or-later
#include "pdu/SmsPdu.h"

#include <array>

std::optional<PduCoding> codingOf(int dataCoding) {
    const int group = dataCoding >> 4 & 0x0F;
    if (group < 0x08) {
        // General coding or marked for deletion; compressed text is not read.
        if (dataCoding & 0x20) {
            return std::nullopt;
        }
        switch (dataCoding >> 2 & 0x03) {
            case 0:
                return PduCoding::Gsm7;
            case 1:
                return PduCoding::EightBit;
            case 2:
                return PduCoding::Ucs2;
            default:
                return std::nullopt;
        }
    }
    switch (group) {
        case 0x0C:
        case 0x0D:
            return PduCoding::Gsm7;
        case 0x0E:
            return PduCoding::Ucs2;
        case 0x0F:
            return dataCoding & 0x04 ? PduCoding::EightBit : PduCoding::Gsm7;
        default:
            return std::nullopt;
    }
}

int dataCodingFor(PduCoding coding) {
    switch (coding) {
        case PduCoding::EightBit:
            return 0x04;
        case PduCoding::Ucs2:
            return 0x08;
        case PduCoding::Gsm7:
            break;
    }
    return 0x00;
}

PduConcat concatOf(const SmsPdu& pdu) {
    for (const PduHeaderElement& element : pdu.header) {
        const auto at = [&element](int i) { return static_cast<unsigned char>(element.data[i]); };
        PduConcat concat;
        if (element.id == kConcat8 && element.data.size() == 3) {
            concat = {at(0), at(1), at(2), false};
        } else if (element.id == kConcat16 && element.data.size() == 4) {
            concat = {at(0) << 8 | at(1), at(2), at(3), true};
        } else {
            continue;
        }
        // A count of zero or a part beyond it is ignored, as receivers are told to.
        if (concat.count > 0 && concat.sequence >= 1 && concat.sequence <= concat.count) {
            return concat;
        }
    }
    return {};
}

PduHeaderElement concatElement(int reference, int count, int sequence, bool sixteenBit) {
    QByteArray data;
    if (sixteenBit) {
        data.append(static_cast<char>(reference >> 8 & 0xFF));
    }
    data.append(static_cast<char>(reference & 0xFF));
    data.append(static_cast<char>(count));
    data.append(static_cast<char>(sequence));
    return {sixteenBit ? kConcat16 : kConcat8, data};
}

int validityCodeForChoice(int choice) {
    constexpr std::array<int, 6> kCodes = {11, 71, 143, 167, 173, 255};
    return choice >= 0 && choice < static_cast<int>(kCodes.size()) ? kCodes[choice] : -1;
}
