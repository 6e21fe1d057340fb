// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/MessageCompose.h"

#include <array>

#include "pdu/GsmAlphabet.h"
#include "pdu/MessageSplitter.h"
#include "phone/AppState.h"
#include "phone/PhoneLink.h"
#include "phone/PhoneResult.h"
#include "phone/PhoneSafeText.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "platform/Notice.h"
#include "sms/CSmsDB.h"
#include "sms/PduMessageSend.h"
#include "sms/RedialList.h"
#include "sms/SendFailure.h"

bool offerAddNumberFlag = false;

namespace {

AddNumberAsker& addNumberAsker() {
    static AddNumberAsker asker;
    return asker;
}

constexpr std::array<const char*, 6> kValidityCodeTexts = {"11", "71", "143", "167", "173", "255"};
// The validity texts a saved row shows, by validity choice.
constexpr std::array<const char*, 6> kValidityTextStarts = {"1 hour",  "6 hour", "12 hour",
                                                            "24 hour", "7 day",  "63 week"};

// The first octet the send parameters carry for the reply path choice.
int firstOctetOf(int replyPathChoice) {
    return replyPathChoice == 1 ? 17 : 145;
}

Notice error(const QString& text) {
    return Notice{text, QStringLiteral("ERROR"), PromptIcon::Error};
}

Notice warning(const QString& text) {
    return Notice{text, QStringLiteral("Warning"), PromptIcon::Warning};
}

// The first problem of the texts bound for the phone (the name only when it is offered for a
// phonebook, but it is checked with the rest so the user fixes everything at once).
QString textProblem(const ComposeValues& values) {
    QString problem = phoneSafeTextProblem(values.number, PhoneTextKind::Number);
    if (problem.isEmpty()) {
        problem = phoneSafeTextProblem(values.message, phoneMessageFormat() == SmsFormat::Pdu
                                                           ? PhoneTextKind::MessageUnit
                                                           : PhoneTextKind::MessageText);
    }
    if (problem.isEmpty()) {
        problem = phoneSafeTextProblem(values.name, PhoneTextKind::Name);
    }
    return problem;
}

PduMessageOptions pduOptionsOf(const ComposeValues& values) {
    return {values.number, values.message, values.replyPathChoice, values.validityChoice};
}

bool simIsFull(PhoneLink& link) {
    CSmsDB store;
    return store.CountMessages(link) >= link.simMessageCapacity;
}

}  // namespace

void setAddNumberAsker(AddNumberAsker asker) {
    addNumberAsker() = std::move(asker);
}

int validityChoiceOfText(const QString& validityText) {
    for (int choice = 0; choice < static_cast<int>(kValidityTextStarts.size()); ++choice) {
        if (validityText.startsWith(QLatin1String(kValidityTextStarts[choice]))) {
            return choice;
        }
    }
    return 0;
}

int validityCodeOfChoice(int validityChoice) {
    const int last = static_cast<int>(kValidityCodeTexts.size()) - 1;
    return QString::fromLatin1(
               kValidityCodeTexts.at(static_cast<size_t>(std::clamp(validityChoice, 0, last))))
        .toInt();
}

