// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Transact.h"
#include "phone/PhoneCharset.h"
#include "phone/PhoneLink.h"
#include "phone/PhonebookAnswers.h"

namespace {

constexpr int kInternational = 145;
constexpr int kDomestic = 129;

bool hasDisplayFormPrefix(const QString& dialString) {
    return dialString.startsWith("*31#+") || dialString.startsWith("#31#+");
}

// The entry text with its leading index (the phone's numbering) replaced by the slot.
QString withSlotNumber(const QString& entry, int slot) {
    qsizetype digits = 0;
    while (digits < entry.size() && (entry[digits].isDigit() || entry[digits] == u' ')) {
        ++digits;
    }
    return QString::number(slot) + entry.mid(digits);
}

}  // namespace

int PhoneLink::ReadPhonebookEntry(int index, QString& entry) {
    QString answer;
    const int code = Transact(QString("at+cpbr=%1\r").arg(phoneIndex(index)), answer);
    // Decoded where the fields are cut (ParsePhonebookEntry with charsetInUse()).
    entry = code == kTransactComplete ? PhonebookEntryText(answer) : QString();
    if (phoneIndex(index) != index && !entry.isEmpty()) {
        entry = withSlotNumber(entry, index);
    }
    return code;
}

int PhoneLink::WritePhonebookEntry(int index, int mode, const QString& dialString, int numberType,
                                   const QString& name) {
    // Last line of defence: a quote or line end would end the command early on the wire.
    const PhoneCharset set = charsetInUse();
    if (!phoneCharsetProblem(dialString, PhoneTextKind::Number, set).isEmpty() ||
        !phoneCharsetProblem(name, PhoneTextKind::Name, set).isEmpty()) {
        return kTransactFailed;
    }
    QString dial = dialString;
    int type = numberType;
    if (hasDisplayFormPrefix(dial)) {
        dial = ToPhoneForm(dial);
        type = kInternational;
    }
    const QString command =
        QString("at+cpbw=%1,%2,\"%3\",%4,\"%5\"\r")
            .arg(QString::number(phoneIndex(index)), QString::number(mode),
                 encodeForPhone(dial, set), QString::number(type), encodeForPhone(name, set));
    return SendExpectOk(command);
}

int PhoneLink::DeletePhonebookEntry(int index) {
    return SendExpectOk(QString("at+cpbw=%1\r").arg(phoneIndex(index)));
}

void PhoneLink::NumberTypeOf(const QString& dialString, QString& outDialString, int& numberType) {
    numberType = dialString.startsWith('+') ? kInternational : kDomestic;
    outDialString = dialString;
}

QString PhoneLink::ToPhoneForm(QString dialString) {
    dialString.remove(4, 1);
    dialString.insert(0, '+');
    return dialString;
}

QString PhoneLink::ToDisplayForm(QString dialString) {
    dialString.remove(0, 1);
    dialString.insert(std::min<qsizetype>(4, dialString.size()), '+');
    return dialString;
}
