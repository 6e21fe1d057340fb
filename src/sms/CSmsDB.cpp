// SPDX-License-Identifier: GPL-3.0-or-later
#include "sms/CSmsDB.h"

#include <QSet>
#include <algorithm>

#include "db/DatabaseConnection.h"
#include "db/DatabaseSchema.h"
#include "db/JetQuote.h"
#include "db/TableColumns.h"
#include "link/LeadingInteger.h"
#include "phone/ListAnswers.h"
#include "phone/MessageAnswers.h"
#include "phone/PhoneLink.h"
#include "phonebook/PhonebookDialString.h"
#include "sms/MessageMatch.h"

namespace {

namespace C = SmsColumns;

// The order rowOf gives its values in.
const QStringList kColumns = {C::Number, C::Name,  C::PhoneNumber, C::Date,  C::Status,  C::Message,
                              C::Type,   C::Reply, C::Pid,         C::Parts, C::Missing, C::RawPdu};

constexpr int kReplyPathFirstOctet = 145;
constexpr int kPauseMs = 100;

QString statusTextOf(const QString& statusWord) {
    if (statusWord == QLatin1String("REC UNREAD")) {
        return QStringLiteral("UnRead");
    }
    if (statusWord == QLatin1String("REC READ")) {
        return QStringLiteral("Read");
    }
    if (statusWord == QLatin1String("STO UNSENT")) {
        return QStringLiteral("Not Sent");
    }
    return QStringLiteral("Sent");
}

// The phone ends text lines with a bare line feed; the table keeps CR LF. A line feed that
// already has its carriage return keeps just the one.
QString withCrLf(const QString& text) {
    QString out;
    out.reserve(text.size() + 8);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n' && (i == 0 || text[i - 1] != u'\r')) {
            out += u'\r';
        }
        out += text[i];
    }
    return out;
}

bool isPendingReport(const QString& message) {
    return message.contains(QLatin1String("Report: Pending")) ||
           message.contains(QLatin1String("Report: pending")) ||
           message.contains(QLatin1String("Report: PENDING"));
}

SmsListRow listRowOf(const Recordset& rows) {
    SmsListRow row;
    row.number = rows.textValue(C::Number);
    row.name = rows.textValue(C::Name);
    const QString phoneNumber = rows.textValue(C::PhoneNumber);
    const QString prefix = phoneNumber.left(5);
    row.phoneNumber = prefix == QLatin1String("+*31#") || prefix == QLatin1String("+#31#")
                          ? PhoneLink::ToDisplayForm(phoneNumber)
                          : phoneNumber;
    QString message = rows.textValue(C::Message);
    message.remove(u'\r');
    message.replace(u'\n', u' ');
    row.message = message;
    row.status = rows.textValue(C::Status);
    const bool hideTime = row.status.contains(QLatin1String("Read")) && !appState().reportFlag &&
                          isPendingReport(rows.textValue(C::Message));
    row.time = hideTime ? QString() : rows.textValue(C::Date);
    row.parts = rows.textValue(C::Parts);
    const QString missing = rows.textValue(C::Missing);
    if (!missing.isEmpty()) {
        row.message += QStringLiteral(" (part %1 missing)").arg(missing);
    }
    return row;
}

// Runs work with the filter cleared and puts the filter back afterwards.
template <typename Work>
auto unfiltered(Recordset& rows, Work work) {
    const QString filter = rows.filter();
    rows.setFilter(QString());
    rows.Requery();
    auto result = work();
    rows.setFilter(filter);
    rows.Requery();
    return result;
}

// The rows an import added while no phone answered that the pass did not find on the SIM: the
// load is about to replace the table without them.
int cacheOnlyRowsMissingFrom(const QList<QVariantList>& staged) {
    MessageIndex onSim;
    for (const QVariantList& row : staged) {
        onSim.add(row[2].toString(), row[3].toString(), row[5].toString());
    }
    const QList<SmsIdentity> cacheOnly = CSmsDB::CacheOnlyMessages();
    return static_cast<int>(std::count_if(
        cacheOnly.begin(), cacheOnly.end(),
        [&](const SmsIdentity& m) { return !onSim.contains(m.number, m.date, m.text); }));
}

}  // namespace

CSmsDB::CSmsDB() : Recordset(kSmsDbFile, QStringLiteral("SMS")) {}

CSmsDB::~CSmsDB() = default;

QString CSmsDB::StatusFilter(int mask) {
    QStringList terms;
    if (mask & kSmsUnread) {
        terms << QStringLiteral("Status='Unread'");
    }
    if (mask & kSmsRead) {
        terms << QStringLiteral("Status='Read'");
    }
    if (mask & kSmsNotSent) {
        terms << QStringLiteral("Status='Not Sent'");
    }
    if (mask & kSmsSent) {
        terms << QStringLiteral("Status='Sent'");
    }
    return terms.join(QStringLiteral(" OR "));
}