int SaveMessage(CSmsDB& store, PhoneLink& link, int replyPathChoice, int validityChoice,
                int protocolChoice, const QString& number, const QString& statusWord,
                const QString& name, const QString& text, Notices& notices, QString* location,
                const QList<int>& messageReferences) {
    SmsMessageValues values;
    values.firstOctet = firstOctetOf(replyPathChoice);
    values.protocolId = static_cast<qint16>(protocolChoice);
    values.statusWord = statusWord;
    values.number = number;
    values.name = name;
    values.dateSource = QString::fromLatin1(kValidityCodeTexts.at(
        static_cast<size_t>(std::clamp(validityChoice, 0, int(kValidityCodeTexts.size()) - 1))));
    values.text = text;
    if (link.phoneFound) {
        QString dialString;
        int numberType = 0;
        PhoneLink::NumberTypeOf(number, dialString, numberType);
        QString newIndex;
        int code = 0;
        if (link.settings.messageFormat() == SmsFormat::Pdu) {
            QStringList locations;
            PduMessageOptions options{number, text, replyPathChoice, validityChoice};
            options.messageReferences = messageReferences;
            code = savePduMessage(link, options, statusWord, locations);
            newIndex = locations.value(0);
            if (locations.size() > 1) {
                values.parts = locations.join(u',');
            }
        } else {
            code = link.WriteMessage(1, replyPathChoice, validityChoice, protocolChoice, dialString,
                                     numberType, statusWord, text, newIndex);
        }
        if (code != kPhoneDone) {
            notices.append(Notice{QStringLiteral("Fail saving message"), QStringLiteral("Save SMS"),
                                  PromptIcon::Error});
            return code;
        }
        // A phone that stores without naming the location fills the first free one.
        values.index = newIndex.isEmpty() ? QString::number(store.FirstFreeIndex()) : newIndex;
    } else {
        values.index = QString::number(store.FirstFreeIndex());
    }
    store.AddMessage(values);
    if (location) {
        *location = values.index;
    }
    return kPhoneDone;
}

Notices OfferAddNumber(PhoneLink& link, const QString& name, const QString& number,
                       const Asker& ask) {
    if (name.isEmpty() || !offerAddNumberFlag || !addNumberAsker()) {
        return {};
    }
    CSimViewDB sim;
    CMsListDB ms;
    CPCListDB pc;
    for (PhonebookTable* table : std::initializer_list<PhonebookTable*>{&sim, &ms, &pc}) {
        QString foundName = name;
        QString foundNumber = number;
        if (table->FindByNameAndNumber(foundName, foundNumber)) {
            return {};
        }
    }
    const int memory = addNumberAsker()(name, number);
    switch (memory) {
        case MemorySim: {
            const int index = sim.FirstFreeIndex();
            if (link.simPhonebookCapacity < index) {
                return {warning(
                    QStringLiteral("You can not enter more data to SIM PB due to the maximum "
                                   "capacity excess!"))};
            }
            return sim.StoreNewEntry(link, index, name, number, 0, ask).notices;
        }
        case MemoryMs: {
            const int index = ms.FirstFreeIndex();
            if (link.mePhonebookCapacity < index) {
                return {warning(
                    QStringLiteral("You can not enter more data to MS PB due to the maximum "
                                   "capacity excess!"))};
            }
            // A number saved from a message is an ordinary entry (mode 0).
            return ms.StoreNewEntry(link, index, name, number, 0, ask).notices;
        }
        case MemoryPc: {
            PcPhonebookEntry entry;
            entry.number = pc.FirstFreeIndex();
            entry.name = name;
            entry.mainNumber = number;
            return pc.StoreNewEntry(entry, ask).notices;
        }
        default:
            return {};
    }
}

int composeMessageLength(const QString& text) {
    int length = static_cast<int>(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
            ++length;
        }
    }
    return length;
}

namespace {

constexpr int kMaxUcs2Message = 70;

int textFormatLimit(const QString& text) {
    return phoneTextCharset() == PhoneCharset::Ucs2 && !gsmFits(text) ? kMaxUcs2Message
                                                                      : kMaxComposeMessage;
}

}  // namespace

bool composeMessageFits(const QString& text) {
    if (phoneMessageFormat() == SmsFormat::Pdu) {
        return !measureMessage(text).tooLong;
    }
    return composeMessageLength(text) <= textFormatLimit(text);
}

QString composeCounterText(const QString& text) {
    if (phoneMessageFormat() == SmsFormat::Pdu) {
        return messageCounterText(text);
    }
    return QStringLiteral("%1 / %2").arg(text.size()).arg(textFormatLimit(text));
}

