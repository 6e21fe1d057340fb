// SPDX-License-Identifier: GPL-3.0-or-later
#include "phonesim/PhoneSimState.h"

#include <QTimeZone>

#include "pdu/PduCodec.h"

namespace {

// The demo's messages held as units: a long message in three parts (stored out of order), one in
// Greek, a sent message and the centre's report that it arrived.
void addDemoUnits(PhoneSimState& state) {
    const QDateTime sent(QDate(2026, 12, 6), QTime(18, 5), QTimeZone::utc());
    const auto held = [&](const QString& status, SmsPdu pdu) {
        pdu.serviceCentre = {state.serviceCentre, state.serviceCentreType};
        PhoneSimMessage message;
        message.status = status;
        message.pdu = encodePdu(pdu).hex;
        return message;
    };
    const QStringList parts = {
        QStringLiteral("Hi! The plan for Saturday: we meet at the station at 9:30, take the "
                       "10:05 train to the coast and walk from the harbour along the cliff path "
                       "to the lighthouse. It is about 12 km, mostly flat, with a steep bit "
                       "at the "),
        QStringLiteral("end. Bring boots, water, a hat and something warm: the wind up there is "
                       "cold even in the sun. Lunch at the caf\u00e9 by the lighthouse, then "
                       "the bus back at 15:40 or the 16:20 train if we are slow. Tickets: I "
                       "booked four, yo"),
        QStringLiteral("u pay me back later. Call me if you cannot make it! Alice")};
    const int locations[] = {9, 11, 10};
    for (int i = 0; i < 3; ++i) {
        SmsPdu pdu;
        pdu.address = {QStringLiteral("+447700900123"), kInternationalAddress};
        pdu.serviceCentreTime = sent.addSecs(60 + i);
        pdu.header = {concatElement(0x5A, 3, i + 1, false)};
        pdu.text = parts[i];
        state.smMessages.messages[locations[i]] = held(QStringLiteral("REC UNREAD"), pdu);
    }
    SmsPdu greek;
    greek.address = {QStringLiteral("+302101234567"), kInternationalAddress};
    greek.serviceCentreTime = sent.addSecs(3600);
    greek.dataCoding = dataCodingFor(PduCoding::Ucs2);
    greek.text = QStringLiteral("Καλημέρα! Τα λέμε αύριο στις 10 στο γραφείο.");
    state.smMessages.messages[12] = held(QStringLiteral("REC READ"), greek);

    SmsPdu order;
    order.type = PduType::Submit;
    order.address = {QStringLiteral("+447700900456"), kInternationalAddress};
    order.messageReference = 0x21;
    order.statusReport = true;
    order.validityFormat = 2;
    order.validity = QByteArray(1, char(167));
    order.text = QStringLiteral("Dinner on Friday works for me. 8 pm?");
    state.smMessages.messages[13] = held(QStringLiteral("STO SENT"), order);
    SmsPdu report;
    report.type = PduType::StatusReport;
    report.address = order.address;
    report.messageReference = 0x21;
    report.serviceCentreTime = sent.addSecs(7200);
    report.dischargeTime = sent.addSecs(7205);
    report.hasUserData = false;
    state.smMessages.messages[14] = held(QStringLiteral("REC READ"), report);
}

}  // namespace

