// SPDX-License-Identifier: GPL-3.0-or-later
// Every answer parser of the phone's command groups but the message body (which has its own
// target with the store behind it): phonebook entry, capacities and identity, schedule entry,
// to-do item, service centre, new-message settings and the message counts. Any answer must
// parse within bounds; what the program writes must read back the same.

#include <QStringList>

#include "FuzzSupport.h"
#include "link/SplitFields.h"
#include "phone/IdentityAnswers.h"
#include "phone/ListAnswers.h"
#include "phone/MessageAnswers.h"
#include "phone/PhoneSafeText.h"
#include "phone/PhonebookAnswers.h"
#include "phone/ScheduleAnswers.h"
#include "phone/ServiceCentreAnswers.h"
#include "phone/TodoAnswers.h"

namespace {

const QString kFinal = QStringLiteral("\r\n\r\nOK\r\n");

QString behind(const QString& answer, const QString& marker) {
    const qsizetype at = answer.indexOf(marker);
    return at < 0 ? QString() : answer.mid(at + marker.size());
}

bool isDigits(const QString& text) {
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar ch : text) {
        if (ch < u'0' || ch > u'9') {
            return false;
        }
    }
    return true;
}

void checkAnyAnswer(const QString& answer) {
    PhonebookEntryAnswer entry;
    const bool parsed = ParsePhonebookEntry(PhonebookEntryText(answer), entry);
    FUZZ_CHECK(parsed == (entry.index > 0));
    for (const QString& field : {entry.dialString, entry.name}) {
        FUZZ_CHECK(!field.contains(u'"') && field.size() <= answer.size());
    }
    // Read in another set the fields decode or stay as sent; the cut is the same.
    for (const PhoneCharset set : {PhoneCharset::Ucs2, PhoneCharset::Gsm}) {
        PhonebookEntryAnswer coded;
        FUZZ_CHECK(ParsePhonebookEntry(PhonebookEntryText(answer), coded, set) == parsed);
        FUZZ_CHECK(coded.index == entry.index && coded.numberType == entry.numberType);
        FUZZ_CHECK(coded.name.size() <= entry.name.size());
        ServiceCentreAddressOf(ServiceCentreText(answer), set);
    }
    ParsePhonebookEntry(answer, entry);

    AnswerNamesMaker(answer);
    AnswerOffersCharset(answer, QStringLiteral("UCS2"));
    const std::optional<int> nameLength = ParsePhonebookTextLength(answer);
    FUZZ_CHECK(!nameLength || *nameLength >= 0);
    for (const std::optional<int> value :
         {ParsePhonebookCapacity(answer), ParseMessageCapacity(answer), ParseFeatureMask(answer),
          LeadingDecimal(answer)}) {
        FUZZ_CHECK(!value || *value >= 0);
    }

    ScheduleEntry schedule;
    const QString scheduleText = behind(answer, QStringLiteral("+SCHR: "));
    FUZZ_CHECK(ParseScheduleAnswer(scheduleText, schedule) == !scheduleText.isEmpty());
    FUZZ_CHECK(schedule.alarm == 0 || schedule.alarm == 1);
    FUZZ_CHECK(schedule.alarm == 1 || (schedule.alarmHour == 0 && schedule.alarmMinute == 0));
    ParseScheduleAnswer(answer, schedule);

    for (const QString& text : {behind(answer, QStringLiteral("+CTDR: ")), answer}) {
        const TodoAnswer item = ParseTodoAnswer(text);
        const QString doneText = TodoDoneDateText(item.doneDate, item.doneTime);
        FUZZ_CHECK(doneText.isEmpty() == !item.done());
    }

    const QString centre = ServiceCentreAddressOf(ServiceCentreText(answer));
    FUZZ_CHECK(!centre.contains(u'"') && centre.size() <= answer.size());

    // New-message settings: whatever the phone offers, only digits reach the command line.
    QStringList fields;
    SplitFields(answer, fields, 5);
    QString command = QStringLiteral("at+cnmi=");
    for (int i = 0; i < 5; ++i) {
        const QChar ch = indicationCharacterOf(fields.value(i));
        FUZZ_CHECK(ch >= u'0' && ch <= u'9');
        command += (i > 0 ? QStringLiteral(",") : QString()) + ch;
    }
    FUZZ_CHECK(command.size() == 17);

    // Whole-list answers: every entry a real index, every message twelve fields and a text that
    // is part of the answer.
    for (const PhonebookEntryAnswer& listed : phonebookRangeOf(answer)) {
        FUZZ_CHECK(listed.index > 0 && !listed.name.contains(u'"'));
    }
    for (const ListedMessage& message : listedMessagesOf(answer)) {
        FUZZ_CHECK(message.fields.size() == kMessageBodyFields);
        FUZZ_CHECK(answer.contains(message.fields[kMessageText]));
        FUZZ_CHECK(message.complete == isReceivedMessage(message.fields));
    }
    endsInOk(answer);

    FUZZ_CHECK(usedMessageCountOf(answer) >= -1);
    QString index;
    if (writtenMessageIndexOf(answer, index)) {
        FUZZ_CHECK(isDigits(index));
    }
}

