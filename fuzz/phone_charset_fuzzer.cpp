// SPDX-License-Identifier: GPL-3.0-or-later
// A field read from the phone in each character set, and user text the check lets through,
// encoded for the phone and read back.

#include <QList>

#include "FuzzSupport.h"
#include "pdu/GsmAlphabet.h"
#include "phone/PhoneCharset.h"

namespace {

constexpr PhoneCharset kSets[] = {PhoneCharset::Latin1, PhoneCharset::Ucs2, PhoneCharset::Gsm};
constexpr PhoneTextKind kKinds[] = {PhoneTextKind::Name, PhoneTextKind::Number,
                                    PhoneTextKind::Contents, PhoneTextKind::MessageText};

bool isDialText(const QString& text) {
    for (const QChar c : text) {
        if (!(c.isDigit() && c.unicode() < 0x80) && !QStringView(u"+*#pwPW").contains(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputReader input(data, size);
    const uint8_t shape = input.byte();
    const PhoneCharset set = kSets[shape % 3];
    const PhoneTextKind kind = kKinds[shape / 3 % 4];
    const QString field = answerText(input.rest(), input.restSize());

    const PhoneFieldText read = decodeFromPhone(field, set, kind);
    if (read.malformed) {
        FUZZ_CHECK(read.text == field);
    } else if (set == PhoneCharset::Ucs2 && kind == PhoneTextKind::Number) {
        FUZZ_CHECK(read.text == field ||
                   (isDialText(read.text) && encodeForPhone(read.text, set) == field.toUpper()));
    } else if (set == PhoneCharset::Ucs2) {
        FUZZ_CHECK(encodeForPhone(read.text, set) == field.toUpper());
    }

    const QString text = QString::fromUtf8(field.toLatin1());
    const QString problem = phoneCharsetProblem(text, kind, set);
    if (set == PhoneCharset::Gsm) {
        FUZZ_CHECK(gsmFits(text) || !problem.isEmpty());
        FUZZ_CHECK(gsmSeptetCount(text) >= text.toUcs4().size());
    }
    if (problem.isEmpty() && kind != PhoneTextKind::Number && set != PhoneCharset::Latin1) {
        const PhoneFieldText back = decodeFromPhone(encodeForPhone(text, set), set, kind);
        FUZZ_CHECK(!back.malformed);
        FUZZ_CHECK(back.text == text);
    }
    return 0;
}