SmsListContents CSmsDB::FillList(int capacity) {
    SmsListContents contents;
    if (statusMask_ == 0) {
        contents.total = QStringLiteral("TOTAL : 0");
        return contents;
    }
    setFilter(StatusFilter(statusMask_));
    Requery();
    for (bool more = MoveFirst(); more && !IsEOF(); more = MoveNext()) {
        contents.rows.append(listRowOf(*this));
    }
    contents.total =
        contents.rows.isEmpty()
            ? QStringLiteral("TOTAL : 0")
            : QStringLiteral("TOTAL : %1 / %2 ").arg(contents.rows.size()).arg(capacity);
    return contents;
}

void CSmsDB::ToggleSort(int column) {
    static const QStringList fields = {C::Name, C::PhoneNumber, C::Message, C::Date, C::Number};
    const QString field = fields.value(column, C::Number);
    const QString descending = field + QStringLiteral(" DESC");
    setSort(sort() == descending ? field + QStringLiteral(" ASC") : descending);
}

int CSmsDB::CountMessages(PhoneLink& link) {
    if (link.phoneFound) {
        const int count = link.CountSimMessages();
        if (count != -1) {
            return count;
        }
    }
    return unfiltered(*this, [this] { return FullRecordCount(); });
}

int CSmsDB::FirstFreeIndex() {
    const QSet<int> taken = unfiltered(*this, [this] {
        QSet<int> numbers;
        for (bool more = MoveFirst(); more && !IsEOF(); more = MoveNext()) {
            numbers.insert(leadingInteger(textValue(C::Number)));
            // Every part of a long message holds a location of its own.
            for (const QString& part : textValue(C::Parts).split(u',', Qt::SkipEmptyParts)) {
                numbers.insert(leadingInteger(part));
            }
        }
        return numbers;
    });
    int index = 1;
    while (taken.contains(index)) {
        ++index;
    }
    return index;
}

bool CSmsDB::LookupName(const QString& number, QString& name) {
    for (const char* table : {"sim", "ms", "pc"}) {
        Recordset entries(kPhonebookDbFile, QString::fromLatin1(table));
        entries.setSort(PhonebookColumns::Name + QStringLiteral(" ASC"));
        entries.setFilter(PhonebookColumns::MainNumber + QStringLiteral("=") + jetQuote(number));
        if (entries.Requery() && entries.GetRecordCount() > 0) {
            entries.MoveLast();
            name = entries.textValue(PhonebookColumns::Name);
            return true;
        }
    }
    return false;
}

bool CSmsDB::deleteRowAt(PhoneLink& link, int position) {
    Requery();
    if (GetRecordCount() == 0 || !moveTo(position)) {
        return false;
    }
    // A row only the cache holds names no location of the SIM: deleting there would hit
    // whichever message sits at that number.
    if (link.phoneFound && !boolValue(C::CacheOnly)) {
        const int storage = textValue(C::Type) == QLatin1String("SIM") ? 1 : 0;
        const QString parts = textValue(C::Parts);
        const QStringList locations =
            parts.isEmpty() ? QStringList{textValue(C::Number)} : parts.split(u',');
        for (const QString& location : locations) {
            if (link.DeleteMessage(storage, leadingInteger(location)) != 0) {
                return false;  // the phone still holds it: so does the table
            }
        }
    }
    const bool deleted = Delete();
    Requery();
    return deleted;
}

// Each deletion moves the later rows up by one; a row the phone kept does not, so only the
// rows actually deleted shift the positions that follow.
void CSmsDB::DeleteSelected(PhoneLink& link, const QList<int>& selectedPositions) {
    int deleted = 0;
    for (int position : selectedPositions) {
        if (deleteRowAt(link, position - deleted)) {
            ++deleted;
        }
    }
}

void CSmsDB::DeleteAllMessages(PhoneLink& link) {
    unfiltered(*this, [&] {
        const int count = FullRecordCount();
        int position = 0;  // rows the phone kept stay in front
        for (int i = 0; i < count; ++i) {
            if (!deleteRowAt(link, position)) {
                ++position;
            }
        }
        return position;
    });
}

QString CSmsDB::ValidityText(int code) {
    code = std::max(code, 0);
    int hours = 0;
    int minutes = 0;
    if (code <= 143) {
        minutes = (code + 1) * 5;
        hours = minutes / 60;
        minutes %= 60;
    } else if (code <= 167) {
        minutes = (code - 143) * 30;
        hours = 12 + minutes / 60;
        minutes %= 60;
    } else if (code <= 196) {
        return QStringLiteral("%1 day").arg(code - 166);
    } else {
        return QStringLiteral("%1 week").arg(code - 192);
    }
    QString text;
    if (hours != 0) {
        text += QStringLiteral("%1 hour").arg(hours);
    }
    if (minutes != 0) {
        text += QStringLiteral("%1 min").arg(minutes);
    }
    return text;
}

