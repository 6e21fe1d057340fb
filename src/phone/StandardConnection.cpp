// SPDX-License-Identifier: GPL-3.0-or-later
// The connection to a phone or modem of any maker: identification, memories, lengths and
// features read from the standard commands' answers.
#include "link/Transact.h"
#include "phone/IdentityAnswers.h"
#include "phone/PhoneLink.h"
#include "phone/StandardAnswers.h"

namespace {

constexpr int kPhonebookBit = 8;
constexpr int kMessagesBit = 4;
const char* const kMemoryNames[2] = {"SM", "ME"};

}  // namespace

QString PhoneLink::identityField(const QString& command) {
    QString answer;
    if (Transact(command, answer) != kTransactComplete) {
        return {};
    }
    return ParseIdentityAnswer(answer);
}

bool PhoneLink::identifyStandard() {
    QString answer;
    Transact("atz\r", answer);
    Transact("ate0\r", answer);
    // Errors as numbers or texts, as the phone likes; the transaction reads both as failures.
    Transact("at+cmee=1\r", answer);
    if (Transact("at+cgmi\r", answer) != kTransactComplete) {
        return false;
    }
    maker = ParseIdentityAnswer(answer);
    if (maker.isEmpty()) {
        return false;
    }
    model = identityField("at+cgmm\r");
    revision = identityField("at+cgmr\r");
    serialNumber = identityField("at+cgsn\r");
    selectStandardCharset();
    return true;
}

// UCS2 carries every name; GSM the phone's own alphabet; IRA, plain ASCII, every phone knows.
// A set chosen by the user is asked for as under the maker's profile.
void PhoneLink::selectStandardCharset() {
    if (settings.charset != PhoneCharset::Latin1) {
        selectCharset();
        return;
    }
    QString answer;
    const bool listed = Transact("at+cscs=?\r", answer) == kTransactComplete;
    for (const PhoneCharset set : {PhoneCharset::Ucs2, PhoneCharset::Gsm}) {
        const QString name = phoneCharsetCommandName(set);
        if (listed && AnswerOffersCharset(answer, name) &&
            SendExpectOk(QString("at+cscs=\"%1\"\r").arg(name)) == kTransactComplete) {
            charsetInUse_ = set;
            return;
        }
    }
    SendExpectOk("at+cscs=\"IRA\"\r");
    charsetInUse_ = PhoneCharset::Latin1;
}

int PhoneLink::queryStandardCapacities() {
    QString answer;
    standardMask_ = 0;
    if (Transact("at+cpbs=?\r", answer) == kTransactComplete) {
        const QStringList memories = ParseOfferedNames(answer, QStringLiteral("+CPBS:"));
        for (int which = 0; which < 2; ++which) {
            memoryOffered_[which] = memories.contains(QLatin1String(kMemoryNames[which]));
        }
    } else {
        memoryOffered_[0] = memoryOffered_[1] = false;
    }
    int* capacities[2] = {&simPhonebookCapacity, &mePhonebookCapacity};
    for (int which = 0; which < 2; ++which) {
        if (!memoryOffered_[which] || SelectPhonebookMemory(which) != kTransactComplete) {
            memoryOffered_[which] = false;
            continue;
        }
        standardMask_ |= kPhonebookBit;
        if (Transact("at+cpbr=?\r", answer) == kTransactComplete) {
            if (const std::optional<PhonebookBounds> bounds = ParsePhonebookBounds(answer)) {
                firstIndex_[which] = bounds->first;
                *capacities[which] = bounds->last - bounds->first + 1;
                numberLengths_[which] = bounds->numberLength;
                nameLengths_[which] = bounds->textLength;
            }
        }
    }
    if (Transact("at+cpms=?\r", answer) == kTransactComplete) {
        messageStorages = ParseOfferedNames(answer, QStringLiteral("+CPMS:"));
    }
    if (!messageStorages.isEmpty()) {
        standardMask_ |= kMessagesBit;
        const bool phoneMemory = settings.smsStorage == SmsStorage::Phone;
        QString storage = messageStorages.contains(QLatin1String("SM")) ? QStringLiteral("SM")
                                                                        : messageStorages.first();
        if (phoneMemory && messageStorages.contains(QLatin1String("ME"))) {
            storage = QStringLiteral("ME");
        } else if (phoneMemory) {
            notices.reportWhenShown(Notice{
                QStringLiteral("The phone keeps no short messages in its own memory. Messages "
                               "are read from and written to the %1 storage.")
                    .arg(storage),
                QStringLiteral("Message storage"), PromptIcon::Warning});
        }
        messageStorage_ = storage;
        if (Transact(messageStorageCommand(), answer) == kTransactComplete) {
            simMessageCapacity = ParseMessageCapacity(answer).value_or(simMessageCapacity);
        }
    }
    // PDUs by default, text where the phone offers nothing else ("+CMGF: (1)"); a format the
    // user chose stands.
    if (!settings.smsFormat && Transact("at+cmgf=?\r", answer) == kTransactComplete &&
        !ParseOfferedModes(answer, QStringLiteral("+CMGF:")).contains(u'0')) {
        settings.smsFormat = SmsFormat::Text;
    }
    // The window knows masks of two features or more; a phone that showed one feature is offered
    // the pair every standard phone has, and the other half reports its own failure.
    if (standardMask_ != 0) {
        standardMask_ = kPhonebookBit | kMessagesBit;
    }
    return 0;
}

bool PhoneLink::phonebookOffered(int which) const {
    return which >= 0 && which < 2 && memoryOffered_[which];
}

int PhoneLink::phonebookNumberLength(int which) const {
    return which >= 0 && which < 2 ? numberLengths_[which] : 0;
}

int PhoneLink::phoneIndex(int slot) const {
    return slot + firstIndex_[selectedMemory_] - 1;
}