// The input cut into texts at ';': a name, a number and contents, made safe the way the
// program's own checks would pass them, and numbers for the fields that hold numbers.
struct Written {
    QString name;
    QString number;
    QString contents;
    int values[8] = {};
};

QString safe(const QString& text, PhoneTextKind kind) {
    QString out;
    for (const QChar ch : text) {
        if (isPhoneSafeText(QString(ch), kind)) {
            out += ch;
        }
    }
    return out;
}

Written writtenFrom(const QString& text, const uint8_t* data, size_t size) {
    const QStringList pieces = text.split(u';');
    Written written;
    written.name = safe(pieces.value(0), PhoneTextKind::Name);
    written.number = safe(pieces.value(1), PhoneTextKind::Number);
    written.contents = safe(pieces.value(2), PhoneTextKind::Contents);
    for (size_t i = 0; i < 8; ++i) {
        written.values[i] = i < size ? data[i] : static_cast<int>(i);
    }
    return written;
}

// What the phone answers when it reads back what the program wrote.
void checkReadBack(const Written& w) {
    const int index = 1 + w.values[0];
    PhonebookEntryAnswer entry;
    // Texts joined on, not through arg(): a "%1" in them is text.
    const QString entryAnswer =
        QStringLiteral("at+cpbr=%1\r\r\n+CPBR: %1,\"").arg(index) + w.number +
        QStringLiteral("\",%1,\"").arg(w.values[1] % 2 ? 145 : 129) + w.name + u'"' + kFinal;
    FUZZ_CHECK(ParsePhonebookEntry(PhonebookEntryText(entryAnswer), entry));
    FUZZ_CHECK(entry.index == index);
    FUZZ_CHECK(entry.dialString == w.number);
    FUZZ_CHECK(entry.numberType == (w.values[1] % 2 ? 145 : 129));
    FUZZ_CHECK(entry.name == w.name);

    // A listing of a written message gives its text back whole, whatever lines it holds.
    const QString listing =
        QStringLiteral("at+cmgl=\"ALL\"\r\r\n+CMGL: 1,\"STO UNSENT\",\"") + w.number +
        QStringLiteral("\",,,129,%1\r\n").arg(w.contents.size()) + w.contents +
        QStringLiteral("\r\n+CMGL: 2,\"REC READ\",\"1\",,\"t\",129,1\r\nx") + kFinal;
    const QList<ListedMessage> listed = listedMessagesOf(listing);
    FUZZ_CHECK(listed.size() == 2 && listed[0].fields[kMessageText] == w.contents);

    ScheduleEntry schedule;
    const bool alarm = w.values[2] % 2;
    QString scheduleAnswer = QStringLiteral("+SCHR: %1,%2,%3,%4/%5/%6,%7:%8,")
                                 .arg(w.values[0] % 50)
                                 .arg(1 + w.values[1] % 4)
                                 .arg(alarm ? 1 : 0)
                                 .arg(2000 + w.values[3])
                                 .arg(1 + w.values[4] % 12)
                                 .arg(1 + w.values[5] % 31)
                                 .arg(w.values[6] % 24)
                                 .arg(w.values[7] % 60);
    if (alarm) {
        scheduleAnswer += QStringLiteral("%1:%2,").arg(w.values[7] % 24).arg(w.values[6] % 60);
    }
    scheduleAnswer += u'"' + w.contents + u'"' + kFinal;
    FUZZ_CHECK(ParseScheduleAnswer(behind(scheduleAnswer, QStringLiteral("+SCHR: ")), schedule));
    FUZZ_CHECK(schedule.index == w.values[0] % 50 && schedule.type == 1 + w.values[1] % 4);
    FUZZ_CHECK(schedule.alarm == (alarm ? 1 : 0));
    FUZZ_CHECK(schedule.year == 2000 + w.values[3] && schedule.month == 1 + w.values[4] % 12 &&
               schedule.date == 1 + w.values[5] % 31);
    FUZZ_CHECK(schedule.hour == w.values[6] % 24 && schedule.minute == w.values[7] % 60);
    if (alarm) {
        FUZZ_CHECK(schedule.alarmHour == w.values[7] % 24 &&
                   schedule.alarmMinute == w.values[6] % 60);
    }
    FUZZ_CHECK(schedule.contents == w.contents);

    const bool done = w.values[3] % 2;
    const QString doneFields =
        done ? QStringLiteral("2026/1/%1,%2:05").arg(1 + w.values[6] % 28).arg(w.values[7] % 24)
             : QStringLiteral(",");
    const QString todoAnswer = QStringLiteral("+CTDR: %1,%2,%3/%4/%5,\"")
                                   .arg(1 + w.values[0])
                                   .arg(w.values[1] % 2)
                                   .arg(2000 + w.values[2])
                                   .arg(1 + w.values[4] % 12)
                                   .arg(1 + w.values[5] % 31) +
                               w.contents + QStringLiteral("\",") + doneFields + kFinal;
    const TodoAnswer item = ParseTodoAnswer(behind(todoAnswer, QStringLiteral("+CTDR: ")));
    FUZZ_CHECK(item.index == 1 + w.values[0] && item.priority == w.values[1] % 2);
    FUZZ_CHECK(item.year == 2000 + w.values[2] && item.month == 1 + w.values[4] % 12 &&
               item.day == 1 + w.values[5] % 31);
    FUZZ_CHECK(item.contents == w.contents);
    FUZZ_CHECK(item.done() == done);
    if (done) {
        FUZZ_CHECK(
            TodoDoneDateText(item.doneDate, item.doneTime) ==
            QStringLiteral("%1-1-2026 %2:05").arg(1 + w.values[6] % 28).arg(w.values[7] % 24));
    }

    const QString centreAnswer =
        QStringLiteral("+CSCA: \"") + w.number + QStringLiteral("\",145") + kFinal;
    FUZZ_CHECK(ServiceCentreAddressOf(ServiceCentreText(centreAnswer)) == w.number);

    const int used = w.values[0];
    const int total = 1 + w.values[1] * 7;
    FUZZ_CHECK(ParsePhonebookCapacity(QStringLiteral("+CPBS: \"SM\",%1,%2").arg(used).arg(total) +
                                      kFinal) == total);
    FUZZ_CHECK(ParseMessageCapacity(
                   QStringLiteral("+CPMS: %1,%2,%1,%2,%1,%2").arg(used).arg(total) + kFinal) ==
               total);
    FUZZ_CHECK(usedMessageCountOf(QStringLiteral("+CPMS: %1,%2").arg(used).arg(total) + kFinal) ==
               used);
    QString written;
    FUZZ_CHECK(writtenMessageIndexOf(QStringLiteral("+CMGW: %1").arg(total) + kFinal, written));
    FUZZ_CHECK(written == QString::number(total));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString answer = answerText(data, size);
    checkAnyAnswer(answer);
    checkReadBack(writtenFrom(answer, data, size));
    return 0;
}