PhoneSimState PhoneSimState::demo() {
    PhoneSimState state;
    state.sm.capacity = 250;
    state.sm.entries = {
        {1, {"+447700900123", 145, "Alice Hartley"}},
        {2, {"+447700900456", 145, "Ben Okafor"}},
        {3, {"01632960781", 129, "Dentist"}},
        {5, {"+447700900789", 145, "Mum"}},
        {8, {"+441632960334P215", 145, "Office Reception"}},
        {12, {"*31#+447700900981", 145, "Private Line"}},
    };
    state.me.capacity = 500;
    state.me.entries = {
        {1, {"+447700900202", 145, "Carla Mendes"}},
        {2, {"+33612345678", 145, "Pierre Laurent"}},
        {4, {"02079460018", 129, "Pizza Corner"}},
        {7, {"+4915112345678", 145, "Jana Vogel"}},
    };
    state.extensionUsed = state.countExtensions();

    state.smMessages.messages = {
        {1,
         {"REC READ", "+447700900123", 145, "26/12/01,09:14:22+00", "Running late, see you at 10.",
          4, 0, 0}},
        {2,
         {"REC UNREAD", "+447700900456", 145, "26/12/03,18:40:05+00",
          "Dinner on Friday? Let me know.", 4, 0, 0}},
        {3,
         {"REC READ", "+447700900202", 145, "26/12/04,08:02:51+00",
          "Meeting moved to 3 pm.\nOK\nBring the slides, \"final\" version.", 4, 0, 0}},
        {4, {"STO UNSENT", "+447700900789", 145, {}, "Happy birthday, Mum!", 17, 0, 167}},
        {6,
         {"STO SENT",
          "02079460018",
          129,
          {},
          "Order for Friday:\n1 large margherita\n2 garlic "
          "breads\nDeliver at 7, please.",
          145,
          0,
          173}},
        {7,
         {"REC READ", "+447785016005", 145, "26/12/05,11:30:00+00",
          "Report: Pending\nTo: +447700900456\nSent: 26/12/05,11:29:41", 4, 0, 0}},
    };
    // All four kinds, with and without alarm, two in the past (before 8 December 2026), two
    // in the same hour of one day, and contents with a comma.
    state.schedule = {
        {0, {3, 1, 2026, 12, 9, 10, 30, 10, 15, "Project review"}},
        {1, {4, 0, 2026, 12, 21, 0, 0, 0, 0, "Alice's birthday"}},
        {2, {2, 1, 2026, 12, 8, 17, 0, 16, 55, "+447700900456"}},
        {3, {1, 0, 2026, 12, 1, 9, 0, 0, 0, "Pay rent"}},
        {4, {3, 1, 2026, 11, 27, 14, 0, 13, 30, "Budget, Q4"}},
        {5, {1, 1, 2026, 12, 9, 10, 0, 9, 50, "Book the room"}},
        {7, {2, 0, 2026, 12, 15, 12, 30, 0, 0, "01632960781"}},
    };
    // Dated from today, so that the Today tab always has an item to show.
    const QDate today = QDate::currentDate();
    const auto todo = [](int status, int priority, const QDate& until, const char* contents,
                         const QDate& done, const char* doneTime) {
        return PhoneSimTodoItem{status,
                                priority,
                                until.year(),
                                until.month(),
                                until.day(),
                                QString::fromLatin1(contents),
                                done.isValid() ? done.toString(QStringLiteral("yyyy/MM/dd")) : "",
                                QString::fromLatin1(doneTime)};
    };
    state.todos = {
        {1, todo(0, 1, today.addDays(2), "Renew car insurance", {}, "")},
        {2, todo(0, 0, today, "Buy wrapping paper", {}, "")},
        {3, todo(2, 0, today.addDays(-4), "Book dentist", today.addDays(-5), "17:45")},
        {4, todo(0, 0, today.addDays(9), "Water the office plants", {}, "")},
        {5, todo(2, 1, today.addDays(-1), "Return library books", today.addDays(-2), "09:30")},
    };
    return state;
}

QDateTime PhoneSimState::now() const {
    return fixedClock.isValid() ? fixedClock : QDateTime::currentDateTime();
}

PhoneSimState PhoneSimState::standardPersona() {
    PhoneSimState state = demo();
    state.becomeStandardPersona();
    state.schedule.clear();
    state.todos.clear();
    return state;
}

void PhoneSimState::becomeStandardPersona() {
    PhoneSimState& state = *this;
    state.maker = QStringLiteral("Acme");
    state.model = QStringLiteral("M-100");
    state.revision = QStringLiteral("R2.3");
    state.makerCommands = false;
}

PhoneSimState PhoneSimState::showcase() {
    PhoneSimState state = demo();
    state.sm.entries[20] = {"+302101234567", 145, QStringLiteral("Ελένη Παππά")};
    state.sm.entries[21] = {"+74951234567", 145, QStringLiteral("Иван Петров")};
    state.sm.entries[22] = {"+861012345678", 145, QStringLiteral("王小明")};
    state.smMessages.messages[8] = {"REC UNREAD",
                                    "+302101234567",
                                    145,
                                    "26/12/06,12:00:00+00",
                                    QStringLiteral("Γειά σου! Привет! 你好!"),
                                    4,
                                    0,
                                    0};
    state.smMessages.capacity = 15;
    addDemoUnits(state);
    return state;
}

PhoneSimPhonebook* PhoneSimState::phonebook(const QString& storage) {
    const QString key = storage.toLower();
    if (key == QLatin1String("sm"))
        return &sm;
    if (key == QLatin1String("me") && phoneMemory)
        return &me;
    return nullptr;
}

PhoneSimPhonebook& PhoneSimState::selectedBook() {
    PhoneSimPhonebook* book = phonebook(selectedPhonebook);
    return book ? *book : sm;
}

PhoneSimMessageStorage* PhoneSimState::messageStorage(const QString& storage) {
    const QString key = storage.toLower();
    if (key == QLatin1String("sm"))
        return &smMessages;
    if (key == QLatin1String("bm"))
        return &bmMessages;
    if (key == QLatin1String("me") && !makerCommands)
        return &meMessages;
    return nullptr;
}

bool PhoneSimState::hasExtension(const QString& dial) {
    return dial.contains(u'P') || dial.contains(u'/') || dial.contains(u'p');
}

int PhoneSimState::countExtensions() const {
    int count = 0;
    for (const PhoneSimPhonebook* book : {&sm, &me})
        for (const auto& [index, entry] : book->entries)
            count += hasExtension(entry.dial) ? 1 : 0;
    return count;
}
