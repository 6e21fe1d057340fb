// SPDX-License-Identifier: GPL-3.0-or-later
#include <QRegularExpression>
#include <QStringDecoder>

#include "exchange/CalendarExchange.h"
#include "exchange/CalendarFile.h"
#include "exchange/CalendarParts.h"
#include "phone/PhoneSafeText.h"
#include "scheduler/ScheduleRules.h"

namespace {

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

QString doneDateText(const QDateTime& wall) {
    return QStringLiteral("%1-%2-%3 %4")
        .arg(wall.date().day())
        .arg(wall.date().month())
        .arg(wall.date().year())
        .arg(wall.time().toString(QStringLiteral("HH:mm")));
}

QString yearProblem(int year) {
    return QStringLiteral("the year %1 lies outside %2 to %3")
        .arg(year)
        .arg(kScheduleFirstYear)
        .arg(kScheduleLastYear);
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
    if (!c.problem.isEmpty()) {
        return c.problem;
    }
    if (entry.contents.isEmpty()) {
        return lineReason(c.line, scheduleEmptyContentsMessage(entry.type));
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
    if (!scheduleYearInRange(entry.year)) {
        return lineReason(c.line,
                          quoted(entry.contents) + QStringLiteral(": ") + yearProblem(entry.year));
    }
    if (entry.contents.size() > scheduleContentsLimit(entry.type)) {
        return lineReason(c.line, QStringLiteral("%1 is longer than the %2 characters a %3 holds")
                                      .arg(quoted(entry.contents))
                                      .arg(scheduleContentsLimit(entry.type))
                                      .arg(scheduleTypeName(entry.type)));
    }
    const QString unsafe =
        phoneSafeTextProblem(entry.contents, entry.type == ScheduleCall ? PhoneTextKind::Number
                                                                        : PhoneTextKind::Contents);
    if (!unsafe.isEmpty()) {
        return lineReason(c.line, quoted(entry.contents) + QStringLiteral(": ") + unsafe);
    }
    // The program's own mark of an alarm switched off wins over the alarm written for it.
    const QTime quiet =
        QTime::fromString(xValue(c.component, kQuietAlarmProperty), QStringLiteral("HH:mm"));
    const AlarmRead alarm = readAlarm(file, c.component, *start, zone);
    if (quiet.isValid()) {
        entry.alarmHour = quiet.hour();
        entry.alarmMinute = quiet.minute();
    } else if (alarm.present && !alarm.ring) {
        return lineReason(c.line, QStringLiteral("the alarm of %1 has no time it can ring at")
                                      .arg(quoted(entry.contents)));
    } else if (alarm.ring) {
        entry.alarm = 1;
        entry.alarmHour = alarm.ring->time().hour();
        entry.alarmMinute = alarm.ring->time().minute();
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
    if (!scheduleYearInRange(item.year)) {
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

}  // namespace

CalendarRead<ReminderRow> readScheduleCalendar(const QByteArray& bytes, const QTimeZone& zone) {
    return readCalendar<ReminderRow>(bytes, ICAL_VEVENT_COMPONENT, zone, readEvent);
}

CalendarRead<TodoItem> readTodoCalendar(const QByteArray& bytes, const QTimeZone& zone) {
    return readCalendar<TodoItem>(bytes, ICAL_VTODO_COMPONENT, zone, readTodo);
}