QList<SmsIdentity> CSmsDB::CacheOnlyMessages() {
    Recordset rows(kSmsDbFile, QStringLiteral("SMS"));
    rows.setFilter(C::CacheOnly + QStringLiteral("=1"));
    QList<SmsIdentity> messages;
    if (rows.Requery()) {
        for (bool more = rows.MoveFirst(); more && !rows.IsEOF(); more = rows.MoveNext()) {
            messages.append({rows.textValue(C::PhoneNumber), rows.textValue(C::Date),
                             rows.textValue(C::Message)});
        }
    }
    return messages;
}

SmsMessageValues CSmsDB::ValuesOfBody(int index, const QStringList& fields) {
    const bool received = isReceivedMessage(fields);
    SmsMessageValues values;
    values.index = QString::number(index);
    values.firstOctet = leadingInteger(fields.value(received ? 5 : 4));
    values.protocolId = static_cast<qint16>(leadingInteger(fields.value(received ? 6 : 5)));
    values.statusWord = fields.value(kMessageStatus);
    values.number = fields.value(kMessageAddress);
    values.name = fields.value(kMessageName);
    values.dateSource = fields.value(received ? 3 : 7);
    values.text = withCrLf(fields.value(kMessageText));
    return values;
}

QVariantList CSmsDB::rowOf(const SmsMessageValues& values) {
    QString name = values.name;
    if (name.isEmpty() && !values.number.isEmpty()) {
        LookupName(values.number, name);
    }
    QString date;
    if (values.statusWord.contains(QLatin1String("READ"))) {
        date = values.dateSource;
    } else if (!values.delivered.isEmpty()) {
        date = values.delivered;
    } else if (!values.dateSource.trimmed().isEmpty()) {
        // A stored message without a validity period has no validity to show.
        date = ValidityText(leadingInteger(values.dateSource));
    }
    return {values.index,
            name,
            values.number,
            date,
            statusTextOf(values.statusWord),
            values.text,
            values.storage,
            values.firstOctet == kReplyPathFirstOctet,
            values.protocolId,
            values.parts,
            values.missing,
            values.rawPdu};
}

void CSmsDB::AddMessage(const SmsMessageValues& values) {
    const QVariantList row = rowOf(values);
    if (!IsOpen()) {
        Open();
    }
    if (GetRecordCount() > 0) {
        MoveLast();
    }
    AddNew();
    for (int i = 0; i < kColumns.size(); ++i) {
        setValue(kColumns[i], row[i]);
    }
    Update();
    Requery();
}

bool CSmsDB::enterMessageMode(PhoneLink& link, int format, MirrorOutcome& outcome) {
    if (link.SetMessageMode(1, format, 1) == 0) {
        return true;
    }
    if (!link.Identify()) {
        outcome.kind = MirrorOutcome::Kind::PhoneLost;
        outcome.notice = offLineNotice();
    }
    return false;  // the phone answers but refused the mode: Skipped
}

SlotMirrorPlan CSmsDB::messageLoadPlan(int capacity) {
    SlotMirrorPlan plan;
    plan.caption = QStringLiteral("SMS Load");
    plan.startValue = 0;
    plan.first = 1;
    plan.last = capacity;
    return plan;
}

// The pass reads into staging and replaces the table in one transaction only when every
// location was read, so a phone lost half-way leaves the previous cache. A failed read is
// followed by the presence probe; the probe's reset is followed by the message mode again.
MirrorOutcome CSmsDB::LoadFromPhone(PhoneLink& link, Progress& progress) {
    MirrorOutcome outcome;
    if (!link.phoneFound) {
        outcome.notice =
            Notice{QStringLiteral("Comm Port Error!"), QStringLiteral("Dexmoro"), PromptIcon::None};
        return outcome;
    }
    if (link.settings.messageFormat() == SmsFormat::Pdu) {
        return loadPduFromPhone(link, progress);
    }
    if (!enterMessageMode(link, 1, outcome)) {
        return outcome;
    }
    const int capacity = link.simMessageCapacity;
    SlotStaging<QVariantList> staging;
    bool empty = false;
    SlotMirrorPlan plan = messageLoadPlan(capacity);
    plan.readSlot = [&](int index) {
        link.sleepMs(kPauseMs);
        QString body;
        const int code = link.ReadMessage(index, body);
        empty = body.isEmpty();
        if (code == 0 && !empty) {
            staging.add(index,
                        rowOf(ValuesOfBody(index, cutMessageBody(body, link.charsetInUse()))));
        }
        return code;
    };
    if (link.settings.fastLoad) {
        plan.readRange = [&](int first, int last) {
            return readListing(link, first, last, staging);
        };
    }
    plan.resumeAfterProbe = [&] { return link.SetMessageMode(1, 1, 1) == 0; };
    plan.afterSlot = [&](int, int code) {
        if (code != 0 || empty) {
            link.sleepMs(kPauseMs);
        }
    };
    plan.progressValue = [capacity](int index) { return 100 * index / capacity + 8; };
    plan.stagedCount = [&] { return staging.size(); };
    int cacheOnlyDropped = 0;
    plan.replaceTable = [&] { return replaceRows(staging.rows(), &cacheOnlyDropped); };
    outcome = mirrorSlots(link, progress, plan);
    if (outcome.loaded() && cacheOnlyDropped > 0 && !outcome.notice) {
        outcome.notice = cacheOnlyDroppedNotice(cacheOnlyDropped);
    }
    return outcome;
}

