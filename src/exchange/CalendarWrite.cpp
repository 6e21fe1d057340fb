// SPDX-License-Identifier: GPL-3.0-or-later
#include <libical/ical.h>

#include <QCryptographicHash>
#include <QHash>
#include <QSaveFile>
#include <QTime>
#include <algorithm>

#include "db/TableColumns.h"
#include "exchange/CalendarExchange.h"
#include "exchange/CalendarParts.h"

namespace {

const char* const kProductId = "-//Dexmoro//Calendar Export//EN";

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

// The ring's offset from the entry in seconds, as the store reads a ring time: a ring hour
// later than the entry hour lies on the previous day.
int triggerSeconds(const ScheduleEntry& entry) {
    int ring = entry.alarmHour * 60 + entry.alarmMinute;
    if (entry.alarmHour > entry.hour) {
        ring -= 24 * 60;
    }
    return (ring - (entry.hour * 60 + entry.minute)) * 60;
}

bool writeFile(const QString& path, const QByteArray& bytes, ExchangeResult& result) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        result.error = QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

}  // namespace

QByteArray scheduleCalendarText(const QList<ReminderRow>& rows, const QDateTime& stamp,
                                const QTimeZone&) {
    Calendar calendar;
    UidMaker uids("schedule");
    for (const ReminderRow& row : rows) {
        const ScheduleEntry& e = row.entry;
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
        icalcomponent_add_property(event, icalproperty_new_categories(scheduleCategory(e.type)));
        if (row.done) {
            addX(event, kCompletedProperty, QStringLiteral("TRUE"));
        }
        // Every stored ring time becomes an alarm calendar programs ring; one switched off
        // here says so in the program's own property, which wins when the file comes back.
        const bool ringStored = e.alarm || e.alarmHour != 0 || e.alarmMinute != 0;
        if (!e.alarm && ringStored) {
            addX(event, kQuietAlarmProperty,
                 QTime(e.alarmHour, e.alarmMinute).toString(QStringLiteral("HH:mm")));
        }
        if (ringStored) {
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

ExchangeResult exportScheduleBackup(const QString& file, const QDateTime& stamp) {
    ExchangeResult result;
    QList<ReminderRow> rows;
    CPhoneScheduleDB phoneSchedule;
    for (const ScheduleEntry& entry : phoneSchedule.entries()) {
        rows.append(ReminderRow{entry, false});
    }
    const qsizetype fromPhone = rows.size();
    CReminderDB reminders;
    for (const ReminderRow& row : reminders.rows()) {
        const auto onPhone = [&](const ReminderRow& phoneRow) {
            const ScheduleEntry& p = phoneRow.entry;
            const ScheduleEntry& e = row.entry;
            return p.type == e.type && p.year == e.year && p.month == e.month && p.date == e.date &&
                   p.hour == e.hour && p.minute == e.minute && p.contents == e.contents;
        };
        if (std::none_of(rows.cbegin(), rows.cbegin() + fromPhone, onPhone)) {
            rows.append(row);
        }
    }
    if (writeFile(file, scheduleCalendarText(rows, stamp, QTimeZone::systemTimeZone()), result)) {
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
    todo.setSort(TodoColumns::Index + QStringLiteral(" ASC"));
    const QList<TodoItem> items = todo.items();
    if (writeFile(file, todoCalendarText(items, stamp, zone), result)) {
        result.exported = static_cast<int>(items.size());
    }
    return result;
}