std::optional<ComposeProblem> composeProblem(const ComposeValues& values) {
    if (values.number.isEmpty()) {
        return ComposeProblem{ComposeOutcome::MissingNumber,
                              error(QStringLiteral("You must input Number field"))};
    }
    if (values.message.isEmpty()) {
        return ComposeProblem{ComposeOutcome::MissingMessage,
                              error(QStringLiteral("You must input Message field"))};
    }
    const auto tooLong = [](const QString& field, int limit) {
        return ComposeProblem{
            ComposeOutcome::TooLong,
            error(QStringLiteral("The %1 is longer than %2 characters").arg(field).arg(limit))};
    };
    if (values.name.size() > kMaxComposeName) {
        return tooLong(QStringLiteral("name"), kMaxComposeName);
    }
    const int numberLimit =
        values.number.contains(u'+') ? kMaxComposeNumberWithPlus : kMaxComposeNumber;
    if (values.number.size() > numberLimit) {
        return tooLong(QStringLiteral("phone number"), numberLimit);
    }
    if (!composeMessageFits(values.message)) {
        if (phoneMessageFormat() == SmsFormat::Pdu) {
            return ComposeProblem{ComposeOutcome::TooLong,
                                  error(QStringLiteral("The message is longer than %1 messages")
                                            .arg(kMaxMessageParts))};
        }
        return tooLong(QStringLiteral("message"), textFormatLimit(values.message));
    }
    const QString problem = textProblem(values);
    if (!problem.isEmpty()) {
        return ComposeProblem{ComposeOutcome::UnsafeText, warning(problem)};
    }
    return std::nullopt;
}

ComposeResult SendAndSave(PhoneLink& link, const ComposeValues& values, const Asker& ask) {
    ComposeResult result;
    if (const std::optional<ComposeProblem> problem = composeProblem(values)) {
        result.outcome = problem->outcome;
        result.notices.append(problem->notice);
        return result;
    }

    bool send = false;
    bool save = false;
    switch (values.sendChoice) {
        case kSendOnly:
            send = true;
            break;
        case kSendAndSave:
            send = true;
            save = true;
            if (simIsFull(link)) {
                save = false;
                const Prompt question{
                    QStringLiteral("SIM card out of SMS memory! \n Do you want send only?"),
                    QStringLiteral("Warning"), PromptIcon::Question, PromptButtons::OkCancel};
                if (!ask || ask(question) != PromptAnswer::Ok) {
                    result.outcome = ComposeOutcome::Cancelled;
                    return result;
                }
            }
            break;
        case kSaveOnly:
            save = true;
            if (simIsFull(link)) {
                result.outcome = ComposeOutcome::SimFull;
                result.notices.append(warning(QStringLiteral("SIM card out of SMS memory!")));
                return result;
            }
            break;
        default:
            result.done = true;
            return result;
    }

    QList<int> sentReferences;
    if (send) {
        result.sendAsked = true;
        QString partsSent;
        QString dialString;
        int numberType = 0;
        PhoneLink::NumberTypeOf(values.number, dialString, numberType);
        int errorCode = -1;
        int code = 0;
        if (link.settings.messageFormat() == SmsFormat::Pdu) {
            const PduSendOutcome outcome = sendPduMessage(link, pduOptionsOf(values));
            code = outcome.code == 0 ? kPhoneDone : kPhoneRefused;
            errorCode = outcome.errorCode;
            partsSent = partsSentText(outcome);
            sentReferences = outcome.messageReferences;
        } else {
            code = link.SendMessage(1, values.replyPathChoice, values.validityChoice, 0, dialString,
                                    numberType, values.message, &errorCode);
        }
        if (code == kPhoneRefused) {
            QString text = sendFailureText(errorCode);
            if (!partsSent.isEmpty()) {
                text += u'\n' + partsSent;
            }
            result.notices.append(Notice{text, QStringLiteral("Send Message"), PromptIcon::Error});
        } else {
            result.sent = true;
            RecordRecentNumber(values.name, values.number);
        }
    }
    if (save) {
        result.saveAsked = true;
        CSmsDB store;
        const bool asSent = send ? result.sent : values.saveAsSent;
        const QString statusWord =
            asSent ? QStringLiteral("STO SENT") : QStringLiteral("STO UNSENT");
        result.saved = SaveMessage(store, link, values.replyPathChoice, values.validityChoice, 0,
                                   values.number, statusWord, values.name, values.message,
                                   result.notices, &result.location, sentReferences) == kPhoneDone;
        result.done = true;
    }
    if (!send || result.sent) {
        result.done = true;
    }
    return result;
}
