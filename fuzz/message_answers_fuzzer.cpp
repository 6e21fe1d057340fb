// SPDX-License-Identifier: GPL-3.0-or-later
// A message read's answer through the whole path of a load: the body behind "+CMGR: ", its
// twelve fields, the values the store takes from them and the row AddMessage writes into the
// message database (a file in a temporary folder). The row must hold what the fields gave; a
// body the phone built from a known header and text must give that text back.

#include <QCoreApplication>
#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

#include "FuzzSupport.h"
#include "db/DatabaseConnection.h"
#include "db/DatabaseSchema.h"
#include "phone/MessageAnswers.h"
#include "phone/PhoneSafeText.h"
#include "sms/CSmsDB.h"

namespace {

QString smsConnection() {
    QString error;
    const QString name = openDatabaseFile(kSmsDbFile, &error);
    if (name.isEmpty()) {
        std::fprintf(stderr, "cannot open the message database: %s\n", qPrintable(error));
        std::abort();
    }
    return name;
}

bool isStatusText(const QString& text) {
    return text == QLatin1String("UnRead") || text == QLatin1String("Read") ||
           text == QLatin1String("Not Sent") || text == QLatin1String("Sent");
}

// The message added through the store, read back with plain SQL; the table is empty again
// afterwards.
void checkStored(CSmsDB& store, const SmsMessageValues& values) {
    store.AddMessage(values);
    QSqlQuery query(databaseConnection(smsConnection()));
    FUZZ_CHECK(query.exec(
        QStringLiteral("SELECT Number, Name, PhoneNumber, Status, Message, Type, Pid FROM SMS")));
    FUZZ_CHECK(query.next());
    FUZZ_CHECK(query.value(0).toString() == values.index);
    if (!values.name.isEmpty()) {
        FUZZ_CHECK(query.value(1).toString() == values.name);
    }
    FUZZ_CHECK(query.value(2).toString() == values.number);
    FUZZ_CHECK(isStatusText(query.value(3).toString()));
    FUZZ_CHECK(query.value(4).toString() == values.text);
    FUZZ_CHECK(query.value(5).toString() == values.storage);
    FUZZ_CHECK(query.value(6).toInt() == values.protocolId);
    FUZZ_CHECK(!query.next());
    query.finish();
    FUZZ_CHECK(query.exec(QStringLiteral("DELETE FROM SMS")));
}

void checkBody(CSmsDB& store, const QString& body, int index) {
    const QStringList fields = cutMessageBody(body);
    FUZZ_CHECK(fields.size() == kMessageBodyFields);
    FUZZ_CHECK(cutMessageBody(body, PhoneCharset::Ucs2).size() == kMessageBodyFields);
    for (int i = 0; i < kMessageText; ++i) {
        FUZZ_CHECK(!fields[i].contains(u'"'));
    }
    FUZZ_CHECK(body.contains(fields[kMessageText]));
    const SmsMessageValues values = CSmsDB::ValuesOfBody(index, fields);
    // Line ends gain their carriage return; nothing else changes.
    QString bare = values.text;
    QString sent = fields[kMessageText];
    FUZZ_CHECK(bare.remove(u'\r') == sent.remove(u'\r'));
    checkStored(store, values);
}

const char* const kStatusWords[] = {"REC UNREAD", "REC READ", "STO UNSENT", "STO SENT"};

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    // In memory where the system has it: the store writes its file on every input.
    static QTemporaryDir folder(QDir(QStringLiteral("/dev/shm")).exists()
                                    ? QStringLiteral("/dev/shm/dexmoro-fuzz-XXXXXX")
                                    : QDir::tempPath() + QStringLiteral("/dexmoro-fuzz-XXXXXX"));
    if (!folder.isValid() || !QDir::setCurrent(folder.path())) {
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CSmsDB store;
    InputReader input(data, size);
    const uint8_t shape = input.byte();
    const QString answer = answerText(input.rest(), input.restSize());

    const QString body = messageBodyOf(answer);
    // Empty exactly when no marker came, or only blanks follow it.
    const qsizetype marker = answer.indexOf(QLatin1String("+CMGR:"));
    const QString behind = marker < 0 ? QString() : answer.mid(marker + 6);
    FUZZ_CHECK(body.isEmpty() == (marker < 0 || behind.count(u' ') == behind.size()));
    checkBody(store, body.isEmpty() ? answer : body, 1 + shape);

    // A body as the phone sends it, with a number and a text from the input: the text comes
    // back whole, whatever lines it holds, and the number as it was.
    const qsizetype cut = answer.indexOf(u';');
    QString number;
    for (const QChar ch : answer.left(std::max<qsizetype>(cut, 0))) {
        if (isPhoneSafeText(QString(ch), PhoneTextKind::Number)) {
            number += ch;
        }
    }
    const QString text = answer.mid(cut + 1);
    const bool received = shape % 4 < 2;
    const QString header =
        received
            ? QStringLiteral("\"%1\",\"%2\",,\"26/01/05,10:00:00+04\",145,4,0,0,\"+4477\",145,%3")
            : QStringLiteral("\"%1\",\"%2\",,129,17,0,0,167,\"+4477\",145,%3");
    const QString built =
        header.arg(QLatin1String(kStatusWords[shape % 4]), number, QString::number(text.size())) +
        QStringLiteral("\r\n") + text + QStringLiteral("\r\n\r\nOK\r\n");
    const QStringList fields = cutMessageBody(built);
    FUZZ_CHECK(fields.value(kMessageStatus) == QLatin1String(kStatusWords[shape % 4]));
    FUZZ_CHECK(isReceivedMessage(fields) == received);
    FUZZ_CHECK(fields.value(kMessageAddress) == number);
    FUZZ_CHECK(fields.value(kMessageText) == text);
    checkBody(store, built, 1 + shape);
    return 0;
}
