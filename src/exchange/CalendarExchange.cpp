#include "exchange/CalendarExchange.h"

#include <QCryptographicHash>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QStringDecoder>

#include "exchange/CalendarFile.h"
#include "link/Transact.h"
#include "phone/PhoneLink.h"
#include "phone/PhoneSafeText.h"
#include "platform/Progress.h"
#include "platform/Prompter.h"
#include "scheduler/ScheduleSync.h"

namespace {

const char* const kProductId = "-//Dexmoro//Calendar Export//EN";
const char* const kCompletedProperty = "X-DEXMORO-COMPLETED";
const char* const kDoneDateProperty = "X-DEXMORO-DONE-DATE";
// The ring time an entry keeps while its alarm is off (the entry dialogs store the lead time
// chosen either way), as "HH:mm".
const char* const kQuietAlarmProperty = "X-DEXMORO-ALARM-TIME";
// The years the calendar pages can show.
constexpr int kFirstYear = 1900;
constexpr int kLastYear = 2037;
// The contents limits of the entry dialogs and the to-do dialogs.
constexpr int kTodoContentsLimit = 42;

struct TypeText {
    int type;
    const char* category;
    const char* name;
    int limit;
    const char* emptyMessage;
};
const TypeText kTypes[] = {
    {ScheduleReminder, "Reminder", "reminder", 28, "You must input Reminder Contents!"},
    {ScheduleCall, "Call", "call", 42, "You must input Call Number!"},
    {ScheduleMeeting, "Meeting", "meeting", 28, "You must input Meeting Contents!"},
    {ScheduleBirthday, "Birthday", "birthday", 16, "You must input Birthday Contents!"},
};

const TypeText& typeText(int type) {
    for (const TypeText& t : kTypes) {
        if (t.type == type) {
            return t;
        }
    }
    return kTypes[0];
}

// The entry type a category names; other programs' categories (vCalendar's "PHONE CALL") are
// understood where they mean one of the four, anything else is a reminder.
int typeOfCategory(const QString& category) {
    const QString name = category.trimmed();
    for (const TypeText& t : kTypes) {
        if (name.compare(QLatin1String(t.category), Qt::CaseInsensitive) == 0) {
            return t.type;
        }
    }
    if (name.compare(QLatin1String("PHONE CALL"), Qt::CaseInsensitive) == 0) {
        return ScheduleCall;
    }
    return 0;
}

class Calendar {
  public:
    Calendar() : root_(icalcomponent_new(ICAL_VCALENDAR_COMPONENT)) {
        icalcomponent_add_property(root_, icalproperty_new_prodid(kProductId));
        icalcomponent_add_property(root_, icalproperty_new_version("2.0"));
    }
    ~Calendar() { icalcomponent_free(root_); }
    Calendar(const Calendar&) = delete;
    Calendar& operator=(const Calendar&) = delete;

    void add(icalcomponent* component) { icalcomponent_add_component(root_, component); }
    QByteArray text() const {
        char* text = icalcomponent_as_ical_string_r(root_);
        QByteArray out(text);
        icalmemory_free_buffer(text);
        return out;
    }

  private:
    icalcomponent* root_;
};

icaltimetype floatingTime(int year, int month, int day, int hour, int minute) {
    icaltimetype t = icaltime_null_time();
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    return t;
}

icaltimetype dateOnly(int year, int month, int day) {
    icaltimetype t = floatingTime(year, month, day, 0, 0);
    t.is_date = 1;
    return t;
}

icaltimetype utcTime(const QDateTime& when) {
    const QDateTime utc = when.toUTC();
    icaltimetype t = floatingTime(utc.date().year(), utc.date().month(), utc.date().day(),
                                  utc.time().hour(), utc.time().minute());
    t.second = utc.time().second();
    t.zone = icaltimezone_get_utc_timezone();
    return t;
}

QByteArray utf8(const QString& text) {
    return text.toUtf8();
}

// Unique ids from what an item holds, so that an unchanged item keeps its id from one export
// to the next; twins get a running suffix.
class UidMaker {
  public:
    explicit UidMaker(const char* kind) : kind_(kind) {}
    QByteArray next(const QString& key) {
        const QByteArray hash =
            QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
        QByteArray uid = kind_ + '-' + hash;
        const int seen = seen_[uid]++;
        if (seen > 0) {
            uid += '-' + QByteArray::number(seen + 1);
        }
        return uid + "@dexmoro";
    }

