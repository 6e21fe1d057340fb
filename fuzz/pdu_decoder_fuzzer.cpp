// SPDX-License-Identifier: GPL-3.0-or-later
// A PDU as the phone might send it, through the decoder: it either reads or says why not, keeps
// the input, and what it read encodes into a PDU that reads back to the same message.

#include "FuzzSupport.h"
#include "pdu/MessageSplitter.h"
#include "pdu/PduCodec.h"

namespace {

void checkReadBack(const SmsPdu& pdu, bool withServiceCentre) {
    const EncodedPdu encoded = encodePdu(pdu, withServiceCentre);
    FUZZ_CHECK(encoded.hex.size() % 2 == 0);
    FUZZ_CHECK(encoded.tpduLength <= encoded.hex.size() / 2);
    const SmsPdu again = decodePdu(encoded.hex, withServiceCentre);
    FUZZ_CHECK(!again.undecodable);
    FUZZ_CHECK(again.type == pdu.type);
    FUZZ_CHECK(again.address.number == pdu.address.number);
    FUZZ_CHECK(again.serviceCentre.number == pdu.serviceCentre.number);
    FUZZ_CHECK(again.text == pdu.text);
    FUZZ_CHECK(again.header == pdu.header);
    const PduConcat concat = concatOf(pdu);
    FUZZ_CHECK(concat.count == 0 || (concat.sequence >= 1 && concat.sequence <= concat.count));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputReader input(data, size);
    const uint8_t shape = input.byte();
    const QString hex = answerText(input.rest(), input.restSize());
    const bool withServiceCentre = (shape & 1) == 0;
    const SmsPdu pdu = decodePdu(hex, withServiceCentre);
    FUZZ_CHECK(pdu.rawHex == hex.trimmed());
    FUZZ_CHECK(pdu.undecodable == !pdu.problem.isEmpty());
    if (!pdu.undecodable) {
        checkReadBack(pdu, withServiceCentre);
    }
    // The same bytes as a text to send: the parts hold it whole.
    if (shape & 2) {
        const QString text = QString::fromUtf8(hex.toLatin1()).left(1600);
        const QList<SmsPdu> parts = submitPdus(text, {});
        FUZZ_CHECK(parts.isEmpty() == measureMessage(text).tooLong);
        QString joined;
        for (const SmsPdu& part : parts) {
            const SmsPdu read = decodePdu(encodePdu(part).hex);
            FUZZ_CHECK(!read.undecodable);
            joined += read.text;
        }
        FUZZ_CHECK(parts.isEmpty() || joined == text);
    }
    return 0;
}
