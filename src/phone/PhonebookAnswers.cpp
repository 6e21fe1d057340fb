// SPDX-License-Identifier: GPL-3.0-or-later
#include "phone/PhonebookAnswers.h"

#include <QStringList>
#include <limits>

#include "link/SplitFields.h"

namespace {

const QString kReadMarker = QStringLiteral("+CPBR: ");

enum EntryField { kIndex, kDialString, kNumberType, kName, kEntryFields };

// As the C library converts a decimal: blanks, an optional sign, digits; 0 when none.
int decimalValue(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }
    qint64 value = 0;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9' &&
           value <= std::numeric_limits<int>::max()) {
        value = value * 10 + (text[i].unicode() - '0');
        ++i;
    }
    value = std::min<qint64>(value, std::numeric_limits<int>::max());
    return static_cast<int>(negative ? -value : value);
}

}  // namespace

QString PhonebookEntryText(const QString& answer) {
    const qsizetype at = answer.indexOf(kReadMarker);
    return at >= 0 ? answer.mid(at + kReadMarker.size()) : QString();
}

bool ParsePhonebookEntry(const QString& entryText, PhonebookEntryAnswer& entry, PhoneCharset set) {
    entry = PhonebookEntryAnswer{};
    if (entryText.isEmpty()) {
        return false;
    }
    QStringList fields;
    SplitFields(entryText, fields, kEntryFields);
    entry.index = decimalValue(fields.value(kIndex));
    entry.dialString = phoneFieldText(fields.value(kDialString), set, PhoneTextKind::Number);
    entry.numberType = decimalValue(fields.value(kNumberType));
    entry.name = phoneFieldText(fields.value(kName), set, PhoneTextKind::Name);
    return entry.index > 0;
}