  private:
    QByteArray kind_;
    QHash<QByteArray, int> seen_;
};

void addX(icalcomponent* component, const char* name, const QString& value) {
    icalproperty* property = icalproperty_new_x(utf8(value).constData());
    icalproperty_set_x_name(property, name);
    icalcomponent_add_property(component, property);
}

QString xValue(icalcomponent* component, const char* name) {
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_X_PROPERTY)) {
        if (qstricmp(icalproperty_get_x_name(p), name) == 0) {
            return QString::fromUtf8(icalproperty_get_x(p));
        }
    }
    return {};
}

// iCalendar text is UTF-8; vCalendar files often carry Latin-1 (CHARSET=ISO-8859-1, or no
// charset at all), which libicalvcal passes through as it is.
QString text(const char* value) {
    if (!value) {
        return {};
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(QByteArrayView(value));
    return utf8.hasError() ? QString::fromLatin1(value) : decoded;
}

// The ring's offset from the entry in seconds, as the store reads a ring time: a ring hour
// later than the entry hour lies on the previous day.
int triggerSeconds(const ScheduleEntry& entry) {
    int ring = entry.alarmHour * 60 + entry.alarmMinute;
    if (entry.alarmHour > entry.hour) {
        ring -= 24 * 60;
    }
    return (ring - (entry.hour * 60 + entry.minute)) * 60;
}

// "day-month-year hour:minute" as the to-do table keeps a done date.
QDateTime parseDoneDate(const QString& doneDate) {
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d+)-(\\d+)-(\\d+)\\s+(\\d+):(\\d+)\\s*$"));
    const QRegularExpressionMatch m = form.match(doneDate);
    if (!m.hasMatch()) {
        return {};
    }
    const QDate date(m.captured(3).toInt(), m.captured(2).toInt(), m.captured(1).toInt());
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt());
    if (!date.isValid() || !time.isValid()) {
        return {};
    }
    return QDateTime(date, time, QTimeZone::utc());
}

QString doneDateText(const QDateTime& wall) {
    return QStringLiteral("%1-%2-%3 %4")
        .arg(wall.date().day())
        .arg(wall.date().month())
        .arg(wall.date().year())
        .arg(wall.time().toString(QStringLiteral("HH:mm")));
}

