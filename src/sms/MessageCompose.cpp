#include "sms/MessageCompose.h"

#include <array>

#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "phone/PhoneSafeText.h"
#include "phonebook/CPCListDB.h"
#include "phonebook/PhoneMemoryTable.h"
#include "platform/Notice.h"
#include "platform/Prompter.h"
#include "sms/CSmsDB.h"
#include "sms/RedialList.h"

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

void error(const QString& text) {
    showMessage(text, QStringLiteral("ERROR"), PromptIcon::Error);
}

// The first problem of the texts bound for the phone (the name only when it is offered for a
// phonebook, but it is checked with the rest so the user fixes everything at once).
QString textProblem(const ComposeValues& values) {
    QString problem = phoneSafeTextProblem(values.number, PhoneTextKind::Number);
    if (problem.isEmpty()) {
        problem = phoneSafeTextProblem(values.message, PhoneTextKind::MessageText);
    }
    if (problem.isEmpty()) {
        problem = phoneSafeTextProblem(values.name, PhoneTextKind::Name);
    }
    return problem;
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

int SaveMessage(CSmsDB& store, PhoneLink& link, int replyPathChoice, int validityChoice,
                int protocolChoice, const QString& number, const QString& statusWord,
                const QString& name, const QString& text, QString* location) {
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
        const int code = link.WriteMessage(1, replyPathChoice, validityChoice, protocolChoice,
                                           dialString, numberType, statusWord, text, newIndex);
        if (code != kTransactComplete) {
            showMessage(QStringLiteral("Fail saving message"), QStringLiteral("Save SMS"),
                        PromptIcon::Error);
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
    OfferAddNumber(link, name, number);
    return kTransactComplete;
}

void OfferAddNumber(PhoneLink& link, const QString& name, const QString& number) {
    if (name.isEmpty() || !offerAddNumberFlag || !addNumberAsker()) {
        return;
    }
    CSimViewDB sim;
    CMsListDB ms;
    CPCListDB pc;
    for (PhonebookTable* table : std::initializer_list<PhonebookTable*>{&sim, &ms, &pc}) {
        QString foundName = name;
        QString foundNumber = number;
        if (table->FindByNameAndNumber(foundName, foundNumber)) {
            return;
        }
    }
    const int memory = addNumberAsker()(name, number);
    auto warn = [](const QString& text) {
        showMessage(text, QStringLiteral("Warning"), PromptIcon::Warning);
    };
    switch (memory) {
        case MemorySim: {
            const int index = sim.FirstFreeIndex();
            if (link.simPhonebookCapacity < index) {
                warn(
                    QStringLiteral("You can not enter more data to SIM PB due to the maximum "
                                   "capacity excess!"));
                return;
            }
            showNotices(sim.StoreNewEntry(link, index, name, number, 0, prompterAsker()).notices);
            return;
        }
        case MemoryMs: {
            const int index = ms.FirstFreeIndex();
            if (link.mePhonebookCapacity < index) {
                warn(
                    QStringLiteral("You can not enter more data to MS PB due to the maximum "
                                   "capacity excess!"));
                return;
            }
            showNotices(ms.StoreNewEntry(link, index, name, number, 2, prompterAsker()).notices);
            return;
        }
        case MemoryPc: {
            PcPhonebookEntry entry;
            entry.number = pc.FirstFreeIndex();
            entry.name = name;
            entry.mainNumber = number;
            showNotices(pc.StoreNewEntry(entry, prompterAsker()).notices);
            return;
        }
        default:
            return;
    }
}

ComposeResult SendAndSave(PhoneLink& link, const ComposeValues& values) {
    ComposeResult result;
    if (values.number.isEmpty()) {
        error(QStringLiteral("You must input Number field"));
        result.outcome = ComposeOutcome::MissingNumber;
        return result;
    }
    if (values.message.isEmpty()) {
        error(QStringLiteral("You must input Message field"));
        result.outcome = ComposeOutcome::MissingMessage;
        return result;
    }
    const QString problem = textProblem(values);
    if (!problem.isEmpty()) {
        showMessage(problem, QStringLiteral("Warning"), PromptIcon::Warning);
        result.outcome = ComposeOutcome::UnsafeText;
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
                if (askQuestion(QStringLiteral("SIM card out of SMS memory! \n Do you want send "
                                               "only?"),
                                QStringLiteral("Warning"), PromptButtons::OkCancel,
                                PromptIcon::Question) != PromptAnswer::Ok) {
                    result.outcome = ComposeOutcome::Cancelled;
                    return result;
                }
            }
            break;
        case kSaveOnly:
            save = true;
            if (simIsFull(link)) {
                showMessage(QStringLiteral("SIM card out of SMS memory!"),
                            QStringLiteral("Warning"), PromptIcon::Warning);
                result.outcome = ComposeOutcome::SimFull;
                return result;
            }
            break;
        default:
            result.done = true;
            return result;
    }

    if (send) {
        result.sendAsked = true;
        QString dialString;
        int numberType = 0;
        PhoneLink::NumberTypeOf(values.number, dialString, numberType);
        const int code = link.SendMessage(1, values.replyPathChoice, values.validityChoice, 0,
                                          dialString, numberType, values.message);
        if (code == kTransactFailed) {
            showMessage(QStringLiteral("Fail sending message"), QStringLiteral("Send Message"),
                        PromptIcon::Error);
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
                                   &result.location) == kTransactComplete;
        result.done = true;
    }
    if (!send || result.sent) {
        result.done = true;
    }
    return result;
}
