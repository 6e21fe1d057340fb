// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/SmsRestore.h"

#include <algorithm>

#include "db/TableColumns.h"
#include "phone/PhoneLink.h"
#include "phone/PhoneResult.h"
#include "platform/Progress.h"
#include "sms/CSmsDB.h"
#include "sms/MessageCompose.h"
#include "sms/MessageMatch.h"
#include "sms/PduMessageSend.h"

namespace {

enum RowField { kPhoneNumber = 2, kDate = 3, kStatus = 4, kMessage = 5, kReply = 7, kRawPdu = 9 };

struct StatusWord {
    const char* status;
    const char* word;
    bool received;
};

constexpr StatusWord kStatusWords[] = {{"UnRead", "REC UNREAD", true},
                                       {"Read", "REC READ", true},
                                       {"Not Sent", "STO UNSENT", false},
                                       {"Sent", "STO SENT", false}};

const StatusWord* statusWordOf(const QString& status) {
    for (const StatusWord& candidate : kStatusWords) {
        if (status.compare(QLatin1String(candidate.status), Qt::CaseInsensitive) == 0) {
            return &candidate;
        }
    }
    return nullptr;
}

// The phone ends the lines of a text with a line feed alone.
QString phoneText(QString text) {
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// What the compose dialog would refuse in the number and text; the name stays on this
// computer, so its limits do not apply.
QString writeProblem(const QStringList& row) {
    ComposeValues values;
    values.number = row[kPhoneNumber];
    values.message = phoneText(row[kMessage]);
    const std::optional<ComposeProblem> problem = composeProblem(values);
    return problem ? problem->notice.text : QString();
}

}  // namespace

ExchangeResult restoreMessages(PhoneLink& link, const QList<IncomingMessage>& incoming,
                               ExchangeResult result, Progress& progress) {
    const int total = static_cast<int>(incoming.size());
    // The load below replaces these rows with what the SIM holds; those this import does not
    // bring onto it are told about afterwards.
    const QList<SmsIdentity> cacheOnly = CSmsDB::CacheOnlyMessages();
    CSmsDB store;
    const MirrorOutcome loaded = store.LoadFromPhone(link, progress);
    if (!loaded.loaded()) {
        result.error = loaded.kind == MirrorOutcome::Kind::PhoneLost
                           ? ExchangeResult::phoneLostText(0, total)
                           : QStringLiteral(
                                 "The messages on the SIM could not be read, so none was "
                                 "imported.");
        return result;
    }
    MessageIndex onSim;
    int used = 0;
    store.setFilter(QString());
    store.Requery();
    for (bool more = store.MoveFirst(); more && !store.IsEOF(); more = store.MoveNext()) {
        onSim.add(store.textValue(SmsColumns::PhoneNumber), store.textValue(SmsColumns::Date),
                  store.textValue(SmsColumns::Message));
        ++used;
    }
    const int capacity = link.simMessageCapacity;

    progress.show(QStringLiteral("Import"), QStringLiteral("Messages"));
    for (int i = 0; i < total; ++i) {
        progress.setValue(100 * (i + 1) / total);
        const IncomingMessage& item = incoming[i];
        const auto skip = [&](const QString& why) {
            result.skip(QStringLiteral("%1: %2").arg(item.origin, why));
        };
        if (!item.problem.isEmpty()) {
            result.skip(item.problem);
            continue;
        }
        const QStringList& row = item.row;
        const StatusWord* status = statusWordOf(row[kStatus]);
        if (!status) {
            skip(QStringLiteral("unknown status \"%1\"").arg(row[kStatus]));
            continue;
        }
        // Its text is only a placeholder; the units stay in the file for another program.
        if (!row.value(kRawPdu).isEmpty()) {
            skip(QStringLiteral("the message could not be decoded"));
            continue;
        }
        if (const QString problem = writeProblem(row); !problem.isEmpty()) {
            skip(problem);
            continue;
        }
        if (onSim.contains(row[kPhoneNumber], row[kDate], row[kMessage])) {
            skip(QStringLiteral("already on the SIM"));
            continue;
        }
        if (used >= capacity) {
            skip(QStringLiteral("does not fit: the SIM is full (%1 messages)").arg(capacity));
            continue;
        }
        const bool reply = row[kReply] == QLatin1String("1");
        const int validityChoice = status->received ? 0 : validityChoiceOfText(row[kDate]);
        QString dialString;
        int numberType = 0;
        PhoneLink::NumberTypeOf(row[kPhoneNumber], dialString, numberType);
        QString newIndex;
        QStringList locations;
        int code = 0;
        if (link.settings.messageFormat() == SmsFormat::Pdu) {
            // A long message goes back as its parts, one location each.
            code = savePduMessage(
                link, {row[kPhoneNumber], phoneText(row[kMessage]), reply ? 0 : 1, validityChoice},
                QString::fromLatin1(status->word), locations);
            newIndex = locations.value(0);
        } else {
            code = link.WriteMessage(1, reply ? 0 : 1, validityChoice, 0, dialString, numberType,
                                     QString::fromLatin1(status->word), phoneText(row[kMessage]),
                                     newIndex);
        }
        if (code != kPhoneDone) {
            if (!link.Identify()) {
                skip(QStringLiteral("the phone stopped answering"));
                result.error = ExchangeResult::phoneLostText(result.imported, total);
                break;
            }
            skip(QStringLiteral("the phone refused it"));
            continue;
        }
        // The row a load would read back: a message written in text format keeps no time, and
        // the name comes from the phonebooks as it would then.
        SmsMessageValues values;
        values.index = newIndex.isEmpty() ? QString::number(store.FirstFreeIndex()) : newIndex;
        values.firstOctet = reply ? 145 : 17;
        values.statusWord = QString::fromLatin1(status->word);
        values.number = row[kPhoneNumber];
        values.dateSource =
            status->received ? QString() : QString::number(validityCodeOfChoice(validityChoice));
        values.text = row[kMessage];
        if (locations.size() > 1) {
            values.parts = locations.join(u',');
        }
        store.AddMessage(values);
        onSim.add(values.number, QString(), values.text);
        used += std::max(1, static_cast<int>(locations.size()));
        ++result.imported;
    }
    progress.setValue(100);
    progress.destroy();

    const auto dropped = std::count_if(
        cacheOnly.begin(), cacheOnly.end(),
        [&](const SmsIdentity& m) { return !onSim.contains(m.number, m.date, m.text); });
    if (dropped > 0) {
        result.notices.append(cacheOnlyDroppedNotice(static_cast<int>(dropped)));
    }
    return result;
}
