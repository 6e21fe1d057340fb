// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>

#include "pdu/GsmAlphabet.h"
#include "phone/MessageAnswers.h"
#include "phone/PhoneCharset.h"
#include "phone/PhoneLink.h"

namespace {

constexpr int kStorageAttempts = 3;
constexpr char kCtrlZ = 26;

// Relative validity-period codes and protocol identifiers, by the dialogs' choices.
constexpr std::array<int, 6> kValidityCodes = {11, 71, 143, 167, 173, 255};
constexpr std::array<int, 5> kProtocolIds = {0, 2, 18, 17, 5};

bool choicesKnown(int validityChoice, int protocolChoice) {
    return validityChoice >= 0 && validityChoice < static_cast<int>(kValidityCodes.size()) &&
           protocolChoice >= 0 && protocolChoice < static_cast<int>(kProtocolIds.size());
}

// The destination goes between double quotes and the text after the prompt: both are checked
// before the first command, so a refused text leaves the phone as it was.
bool messageIsSafe(const QString& destination, const QString& text, PhoneCharset set) {
    return phoneCharsetProblem(destination, PhoneTextKind::Number, set).isEmpty() &&
           phoneCharsetProblem(text, PhoneTextKind::MessageText, set).isEmpty();
}

// The data coding scheme of a text: the GSM alphabet unless the text needs UCS2 on the air
// (27.005 has the phone take hex text under a UCS2 scheme as the characters themselves).
int codingOf(const QString& text, PhoneCharset set) {
    constexpr int kGsmCoding = 0;
    constexpr int kUcs2Coding = 8;
    return set == PhoneCharset::Ucs2 && !gsmFits(text) ? kUcs2Coding : kGsmCoding;
}

}  // namespace

QString PhoneLink::messageStorageCommand() const {
    return QStringLiteral("at+cpms=\"%1\"\r").arg(messageStorage_);
}

// Selector 1 is where the messages are kept (see messageStorageCommand).
QString PhoneLink::storageCommand(int storage) const {
    switch (storage) {
        case 0:
            return QStringLiteral("at+cpms=\"bm\"\r");
        case 1:
            return messageStorageCommand();
        default:
            return {};  // sent as it is: the phone sees nothing and the command fails
    }
}

int PhoneLink::SetMessageMode(int storage, int format, int showHeader) {
    const QString select = storageCommand(storage);
    int code = kTransactFailed;
    for (int attempt = 0; attempt < kStorageAttempts; ++attempt) {
        code = SendExpectOk(select);
        if (code == kTransactComplete) {
            break;
        }
    }
    if (code != kTransactComplete) {
        return code;
    }
    code = SendExpectOk(QString("at+cmgf=%1\r").arg(format));
    if (code != kTransactComplete) {
        return code;
    }
    return SendExpectOk(QString("at+csdh=%1\r").arg(showHeader));
}

int PhoneLink::SetSendParameters(int format, int replyPathChoice, int validityChoice,
                                 int protocolChoice, int coding) {
    if (!choicesKnown(validityChoice, protocolChoice)) {
        return kTransactFailed;
    }
    const int code = SendExpectOk(QString("at+cmgf=%1\r").arg(format));
    if (code != kTransactComplete) {
        return code;
    }
    const int firstOctet = replyPathChoice == 1 ? 17 : 145;
    return SendExpectOk(QString("at+csmp=%1,%2,%3,%4\r")
                            .arg(firstOctet)
                            .arg(kValidityCodes[validityChoice])
                            .arg(kProtocolIds[protocolChoice])
                            .arg(coding));
}

int PhoneLink::ReadMessage(int index, QString& body, PollRate rate) {
    QString answer;
    const int code = Transact(QString("at+cmgr=%1\r").arg(index), answer, rate);
    body.clear();
    if (code != kTransactComplete) {
        return code;
    }
    body = messageBodyOf(answer);
    return code;
}

int PhoneLink::DeleteMessage(int storage, int index) {
    const int code = SendExpectOk(storageCommand(storage));
    if (code != kTransactComplete) {
        return code;
    }
    return SendExpectOk(QString("at+cmgd=%1\r").arg(index));
}

int PhoneLink::WriteMessage(int format, int replyPathChoice, int validityChoice, int protocolChoice,
                            const QString& destination, int numberType, const QString& status,
                            const QString& text, QString& newIndex) {
    const PhoneCharset set = charsetInUse();
    if (!messageIsSafe(destination, text, set) || !choicesKnown(validityChoice, protocolChoice)) {
        return kTransactFailed;
    }
    int code = SendExpectOk(messageStorageCommand());
    if (code != kTransactComplete) {
        return code;
    }
    code = SetSendParameters(format, replyPathChoice, validityChoice, protocolChoice,
                             codingOf(text, set));
    if (code != kTransactComplete) {
        return code;
    }
    QString answer;
    // The prompt ends the header line's transaction; the text line gives the result.
    Transact(QString("at+cmgw=\"%1\",%2,\"%3\"\r")
                 .arg(encodeForPhone(destination, set), QString::number(numberType), status),
             answer);
    code = Transact(encodeForPhone(text, set) + QChar(kCtrlZ) + QChar('\r'), answer);
    if (code == kTransactComplete) {
        writtenMessageIndexOf(answer, newIndex);
    }
    return code;
}

int PhoneLink::SendMessage(int format, int replyPathChoice, int validityChoice, int protocolChoice,
                           const QString& destination, int numberType, const QString& text,
                           int* errorCode) {
    if (errorCode) {
        *errorCode = -1;
    }
    const PhoneCharset set = charsetInUse();
    if (!messageIsSafe(destination, text, set) || !choicesKnown(validityChoice, protocolChoice)) {
        return kTransactFailed;
    }
    int code = SetMessageMode(1, 1, 1);
    if (code != kTransactComplete) {
        return code;
    }
    code = SetSendParameters(format, replyPathChoice, validityChoice, protocolChoice,
                             codingOf(text, set));
    if (code != kTransactComplete) {
        return code;
    }
    QString header;
    const int headerCode =
        Transact(QString("at+cmgs=\"%1\",%2\r")
                     .arg(encodeForPhone(destination, set), QString::number(numberType)),
                 header);
    QString answer;
    code = Transact(encodeForPhone(text, set) + QChar(kCtrlZ) + QChar('\r'), answer);
    if (code == kTransactFailed && errorCode) {
        // A phone may refuse at the header already; the text line then fails on its own.
        *errorCode = messageErrorCodeOf(answer);
        if (*errorCode < 0 && headerCode == kTransactFailed) {
            *errorCode = messageErrorCodeOf(header);
        }
    }
    return code;
}

int PhoneLink::CountSimMessages() {
    QString answer;
    if (Transact(messageStorageCommand(), answer) != kTransactComplete) {
        return -1;
    }
    return usedMessageCountOf(answer);
}

bool PhoneLink::QueryNewMessageSettings(QString& answer) {
    QString reply;
    if (Transact(QStringLiteral("at+cnmi=?\r"), reply) != kTransactComplete) {
        return false;
    }
    answer = reply;
    return true;
}

bool PhoneLink::SetNewMessageIndication(const QStringList& fields, QString& answer) {
    QString command = QStringLiteral("at+cnmi=");
    for (int i = 0; i < 5; ++i) {
        if (i > 0) {
            command += u',';
        }
        command += indicationCharacterOf(fields.value(i));
    }
    command += u'\r';
    QString reply;
    if (Transact(command, reply) != kTransactComplete) {
        return false;
    }
    answer = reply;
    return true;
}