bool CSmsDB::replaceRows(const QList<QVariantList>& rows, int* cacheOnlyDropped) {
    *cacheOnlyDropped = cacheOnlyRowsMissingFrom(rows);
    bool replaced = false;
    {
        DbTransaction transaction(kSmsDbFile);
        replaced = deleteAllRows() && addRows(kColumns, rows) && transaction.commit();
    }
    Requery();
    return replaced;
}

Notice cacheOnlyDroppedNotice(int count) {
    const QString text =
        count == 1 ? QStringLiteral(
                         "1 imported message was only in the cache on this computer, not on "
                         "the SIM: it is no longer listed. Run the import again while the "
                         "phone is connected to write it to the SIM.")
                   : QStringLiteral(
                         "%1 imported messages were only in the cache on this computer, not "
                         "on the SIM: they are no longer listed. Run the import again while "
                         "the phone is connected to write them to the SIM.")
                         .arg(count);
    return Notice{text, QStringLiteral("SMS Load"), PromptIcon::Warning};
}

// The listing gives a received message whole, read or not: the phone marks it read as a read
// would, and the row shows it as the read would have. A stored message's sending parameters are
// not listed, so it is read once more at its location, without the read's first wait. Nothing is
// staged unless every read went through, so that a pass that falls back to one location at a time
// starts clean.
int CSmsDB::readListing(PhoneLink& link, int first, int last, SlotStaging<QVariantList>& staging) {
    QList<ListedMessage> listed;
    int code = link.ListMessages(listed);
    QList<std::pair<int, QVariantList>> rows;
    for (const ListedMessage& message : listed) {
        if (code != 0) {
            break;
        }
        if (message.index < first || message.index > last) {
            continue;
        }
        QStringList fields = message.fields;
        if (!message.complete) {
            QString body;
            code = link.ReadMessage(message.index, body, PollRate::Eager);
            if (body.isEmpty()) {
                continue;
            }
            fields = cutMessageBody(body, link.charsetInUse());
        }
        rows.append({message.index, rowOf(ValuesOfBody(message.index, fields))});
    }
    if (code != 0) {
        return code;
    }
    for (auto& [index, row] : rows) {
        staging.add(index, std::move(row));
    }
    return 0;
}

Prompt deleteAllQuestion() {
    Prompt question{QStringLiteral("Do you want to delete all SMS data ?"),
                    QStringLiteral("Delete All"), PromptIcon::Question, PromptButtons::YesNo};
    question.defaultAnswer = PromptAnswer::No;
    return question;
}

std::optional<MirrorOutcome> LoadMessagesOnce(PhoneLink* link, bool applicationOnline,
                                              CSmsDB& store, Progress& progress) {
    if (!applicationOnline || !link || !link->phoneFound || appState().messagesLoaded != 0) {
        return std::nullopt;
    }
    MirrorOutcome outcome;
    if (!link->Identify()) {
        outcome.kind = MirrorOutcome::Kind::PhoneLost;
        outcome.notice =
            Notice{QStringLiteral("Now is Off line"), QStringLiteral("Load"), PromptIcon::Error};
    } else {
        link->QueryCapacities();
        outcome = store.LoadFromPhone(*link, progress);
    }
    ++appState().messagesLoaded;
    return outcome;
}

MirrorOutcome ReloadMessages(PhoneLink& link, CSmsDB& store, Progress& progress) {
    if (!link.Identify()) {
        MirrorOutcome outcome;
        outcome.kind = MirrorOutcome::Kind::PhoneLost;
        outcome.notice = offLineNotice();
        return outcome;
    }
    link.QueryCapacities();
    return store.LoadFromPhone(link, progress);
}