QString quoted(const QString& text) {
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString lineReason(int line, const QString& why) {
    return QStringLiteral("line %1: %2").arg(line).arg(why);
}

bool yearInRange(int year) {
    return year >= kFirstYear && year <= kLastYear;
}

QString yearProblem(int year) {
    return QStringLiteral("the year %1 lies outside %2 to %3")
        .arg(year)
        .arg(kFirstYear)
        .arg(kLastYear);
}

std::optional<QDateTime> propertyTime(const CalendarFile& file, icalcomponent* component,
                                      icalproperty_kind kind, const QTimeZone& zone) {
    icalproperty* property = icalcomponent_get_first_property(component, kind);
    if (!property) {
        return std::nullopt;
    }
    const icalvalue* value = icalproperty_get_value(property);
    if (!value) {
        return std::nullopt;
    }
    return file.wallClock(property, icalvalue_get_datetime(value), zone);
}

// The clock time of the ring of the event's first alarm, if it has one. Wall-clock times are
// carried in UTC-marked QDateTimes so that no zone rule shifts them.
struct AlarmRead {
    bool present = false;
    std::optional<QDateTime> ring;
};
AlarmRead readAlarm(const CalendarFile& file, icalcomponent* event, const QDateTime& start,
                    const QTimeZone& zone) {
    AlarmRead read;
    icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    if (!alarm) {
        return read;
    }
    read.present = true;
    icalproperty* trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
    if (!trigger) {
        return read;
    }
    const icaltriggertype value = icalproperty_get_trigger(trigger);
    if (!icaltime_is_null_time(value.time)) {
        read.ring = file.wallClock(trigger, value.time, zone, file.isVCalendar());
        return read;
    }
    QDateTime base = start;
    icalparameter* related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
    if (related && icalparameter_get_related(related) == ICAL_RELATED_END) {
        if (const auto end = propertyTime(file, event, ICAL_DTEND_PROPERTY, zone)) {
            base = *end;
        } else if (icalproperty* duration =
                       icalcomponent_get_first_property(event, ICAL_DURATION_PROPERTY)) {
            base = start.addSecs(icaldurationtype_as_int(icalproperty_get_duration(duration)));
        }
    }
    read.ring = base.addSecs(icaldurationtype_as_int(value.duration));
    return read;
}

// The event's text: SUMMARY, or DESCRIPTION where a program wrote only that.
QString eventText(icalcomponent* component) {
    QString summary = text(icalcomponent_get_summary(component)).trimmed();
    if (summary.isEmpty()) {
        summary = text(icalcomponent_get_description(component)).trimmed();
    }
    return summary;
}

int eventType(icalcomponent* component) {
    for (icalproperty* p = icalcomponent_get_first_property(component, ICAL_CATEGORIES_PROPERTY); p;
         p = icalcomponent_get_next_property(component, ICAL_CATEGORIES_PROPERTY)) {
        for (const QString& category : text(icalproperty_get_categories(p)).split(',')) {
            if (const int type = typeOfCategory(category)) {
                return type;
            }
        }
    }
    return ScheduleReminder;
}

QString readEvent(const CalendarFile& file, const CalendarComponent& c, const QTimeZone& zone,
                  ReminderRow& row) {
    ScheduleEntry& entry = row.entry;
    entry.index = -1;
    entry.type = eventType(c.component);
    entry.contents = eventText(c.component);
    const TypeText& type = typeText(entry.type);
    if (!c.problem.isEmpty()) {
        return c.problem;
    }
    if (entry.contents.isEmpty()) {
        return lineReason(c.line, QString::fromLatin1(type.emptyMessage));
    }
    const auto start = propertyTime(file, c.component, ICAL_DTSTART_PROPERTY, zone);
    if (!start) {
        return lineReason(
            c.line, QStringLiteral("%1 has no start time (DTSTART)").arg(quoted(entry.contents)));
    }
    entry.year = start->date().year();
    entry.month = start->date().month();
    entry.date = start->date().day();
    entry.hour = start->time().hour();
    entry.minute = start->time().minute();
    if (!yearInRange(entry.year)) {
        return lineReason(c.line,
                          quoted(entry.contents) + QStringLiteral(": ") + yearProblem(entry.year));
    }
    if (entry.contents.size() > type.limit) {
        return lineReason(c.line, QStringLiteral("%1 is longer than the %2 characters a %3 holds")
                                      .arg(quoted(entry.contents))
                                      .arg(type.limit)
                                      .arg(QLatin1String(type.name)));
    }
    const QString unsafe =
        phoneSafeTextProblem(entry.contents, entry.type == ScheduleCall ? PhoneTextKind::Number
                                                                        : PhoneTextKind::Contents);
    if (!unsafe.isEmpty()) {
        return lineReason(c.line, quoted(entry.contents) + QStringLiteral(": ") + unsafe);
    }
    const AlarmRead alarm = readAlarm(file, c.component, *start, zone);
    if (alarm.present && !alarm.ring) {
        return lineReason(c.line, QStringLiteral("the alarm of %1 has no time it can ring at")
                                      .arg(quoted(entry.contents)));
    }
    if (alarm.ring) {
        entry.alarm = 1;
        entry.alarmHour = alarm.ring->time().hour();
        entry.alarmMinute = alarm.ring->time().minute();
    } else {
        const QTime quiet =
            QTime::fromString(xValue(c.component, kQuietAlarmProperty), QStringLiteral("HH:mm"));
        if (quiet.isValid()) {
            entry.alarmHour = quiet.hour();
            entry.alarmMinute = quiet.minute();
        }
    }
    row.done = xValue(c.component, kCompletedProperty)
                   .compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0;
    return {};
}

QString readTodo(const CalendarFile& file, const CalendarComponent& c, const QTimeZone& zone,
                 TodoItem& item) {
    item.index = -1;
    item.contents = eventText(c.component);
    if (!c.problem.isEmpty()) {
        return c.problem;
    }
    if (item.contents.isEmpty()) {
        return lineReason(c.line, QStringLiteral("You must input contents field"));
    }
    auto until = propertyTime(file, c.component, ICAL_DUE_PROPERTY, zone);
    if (!until) {
        until = propertyTime(file, c.component, ICAL_DTSTART_PROPERTY, zone);
    }
    if (!until) {
        return lineReason(c.line,
                          QStringLiteral("%1 has no due date (DUE)").arg(quoted(item.contents)));
    }
    item.year = until->date().year();
    item.month = until->date().month();
    item.day = until->date().day();
    if (!yearInRange(item.year)) {
        return lineReason(c.line,
                          quoted(item.contents) + QStringLiteral(": ") + yearProblem(item.year));
    }
    if (item.contents.size() > kTodoContentsLimit) {
        return lineReason(c.line, QStringLiteral("%1 is longer than the %2 characters a to-do "
                                                 "item holds")
                                      .arg(quoted(item.contents))
                                      .arg(kTodoContentsLimit));
    }
    const QString unsafe = phoneSafeTextProblem(item.contents, PhoneTextKind::Contents);
    if (!unsafe.isEmpty()) {
        return lineReason(c.line, quoted(item.contents) + QStringLiteral(": ") + unsafe);
    }
    // Priorities 1 to 4 are the high ones; the list's "1 Order" is its higher one.
    const int priority = icalcomponent_get_first_property(c.component, ICAL_PRIORITY_PROPERTY)
                             ? icalproperty_get_priority(icalcomponent_get_first_property(
                                   c.component, ICAL_PRIORITY_PROPERTY))
                             : 0;
    item.priority = priority >= 1 && priority <= 4 ? 0 : 1;

    const auto completed = propertyTime(file, c.component, ICAL_COMPLETED_PROPERTY, zone);
    item.mark =
        completed.has_value() || icalcomponent_get_status(c.component) == ICAL_STATUS_COMPLETED;
    if (item.mark) {
        // The text the phone stamped, when it still tells the same time (or is all there is).
        const QString stamped = xValue(c.component, kDoneDateProperty);
        const QDateTime stampedTime = parseDoneDate(stamped);
        item.doneDate = !completed ? stamped
                        : stampedTime.isValid() && stampedTime.date() == completed->date() &&
                                stampedTime.time().hour() == completed->time().hour() &&
                                stampedTime.time().minute() == completed->time().minute()
                            ? stamped
                            : doneDateText(*completed);
    }
    return {};
}

template <typename Row, typename Reader>
CalendarRead<Row> readCalendar(const QByteArray& bytes, icalcomponent_kind kind,
                               const QTimeZone& zone, Reader reader) {
    CalendarRead<Row> out;
    const CalendarFile file(bytes);
    if (!file.error().isEmpty()) {
        out.error = file.error();
        return out;
    }
    for (const CalendarComponent& c : file.components(kind)) {
        typename CalendarRead<Row>::Item item;
        item.line = c.line;
        item.problem = reader(file, c, zone, item.row);
        out.items.append(item);
    }
    return out;
}

// Collects the message boxes the store shows for one entry, so that an import reports them
// as skip reasons instead of stopping at each.
class CollectedPrompts : public Prompter {
  public:
    CollectedPrompts() : previous_(&currentPrompter()) { setCurrentPrompter(this); }
    ~CollectedPrompts() override { setCurrentPrompter(previous_); }
    PromptAnswer ask(const Prompt& prompt) override {
        texts.append(prompt.text);
        switch (prompt.buttons) {
            case PromptButtons::Ok:
                return PromptAnswer::Ok;
            case PromptButtons::OkCancel:
                return PromptAnswer::Cancel;
            case PromptButtons::YesNo:
            case PromptButtons::YesNoCancel:
                return PromptAnswer::No;
        }
        return PromptAnswer::Cancel;
    }
    QStringList texts;

  private:
    Prompter* previous_;
};

bool writeFile(const QString& path, const QByteArray& bytes, ExchangeResult& result) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        result.error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

bool readFile(const QString& path, QByteArray& bytes, ExchangeResult& result) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = QStringLiteral("Cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    bytes = file.readAll();
    return true;
}

QString phoneLostText(int imported, int total) {
    return QStringLiteral(
               "The phone stopped answering: %1 of %2 entries were imported, the "
               "rest was not.")
        .arg(imported)
        .arg(total);
}

}  // namespace

