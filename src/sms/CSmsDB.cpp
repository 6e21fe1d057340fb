#include "sms/CSmsDB.h"

#include <QSet>

#include "db/DatabaseConnection.h"
#include "db/DatabaseSchema.h"
#include "db/JetQuote.h"
#include "link/LeadingInteger.h"
#include "link/LinkClock.h"
#include "phone/MessageAnswers.h"
#include "phone/PhoneLink.h"
#include "phonebook/PhonebookDialString.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"

int messagesLoaded = 0;
bool reportFlag = false;

namespace {

const QString kNumber = QStringLiteral("Number");
const QString kName = QStringLiteral("Name");
const QString kPhoneNumber = QStringLiteral("PhoneNumber");
const QString kDate = QStringLiteral("Date");
const QString kStatus = QStringLiteral("Status");
const QString kMessage = QStringLiteral("Message");
const QString kType = QStringLiteral("Type");
const QString kReply = QStringLiteral("Reply");
const QString kPid = QStringLiteral("Pid");

const QStringList kColumns = {kNumber,  kName, kPhoneNumber, kDate, kStatus,
                              kMessage, kType, kReply,       kPid};

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
    row.number = rows.textValue(kNumber);
    row.name = rows.textValue(kName);
    const QString phoneNumber = rows.textValue(kPhoneNumber);
    const QString prefix = phoneNumber.left(5);
    row.phoneNumber = prefix == QLatin1String("+*31#") || prefix == QLatin1String("+#31#")
                          ? PhoneLink::ToDisplayForm(phoneNumber)
                          : phoneNumber;
    QString message = rows.textValue(kMessage);
    message.remove(u'\r');
    message.replace(u'\n', u' ');
    row.message = message;
    row.status = rows.textValue(kStatus);
    const bool hideTime = row.status.contains(QLatin1String("Read")) && !reportFlag &&
                          isPendingReport(rows.textValue(kMessage));
    row.time = hideTime ? QString() : rows.textValue(kDate);
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
    static const QStringList fields = {kName, kPhoneNumber, kMessage, kDate, kNumber};
    const QString field = fields.value(column, kNumber);
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
            numbers.insert(leadingInteger(textValue(kNumber)));
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
        entries.setSort(QStringLiteral("Name ASC"));
        entries.setFilter(QStringLiteral("MainNumber=") + jetQuote(number));
        if (entries.Requery() && entries.GetRecordCount() > 0) {
            entries.MoveLast();
            name = entries.textValue(kName);
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
    if (link.phoneFound) {
        const int storage = textValue(kType) == QLatin1String("SIM") ? 1 : 0;
        if (link.DeleteMessage(storage, leadingInteger(textValue(kNumber))) != 0) {
            return false;  // the phone still holds it: so does the table
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
            values.protocolId};
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

// The pass reads into a staging list and replaces the table in one transaction only when every
// location was read, so a phone lost half-way leaves the previous cache. A failed read is
// followed by the presence probe; the probe's reset is followed by the message mode again.
SmsLoadResult CSmsDB::LoadFromPhone(PhoneLink& link) {
    if (!link.phoneFound) {
        showMessage(QStringLiteral("Comm Port Error!"), QStringLiteral("Dexmoro"),
                    PromptIcon::None);
        return SmsLoadResult::NotLoaded;
    }
    auto phoneLost = [] {
        showMessage(QStringLiteral("Now is OFF line"), QStringLiteral("Load"), PromptIcon::Error);
        return SmsLoadResult::PhoneLost;
    };
    if (link.SetMessageMode(1, 1, 1) != 0) {
        return link.Identify() ? SmsLoadResult::ModeRefused : phoneLost();
    }
    Progress& progress = currentProgress();
    progress.show(QStringLiteral("SMS Load"), QStringLiteral("Loading...."));
    progress.setValue(0);

    const int capacity = link.simMessageCapacity;
    QList<QVariantList> staged;
    for (int index = 1; index <= capacity; ++index) {
        link.clock().sleepMs(kPauseMs);
        QString body;
        const int code = link.ReadMessage(index, body);
        if (code != 0) {
            if (!link.Identify()) {
                progress.destroy();
                return phoneLost();
            }
            if (link.SetMessageMode(1, 1, 1) != 0) {
                progress.destroy();
                return SmsLoadResult::ModeRefused;
            }
        }
        if (code != 0 || body.isEmpty()) {
            link.clock().sleepMs(kPauseMs);
        } else {
            staged.append(rowOf(ValuesOfBody(index, cutMessageBody(body))));
        }
        progress.setValue(100 * index / capacity + 8);
    }

    bool replaced = false;
    {
        DbTransaction transaction(kSmsDbFile);
        replaced = deleteAllRows() && addRows(kColumns, staged) && transaction.commit();
    }
    Requery();
    progress.destroy();
    return replaced ? SmsLoadResult::Loaded : SmsLoadResult::NotLoaded;
}

bool LoadMessagesOnce(PhoneLink* link, bool applicationOnline, CSmsDB& store) {
    if (!applicationOnline || !link || !link->phoneFound || messagesLoaded != 0) {
        return false;
    }
    if (!link->Identify()) {
        showMessage(QStringLiteral("Now is Off line"), QStringLiteral("Load"), PromptIcon::Error);
    } else {
        link->QueryCapacities();
        store.LoadFromPhone(*link);
    }
    ++messagesLoaded;
    return true;
}

SmsLoadResult ReloadMessages(PhoneLink& link, CSmsDB& store) {
    if (!link.Identify()) {
        showMessage(QStringLiteral("Now is OFF line"), QStringLiteral("Load"), PromptIcon::Error);
        return SmsLoadResult::PhoneLost;
    }
    link.QueryCapacities();
    return store.LoadFromPhone(link);
}
