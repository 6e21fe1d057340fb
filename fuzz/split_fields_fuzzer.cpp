// SPDX-License-Identifier: GPL-3.0-or-later
// SplitFields on any answer text: the field count and the fields the text never reaches, the
// free-text bound of twelve-field bodies, and round trips of fields the phone would send.

#include <QStringList>

#include "FuzzSupport.h"
#include "link/LeadingInteger.h"
#include "link/SplitFields.h"

namespace {

const QString kKept = QStringLiteral("\x01kept");

QString without(QString text, const QString& characters) {
    for (const QChar ch : characters) {
        text.remove(ch);
    }
    return text;
}

void checkSplit(const QString& source, int n, int prefilled) {
    QStringList fields;
    for (int i = 0; i < prefilled; ++i) {
        fields.append(kKept);
    }
    SplitFields(source, fields, n);
    if (n <= 0) {
        FUZZ_CHECK(fields.size() == prefilled);
        return;
    }
    FUZZ_CHECK(fields.size() == std::max(n, prefilled));
    for (int i = n; i < fields.size(); ++i) {
        FUZZ_CHECK(fields[i] == kKept);
    }
    // A field is either one the text reached (quotes and 0xFF left out) or as it was.
    qsizetype taken = 0;
    for (int i = 0; i < n; ++i) {
        const bool freeText = n == 12 && i == 11;
        if (fields[i] == kKept || (i >= prefilled && fields[i].isEmpty())) {
            continue;
        }
        taken += fields[i].size();
        if (!freeText) {
            FUZZ_CHECK(!fields[i].contains(u'"'));
            FUZZ_CHECK(!fields[i].contains(QChar(0xFF)));
        }
    }
    FUZZ_CHECK(taken <= source.size());
    if (n == 12 && fields[11] != kKept) {
        FUZZ_CHECK(fields[11].size() <= std::max(0, leadingInteger(fields[10])));
    }
}

// Plain fields joined by commas, and quoted fields that may hold commas and carriage returns,
// come back as they went.
void checkRoundTrips(const QString& text) {
    QStringList pieces = text.split(u';');
    if (pieces.size() > 40) {
        pieces = pieces.mid(0, 40);
    }
    const int n = static_cast<int>(pieces.size());
    QStringList plain;
    QStringList quoted;
    for (const QString& piece : pieces) {
        plain.append(without(piece, QStringLiteral(",\r\n\"\xFF")));
        quoted.append(without(piece, QStringLiteral("\n\"\xFF")));
    }
    if (n != 12) {
        QStringList fields;
        SplitFields(plain.join(u','), fields, n);
        FUZZ_CHECK(fields == plain);
        QStringList quotedSource;
        for (const QString& piece : quoted) {
            quotedSource.append(u'"' + piece + u'"');
        }
        fields.clear();
        SplitFields(quotedSource.join(u','), fields, n);
        FUZZ_CHECK(fields == quoted);
    }
    // A twelve-field body: the free text is taken whole, whatever it holds, when field 10
    // announces its length.
    QStringList header = plain.mid(0, 10);
    while (header.size() < 10) {
        header.append(QString());
    }
    const QString freeText = pieces.last().left(500);
    header.append(QString::number(freeText.size()));
    QStringList fields;
    SplitFields(header.join(u',') + u',' + freeText, fields, 12);
    FUZZ_CHECK(fields.size() == 12);
    FUZZ_CHECK(fields.mid(0, 11) == header);
    FUZZ_CHECK(fields[11] == freeText);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InputReader input(data, size);
    const uint8_t shape = input.byte();
    const QString text = answerText(input.rest(), input.restSize());
    checkSplit(text, shape % 14 - 1, shape / 14 % 16);
    checkSplit(text, 12, 0);
    checkRoundTrips(text);
    return 0;
}