QByteArray scheduleCalendarText(const QList<ReminderRow>& rows, const QDateTime& stamp,
                                const QTimeZone&) {
    Calendar calendar;
    UidMaker uids("schedule");
    for (const ReminderRow& row : rows) {
        const ScheduleEntry& e = row.entry;
        const TypeText& type = typeText(e.type);
        icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
        const QString key = QStringLiteral("%1|%2-%3-%4 %5:%6|%7")
                                .arg(e.type)
                                .arg(e.year)
                                .arg(e.month)
                                .arg(e.date)
                                .arg(e.hour)
                                .arg(e.minute)
                                .arg(e.contents);
        icalcomponent_add_property(event, icalproperty_new_uid(uids.next(key).constData()));
        icalcomponent_add_property(event, icalproperty_new_dtstamp(utcTime(stamp)));
        // The phone's times are its wall clock: floating times, no zone.
        icalcomponent_add_property(event, icalproperty_new_dtstart(floatingTime(
                                              e.year, e.month, e.date, e.hour, e.minute)));
        icalcomponent_add_property(event, icalproperty_new_summary(utf8(e.contents).constData()));
        icalcomponent_add_property(event, icalproperty_new_categories(type.category));
        if (row.done) {
            addX(event, kCompletedProperty, QStringLiteral("TRUE"));
        }
        if (!e.alarm && (e.alarmHour != 0 || e.alarmMinute != 0)) {
            addX(event, kQuietAlarmProperty,
                 QTime(e.alarmHour, e.alarmMinute).toString(QStringLiteral("HH:mm")));
        }
        if (e.alarm) {
            icalcomponent* alarm = icalcomponent_new(ICAL_VALARM_COMPONENT);
            icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
            icalcomponent_add_property(alarm,
                                       icalproperty_new_description(utf8(e.contents).constData()));
            icaltriggertype trigger;
            trigger.time = icaltime_null_time();
            trigger.duration = icaldurationtype_from_int(triggerSeconds(e));
            icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
            icalcomponent_add_component(event, alarm);
        }
        calendar.add(event);
    }
    return calendar.text();
}

