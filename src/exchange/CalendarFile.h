// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <libical/ical.h>

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QTimeZone>
#include <optional>

// One VEVENT or VTODO of a calendar file, with the lines it came from.
struct CalendarComponent {
    icalcomponent* component = nullptr;  // owned by the CalendarFile
    int line = 0;                        // its BEGIN line, counted from 1
    // Why it cannot be read whole ("line N: ..."); empty when it can.
    QString problem;
};

// A calendar file read through libical: iCalendar directly, vCalendar 1.0 through libicalvcal
// one component at a time, so that a broken event costs only itself. The structure
// (BEGIN/END pairs) is checked first: a file that is no calendar or whose components do not
// close is refused as a whole, naming the line.
class CalendarFile {
  public:
    explicit CalendarFile(const QByteArray& bytes);
    ~CalendarFile();
    CalendarFile(const CalendarFile&) = delete;
    CalendarFile& operator=(const CalendarFile&) = delete;

    // Empty when the file could be read; otherwise "line N: ..." and no components.
    const QString& error() const { return error_; }
    bool isVCalendar() const { return vcalendar_; }
    // The components of one kind, in file order.
    QList<CalendarComponent> components(icalcomponent_kind kind) const;

    // The wall-clock time of a DATE-TIME property in `zone`: UTC and zoned values are moved
    // into it, floating ones are taken as they are (a date alone is its midnight). vCalendar
    // alarm times come back from libicalvcal marked UTC although they are local: pass
    // `floating` to take their clock time as it is.
    std::optional<QDateTime> wallClock(icalproperty* property, icaltimetype time,
                                       const QTimeZone& zone, bool floating = false) const;

  private:
    struct Block {
        QByteArray kind;
        int beginLine = 0;
        int endLine = 0;
    };
    bool scan(const QList<QByteArray>& lines, QList<Block>& blocks);
    void readICalendar(const QByteArray& text, const QList<Block>& blocks);
    void readVCalendar(const QList<QByteArray>& lines, const QList<Block>& blocks);
    QString problemIn(icalcomponent* component, const Block& block) const;

    QString error_;
    bool vcalendar_ = false;
    QList<QByteArray> lines_;  // physical lines without their line ends
    QList<icalcomponent*> roots_;
    QList<CalendarComponent> components_;
};