QByteArray todoCalendarText(const QList<TodoItem>& items, const QDateTime& stamp,
                            const QTimeZone& zone) {
    Calendar calendar;
    UidMaker uids("todo");
    for (const TodoItem& item : items) {
        icalcomponent* todo = icalcomponent_new(ICAL_VTODO_COMPONENT);
        const QString key = QStringLiteral("%1|%2-%3-%4|%5")
                                .arg(item.priority)
                                .arg(item.year)
                                .arg(item.month)
                                .arg(item.day)
                                .arg(item.contents);
        icalcomponent_add_property(todo, icalproperty_new_uid(uids.next(key).constData()));
        icalcomponent_add_property(todo, icalproperty_new_dtstamp(utcTime(stamp)));
        icalcomponent_add_property(todo, icalproperty_new_summary(utf8(item.contents).constData()));
        icalcomponent_add_property(todo,
                                   icalproperty_new_due(dateOnly(item.year, item.month, item.day)));
        icalcomponent_add_property(todo, icalproperty_new_priority(item.priority == 0 ? 1 : 5));
        icalcomponent_add_property(
            todo,
            icalproperty_new_status(item.mark ? ICAL_STATUS_COMPLETED : ICAL_STATUS_NEEDSACTION));
        if (item.mark) {
            // COMPLETED is a UTC time; the phone stamped its own wall clock.
            const QDateTime wall = parseDoneDate(item.doneDate);
            if (wall.isValid()) {
                const QDateTime local(wall.date(), wall.time(), zone);
                icalcomponent_add_property(todo, icalproperty_new_completed(utcTime(local)));
            }
            if (!item.doneDate.isEmpty()) {
                addX(todo, kDoneDateProperty, item.doneDate);
            }
        }
        calendar.add(todo);
    }
    return calendar.text();
}

CalendarRead<ReminderRow> readScheduleCalendar(const QByteArray& bytes, const QTimeZone& zone) {
    return readCalendar<ReminderRow>(bytes, ICAL_VEVENT_COMPONENT, zone, readEvent);
}

CalendarRead<TodoItem> readTodoCalendar(const QByteArray& bytes, const QTimeZone& zone) {
    return readCalendar<TodoItem>(bytes, ICAL_VTODO_COMPONENT, zone, readTodo);
}

ExchangeResult exportScheduleCalendar(const QString& file, bool phoneTable,
                                      const QDateTime& stamp) {
    return exportScheduleCalendar(file, phoneTable, stamp, QTimeZone::systemTimeZone());
}

ExchangeResult exportScheduleCalendar(const QString& file, bool phoneTable, const QDateTime& stamp,
                                      const QTimeZone& zone) {
    ExchangeResult result;
    QList<ReminderRow> rows;
    if (phoneTable) {
        CPhoneScheduleDB phoneSchedule;
        for (const ScheduleEntry& entry : phoneSchedule.entries()) {
            rows.append(ReminderRow{entry, false});
        }
    } else {
        CReminderDB reminders;
        rows = reminders.rows();
    }
    if (writeFile(file, scheduleCalendarText(rows, stamp, zone), result)) {
        result.exported = static_cast<int>(rows.size());
    }
    return result;
}

ExchangeResult exportTodoCalendar(const QString& file, const QDateTime& stamp) {
    return exportTodoCalendar(file, stamp, QTimeZone::systemTimeZone());
}

ExchangeResult exportTodoCalendar(const QString& file, const QDateTime& stamp,
                                  const QTimeZone& zone) {
    ExchangeResult result;
    CToDoListDB todo;
    todo.setSort(QStringLiteral("index ASC"));
    const QList<TodoItem> items = todo.items();
    if (writeFile(file, todoCalendarText(items, stamp, zone), result)) {
        result.exported = static_cast<int>(items.size());
    }
    return result;
}

ExchangeResult importScheduleCalendar(const QString& file, PhoneLink* phoneOrNull,
                                      Progress& progress) {
    return importScheduleCalendar(file, phoneOrNull, progress, QTimeZone::systemTimeZone());
}

// Each event as a new entry of the scheduler view: the phone and phone_schedule first while
// the phone answers, then reminder; an event the phone does not take goes nowhere. The
// program finds an entry by its date, hour and text, so an event that matches an entry
// already there would only make that lookup ambiguous: it is skipped.
ExchangeResult importScheduleCalendar(const QString& file, PhoneLink* phoneOrNull,
                                      Progress& progress, const QTimeZone& zone) {
    ExchangeResult result;
    QByteArray bytes;
    if (!readFile(file, bytes, result)) {
        return result;
    }
    const CalendarRead<ReminderRow> read = readScheduleCalendar(bytes, zone);
    if (!read.error.isEmpty()) {
        result.error = read.error;
        return result;
    }
    PhoneLink* link = phoneOrNull && phoneOrNull->phoneFound ? phoneOrNull : nullptr;
    CPhoneScheduleDB phoneSchedule;
    CReminderDB reminders;
    QList<ScheduleEntry> present;
    for (const ReminderRow& row : reminders.rows()) {
        present.append(row.entry);
    }
    if (link) {
        present.append(phoneSchedule.entries());
    }
    const auto alreadyThere = [&](const ScheduleEntry& e) {
        for (const ScheduleEntry& p : present) {
            if (p.year == e.year && p.month == e.month && p.date == e.date && p.hour == e.hour &&
                p.contents == e.contents) {
                return true;
            }
        }
        return false;
    };

    const int total = static_cast<int>(read.items.size());
    progress.show(QStringLiteral("Schedule Import"), QStringLiteral("Importing...."));
    progress.setValue(0);
    for (int i = 0; i < total; ++i) {
        const auto& item = read.items[i];
        progress.setValue(100 * i / total);
        ScheduleEntry entry = item.row.entry;
        if (!item.problem.isEmpty()) {
            result.skip(item.problem);
            continue;
        }
        if (alreadyThere(entry)) {
            result.skip(lineReason(
                item.line,
                QStringLiteral("%1 is already in the schedule").arg(quoted(entry.contents))));
            continue;
        }
        if (link) {
            ScheduleStoreOutcome outcome;
            QStringList messages;
            {
                CollectedPrompts prompts;
                g_slowPoll = true;
                outcome = phoneSchedule.StoreScheduleEntry(*link, entry);
                messages = prompts.texts;
            }
            if (outcome.result != ScheduleStoreResult::Stored) {
                const QString why = messages.isEmpty() ? kScheduleRefusedText : messages.last();
                result.skip(
                    lineReason(item.line, quoted(entry.contents) + QStringLiteral(": ") + why));
                if (outcome.result == ScheduleStoreResult::Refused && !link->Identify()) {
                    result.error = phoneLostText(result.imported, total);
                    break;
                }
                continue;
            }
        }
        entry.index = -1;
        if (!reminders.StoreReminder(entry, item.row.done, false)) {
            result.skip(lineReason(item.line, QStringLiteral("%1: the schedule table could not be "
                                                             "written")
                                                  .arg(quoted(entry.contents))));
            continue;
        }
        present.append(entry);
        ++result.imported;
    }
    progress.setValue(100);
    progress.destroy();
    return result;
}

ExchangeResult importTodoCalendar(const QString& file, PhoneLink* phoneOrNull, Progress& progress) {
    return importTodoCalendar(file, phoneOrNull, progress, QTimeZone::systemTimeZone());
}

// Each item as a new item of the to-do view, done ones marked afterwards as the view's Mark
// does. The phone's refusal leaves nothing behind: the store keeps a refused new item in the
// table, so the import takes it out again.
ExchangeResult importTodoCalendar(const QString& file, PhoneLink* phoneOrNull, Progress& progress,
                                  const QTimeZone& zone) {
    ExchangeResult result;
    QByteArray bytes;
    if (!readFile(file, bytes, result)) {
        return result;
    }
    const CalendarRead<TodoItem> read = readTodoCalendar(bytes, zone);
    if (!read.error.isEmpty()) {
        result.error = read.error;
        return result;
    }
    PhoneLink* link = phoneOrNull && phoneOrNull->phoneFound ? phoneOrNull : nullptr;
    CToDoListDB todo;
    QList<TodoItem> present = todo.items();
    const auto alreadyThere = [&](const TodoItem& item) {
        for (const TodoItem& p : present) {
            if (p.contents == item.contents && p.priority == item.priority &&
                p.untilDate() == item.untilDate()) {
                return true;
            }
        }
        return false;
    };
    const auto dropRecord = [&](int index) {
        if (todo.itemWithIndex(index)) {
            todo.Delete();
        }
        todo.Requery();
    };

    const int total = static_cast<int>(read.items.size());
    progress.show(QStringLiteral("To Do List Import"), QStringLiteral("Importing...."));
    progress.setValue(0);
    for (int i = 0; i < total; ++i) {
        const auto& readItem = read.items[i];
        progress.setValue(100 * i / total);
        TodoItem item = readItem.row;
        const QString name = quoted(item.contents) + QStringLiteral(": ");
        if (!readItem.problem.isEmpty()) {
            result.skip(readItem.problem);
            continue;
        }
        if (alreadyThere(item)) {
            result.skip(lineReason(
                readItem.line,
                QStringLiteral("%1 is already in the to-do list").arg(quoted(item.contents))));
            continue;
        }
        if (todo.NextFreeIndex() >= kTodoCapacity) {
            result.skip(lineReason(readItem.line,
                                   name + QStringLiteral("You can't enter more todolist due to "
                                                         "the maximum capacity excess!")));
            continue;
        }
        if (link) {
            const TodoSaveResult added = todo.SaveItem(*link, -1, item.contents, item.priority,
                                                       item.year, item.month, item.day, false, {});
            bool refused = added.outcome != TodoSaveOutcome::Stored;
            if (!refused && item.mark) {
                const TodoSaveResult marked =
                    todo.SaveItem(*link, added.index, item.contents, item.priority, item.year,
                                  item.month, item.day, true, item.doneDate);
                if (marked.outcome != TodoSaveOutcome::Stored) {
                    // Not the item the file holds: take it off the phone again.
                    link->DeleteTodo(added.index);
                    refused = true;
                }
            }
            if (refused) {
                if (added.outcome != TodoSaveOutcome::TableFailed) {
                    dropRecord(added.index);
                }
                result.skip(lineReason(readItem.line,
                                       name + (added.outcome == TodoSaveOutcome::TableFailed
                                                   ? QStringLiteral("the to-do table could not "
                                                                    "be written")
                                                   : QStringLiteral("The phone did not accept "
                                                                    "the to-do item."))));
                if (added.outcome == TodoSaveOutcome::PhoneRefused && !link->Identify()) {
                    result.error = phoneLostText(result.imported, total);
                    break;
                }
                continue;
            }
        } else {
            // Off line a new item and its mark only reach the table: the same record the
            // store's save writes there.
            item.index = todo.NextFreeIndex();
            if (!item.mark) {
                item.doneDate.clear();
            }
            if (!todo.AddRecord(item)) {
                result.skip(
                    lineReason(readItem.line, name + QStringLiteral("the to-do table could not be "
                                                                    "written")));
                continue;
            }
        }
        present.append(item);
        ++result.imported;
    }
    progress.setValue(100);
    progress.destroy();
    return result;
}
